// The tally file's compressed container: "WRZL", the uncompressed size, then the data
// cut into chunks of 32 KiB, each compressed on its own with LZRW1/KH (or stored as it
// is when it does not shrink) by the block coder of Lzrw1Coder.h. File to file, and
// QByteArray to QByteArray as the tally saves and restores it. It never runs the event
// loop: a tally is a few hundred bytes, and no socket message or second save may reach
// the tally in the middle of one.
#pragma once

#include <QByteArray>
#include <QString>

#include "tally/Lzrw1Coder.h"

#include <stdexcept>

// Every failure of Tlzrw1. message() is the text shown to the user; what() holds the
// same text in UTF-8 for code that only knows std::exception.
class ELzrw1Exception : public std::runtime_error {
public:
    explicit ELzrw1Exception(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

class Tlzrw1 {
public:
    static constexpr int ChunkSize = lzrw1::kChunkSize;
    static constexpr int MaxBlockLength = lzrw1::kMaxBlockLength;
    static constexpr int BufferSize = lzrw1::kBufferSize;

    void setInputFile(const QString &path) { m_inputFile = path; }
    QString inputFile() const { return m_inputFile; }
    void setOutputFile(const QString &path) { m_outputFile = path; }
    QString outputFile() const { return m_outputFile; }

    // Compresses InputFile into OutputFile; returns the container's size. The output is
    // replaced atomically: on failure nothing is left at OutputFile but what was there
    // before.
    qint64 Compress();
    // Restores the container InputFile into OutputFile; returns the bytes written.
    // Replaces the output atomically, as Compress.
    qint64 Decompress();

    // The same two operations in memory. `name` stands for the input (and output) file in
    // the messages of the exceptions, e.g. the file the bytes were read from.
    QByteArray compressBytes(const QByteArray &data, const QString &name = QString());
    QByteArray decompressBytes(const QByteArray &container, const QString &name = QString());

private:
    QString m_inputFile;
    QString m_outputFile;
    lzrw1::HashTable m_hash{};
};
