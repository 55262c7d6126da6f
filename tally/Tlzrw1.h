// The tally file's compressed container: "WRZL", the uncompressed size, then the data
// cut into chunks of 32 KiB, each compressed on its own with LZRW1/KH (or stored as it
// is when it does not shrink). File to file as the tally saves and restores it, and
// QByteArray to QByteArray for callers that already hold the bytes.
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
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
    // Input bytes per block; the last block of a container holds fewer (possibly none).
    static constexpr int ChunkSize = 32768;
    // A chunk that does not shrink is stored behind one flag byte.
    static constexpr int MaxBlockLength = ChunkSize + 1;
    // Each of the two working buffers: a chunk and 16 spare bytes, room for what the
    // compressor writes past a chunk's length before it gives up, and for the whole words
    // both coders move a little past the bytes in use.
    static constexpr int BufferSize = ChunkSize + 16;

    void setInputFile(const QString &path) { m_inputFile = path; }
    QString inputFile() const { return m_inputFile; }
    void setOutputFile(const QString &path) { m_outputFile = path; }
    QString outputFile() const { return m_outputFile; }

    // Compresses InputFile into OutputFile; returns the container's size. The output is
    // replaced atomically: on failure nothing is left at OutputFile but what was there
    // before. Between chunks pending events are processed, so a window stays responsive
    // on a long file.
    qint64 Compress();
    // Restores the container InputFile into OutputFile; returns the bytes written.
    // Replaces the output atomically, and processes events between blocks, as Compress.
    qint64 Decompress();

    // The same two operations in memory. `name` stands for the input (and output) file in
    // the messages of the exceptions, e.g. the file the bytes were read from.
    QByteArray compressBytes(const QByteArray &data, const QString &name = QString());
    QByteArray decompressBytes(const QByteArray &container, const QString &name = QString());

private:
    QString m_inputFile;
    QString m_outputFile;
    // Positions of earlier three-byte sequences by hash; cleared for every chunk, so
    // blocks never depend on each other. 0xFFFF marks an empty entry.
    std::array<uint16_t, 4096> m_hash{};
};
