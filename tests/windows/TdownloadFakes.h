// A program starter for the lobby window's tests: it starts nothing, records what it was
// asked to start, and says that only the paths it was given exist.
#pragma once

#include "windows/ProgramStarter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class RecordingStarter : public ProgramStarter {
public:
    bool exists(const QString &path) const override { return existing.contains(path); }
    bool start(const QString &program, const QStringList &arguments) override
    {
        started.append({program, arguments});
        return startSucceeds;
    }

    QStringList existing;
    bool startSucceeds = true;
    QList<std::pair<QString, QStringList>> started;
};
