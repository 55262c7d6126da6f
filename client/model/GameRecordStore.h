// The folder of game records: one file per game, written whole through a temporary file
// (QSaveFile), listed newest first from the files' headers, and deleted on request.
// Files that cannot be read are left alone and not listed.
#pragma once

#include "client/model/GameRecord.h"
#include "client/model/GameRecordReader.h"

#include <QList>
#include <QString>

class GameRecordStore {
public:
    static constexpr char kSuffix[] = ".quarngame";

    // What the list of records shows of one file.
    struct Entry {
        QString path;
        GameRecord::Header header;
    };

    // `folder` empty = defaultFolder().
    explicit GameRecordStore(QString folder = QString());
    // The application data folder's "games".
    static QString defaultFolder();
    const QString &folder() const { return m_folder; }

    // Writes `record` to a new file named after its date; returns the file's path, or an
    // empty string when it could not be written (`error` then says why).
    QString save(const GameRecord &record, QString *error = nullptr) const;
    // Every readable record's header, newest first (by date, then by file name).
    QList<Entry> list() const;
    // Deletes the record file `path`; only files of this folder with the record suffix.
    bool remove(const QString &path) const;

    // Reads a record file from anywhere: refused whole (error, no events) over the size
    // limit; otherwise as GameRecordReader::read.
    static GameRecordReader::Result open(const QString &path);

private:
    QString m_folder;
};
