// Counts, instead of printing, the warnings of one logging category while it lives.
#pragma once

#include <QtGlobal>

class WarningCounter {
public:
    explicit WarningCounter(const char *category)
    {
        s_category = category;
        s_count = 0;
        s_previous = qInstallMessageHandler(&handle);
    }
    ~WarningCounter() { qInstallMessageHandler(s_previous); }
    int count() const { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && qstrcmp(context.category, s_category) == 0)
            ++s_count;
        else
            s_previous(type, context, message);
    }
    static inline const char *s_category = nullptr;
    static inline int s_count = 0;
    static inline QtMessageHandler s_previous = nullptr;
};
