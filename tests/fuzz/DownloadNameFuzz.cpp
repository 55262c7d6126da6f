// Fuzz harness of the name a lobby download is saved under, taken from the download
// address that the settings file gives. Whatever the address, the name (when there is
// one) is a plain file name that stays in the download folder and cannot be taken for a
// file that was kept unchecked.
//
// Input: the address's text, as the settings file would hold it.
#include "FuzzCheck.h"

#include "windows/LobbyDownload.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QUrl>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QString> name = LobbyDownload::fileNameOf(QUrl(text));
    if (!name)
        return 0;
    FUZZ_CHECK(!name->isEmpty());
    FUZZ_CHECK(*name != QLatin1String(".") && *name != QLatin1String(".."));
    for (const QChar c : *name)
        FUZZ_CHECK(c.category() != QChar::Other_Control && c != QLatin1Char('/') && c != QLatin1Char('\\'));
    FUZZ_CHECK(!name->endsWith(LobbyDownload::kUnverifiedSuffix, Qt::CaseInsensitive));
    const QString folder = QStringLiteral("/downloads");
    FUZZ_CHECK(QFileInfo(QDir(folder).filePath(*name)).absolutePath() == folder);
    return 0;
}
