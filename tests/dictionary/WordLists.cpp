// Test helpers for word lists and dictionary log messages.
#include "WordLists.h"

#include <QFile>

#include <algorithm>

namespace wordlists {

QByteArray record(const QByteArray &word)
{
    QByteArray bytes(1, char(0x1E));
    bytes += word.leftJustified(14, ' ', true);
    return bytes;
}

QByteArray sortedList(const QStringList &words)
{
    QList<QByteArray> records;
    for (const QString &word : words)
        records.append(record(word.toUpper().toLatin1().left(14)));
    std::sort(records.begin(), records.end());
    return records.join();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.isNull())
        bytes = QByteArray("");  // empty but readable, distinct from "cannot read"
    return bytes;
}

}  // namespace wordlists

namespace {

QtMessageHandler previousHandler = nullptr;
int warningCount = 0;
QString collected;

void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && qstrcmp(context.category, "quarn.dictionary") == 0) {
        if (type == QtWarningMsg)
            ++warningCount;
        collected += message + u'\n';
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

}  // namespace

DictionaryMessages::DictionaryMessages()
{
    warningCount = 0;
    collected.clear();
    previousHandler = qInstallMessageHandler(collect);
}

DictionaryMessages::~DictionaryMessages()
{
    qInstallMessageHandler(previousHandler);
}

int DictionaryMessages::warnings() const
{
    return warningCount;
}

QString DictionaryMessages::text() const
{
    return collected;
}
