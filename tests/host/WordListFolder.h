// A temporary folder holding a small word-list file "English" in the dictionary's
// record format, so that a TDictn built on the folder uses exactly these words.
#pragma once

#include <QStringList>
#include <QTemporaryDir>

class WordListFolder {
public:
    explicit WordListFolder(const QStringList &words);
    QString path() const { return m_dir.path(); }
    bool isValid() const { return m_dir.isValid() && m_written; }

private:
    QTemporaryDir m_dir;
    bool m_written = false;
};
