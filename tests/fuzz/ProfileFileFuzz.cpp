// Fuzz harness of the settings file: the input is the file. It is loaded, a few keys are
// read, one value is set (which one depends on the input's length) and saved. Loading
// must keep the bytes exactly; setting must change only its own line (or add it, with
// its section) and leave every other line and every other value as it was; the saved
// file must read back with the value that was set.
#include "FuzzCheck.h"

#include "client/ProfileFile.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

struct Line {
    QByteArray text;
    QByteArray end;
};

const QByteArray kBom("\xEF\xBB\xBF");

// The lines of a file as a reader sees them: after any byte-order mark, cut after each
// "\n", with "\r\n" or "\n" as the line end.
QList<Line> linesOf(QByteArray bytes)
{
    if (bytes.startsWith(kBom))
        bytes.remove(0, kBom.size());
    QList<Line> lines;
    while (!bytes.isEmpty()) {
        const qsizetype newline = bytes.indexOf('\n');
        if (newline < 0) {
            lines.append({bytes, {}});
            break;
        }
        const qsizetype end = newline > 0 && bytes.at(newline - 1) == '\r' ? newline - 1 : newline;
        lines.append({bytes.left(end), bytes.mid(end, newline + 1 - end)});
        bytes.remove(0, newline + 1);
    }
    return lines;
}

struct Target {
    const char *section;
    const char *key;
    QString value;
};

const QList<Target> &targets()
{
    static const QList<Target> list{
        {"Quarn", "Top", QStringLiteral("42")},
        {"quarn", "Textcolor", QStringLiteral("clred")},
        {"QUARN", "Phrase1", QStringLiteral("well played, see you")},
        {"Lobby", "Left", QStringLiteral("-7")},
        {"New Section", "Name", QStringLiteral("Ren\u00e9e")},
        {"Quarn", "playsounds", QStringLiteral("false")},
        {"", "Top", QStringLiteral("1")},
    };
    return list;
}

const char *const kSections[] = {"Quarn", "Lobby", "quarn", "New Section", ""};
const char *const kKeys[] = {"Top", "Left", "Textcolor", "Phrase1", "Name", "Playsounds", "Turnsound"};

const QString kFallbackA = QStringLiteral("\x01"
                                          "a");
const QString kFallbackB = QStringLiteral("\x01"
                                          "b");

QString filePath()
{
    // In the temporary folder, which scripts/fuzz.sh puts on a memory file system: every
    // save syncs the file to disk.
    static const QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    return folder.filePath(QStringLiteral("korvexlobby.ini"));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Lines the same except that one key line has a new value after its "=".
void checkReplaced(const QList<Line> &before, const QList<Line> &after)
{
    FUZZ_CHECK(after.size() == before.size());
    int changed = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        FUZZ_CHECK(after[i].end == before[i].end);
        if (after[i].text == before[i].text)
            continue;
        ++changed;
        const qsizetype equals = before[i].text.indexOf('=');
        FUZZ_CHECK(equals >= 0);
        FUZZ_CHECK(after[i].text.startsWith(before[i].text.left(equals + 1)));
    }
    FUZZ_CHECK(changed <= 1);
}

// True when `after` is the line `before`, or, for a last line without a line end,
// that line with one added ("x\r" becoming "x\r\n" reads back as "x" and "\r\n").
bool sameLine(const Line &before, const Line &after, bool lastWithoutEnd)
{
    if (after.text == before.text && after.end == before.end)
        return true;
    const QByteArray whole = after.text + after.end;
    return lastWithoutEnd && (whole == before.text + "\n" || whole == before.text + "\r\n");
}

// Every line still there, in order, with one or two lines (the key, and its section
// header when it was missing) added; only a last line without a line end may gain one.
void checkInserted(const QList<Line> &before, const QList<Line> &after)
{
    FUZZ_CHECK(after.size() == before.size() + 1 || after.size() == before.size() + 2);
    qsizetype j = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const bool lastWithoutEnd = i == before.size() - 1 && before[i].end.isEmpty();
        while (j < after.size() && !sameLine(before[i], after[j], lastWithoutEnd))
            ++j;
        FUZZ_CHECK(j < after.size());
        ++j;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = filePath();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }

    ProfileFile profile(path);
    FUZZ_CHECK(profile.load());
    FUZZ_CHECK(profile.contents() == bytes);

    QList<std::pair<std::pair<QString, QString>, QString>> values;
    for (const char *section : kSections) {
        for (const char *key : kKeys) {
            const QString s = QString::fromLatin1(section);
            const QString k = QString::fromLatin1(key);
            const QString value = profile.value(s, k, kFallbackA);
            if (profile.contains(s, k))
                FUZZ_CHECK(profile.value(s, k, kFallbackB) == value);
            else
                FUZZ_CHECK(value == kFallbackA);
            values.append({{s, k}, value});
        }
    }

    const Target &target = targets().at(qsizetype(size % size_t(targets().size())));
    const QString section = QString::fromLatin1(target.section);
    const QString key = QString::fromLatin1(target.key);
    const bool existed = profile.contains(section, key);
    profile.setValue(section, key, target.value);
    FUZZ_CHECK(profile.contains(section, key));
    FUZZ_CHECK(profile.value(section, key) == target.value);

    for (const auto &[where, value] : std::as_const(values)) {
        const bool same = where.first.compare(section, Qt::CaseInsensitive) == 0
            && where.second.compare(key, Qt::CaseInsensitive) == 0;
        if (!same)
            FUZZ_CHECK(profile.value(where.first, where.second, kFallbackA) == value);
    }

    const QByteArray written = profile.contents();
    FUZZ_CHECK(written.startsWith(kBom) == bytes.startsWith(kBom));
    if (existed)
        checkReplaced(linesOf(bytes), linesOf(written));
    else
        checkInserted(linesOf(bytes), linesOf(written));

    FUZZ_CHECK(profile.save());
    FUZZ_CHECK(readFile(path) == written);
    ProfileFile again(path);
    FUZZ_CHECK(again.load());
    FUZZ_CHECK(again.contents() == written);
    FUZZ_CHECK(again.value(section, key) == target.value);

    // Setting the same key once more changes its line in place.
    again.setValue(section, key, QStringLiteral("again"));
    FUZZ_CHECK(again.value(section, key) == QStringLiteral("again"));
    checkReplaced(linesOf(written), linesOf(again.contents()));
    return 0;
}
