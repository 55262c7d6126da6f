// The lobby installer's download: fetch, check, keep, run; see LobbyDownload.h.
#include "windows/LobbyDownload.h"

#include "net/HttpClient.h"
#include "windows/ProgramStarter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <algorithm>

#include <filesystem>
#include <system_error>

namespace {

constexpr QFileDevice::Permissions kPlainFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
    | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions kProgramFile =
    kPlainFile | QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;

std::filesystem::path nativePath(const QString &path)
{
#if defined(Q_OS_WIN)
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Renames `from` over `to` in one step (QFile::rename never replaces a file); the
// reason when it could not.
QString replaceFile(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    return error ? QString::fromStdString(error.message()) : QString();
}

bool isPlainNameCharacter(QChar c)
{
    return c.category() != QChar::Other_Control && c != QLatin1Char('/') && c != QLatin1Char('\\');
}

}  // namespace

LobbyDownload::LobbyDownload(LobbyPlaces places, FolderChooser folder, ProgramStarter &starter, QObject *parent)
    : QObject(parent)
    , m_places(std::move(places))
    , m_folder(folder ? std::move(folder) : FolderChooser(&LobbyPlaces::defaultDownloadFolder))
    , m_starter(starter)
    , m_client(std::make_unique<net::HttpClient>())
{
    connect(m_client.get(), &net::HttpClient::headerLineReceived, this, &LobbyDownload::onHeaderLine);
    connect(m_client.get(), &net::HttpClient::bodyStarted, this, &LobbyDownload::onBodyStarted);
    connect(m_client.get(), &net::HttpClient::bytesReceived, this, &LobbyDownload::onBytesReceived);
    connect(m_client.get(), &net::HttpClient::finished, this, &LobbyDownload::onFinished);
}

LobbyDownload::~LobbyDownload()
{
    // The client first, quietly: the temporary file is its sink, and goes with it.
    m_client.reset();
    m_file.reset();
}

std::optional<QString> LobbyDownload::fileNameOf(const QUrl &address)
{
    // Split before decoding, so that an encoded "/" stays inside the segment.
    const QString path = address.path(QUrl::FullyEncoded);
    const QString segment = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (segment.isEmpty())
        return kFallbackFileName;
    const QString name = QUrl::fromPercentEncoding(segment.toLatin1());
    if (name == QLatin1String(".") || name == QLatin1String("..")
        || !std::all_of(name.begin(), name.end(), isPlainNameCharacter))
        return std::nullopt;
    // Such a name could be taken for a kept file that was not checked, or be one.
    if (name.endsWith(kUnverifiedSuffix, Qt::CaseInsensitive))
        return std::nullopt;
    return name;
}

void LobbyDownload::start()
{
    if (running())
        return;
    m_headerLines = 0;
    m_bytes = 0;
    m_total.reset();
    m_savedPath.clear();
    m_failure.clear();
    const std::optional<QString> name = fileNameOf(m_places.downloadAddress());
    if (!name) {
        m_fileName.clear();
        m_targetPath.clear();
        fail(QStringLiteral("The download was refused: its address does not end in a plain file name (%1).")
                 .arg(m_places.downloadAddress().toDisplayString()));
        return;
    }
    m_fileName = *name;
    const QDir folder(m_folder());
    m_targetPath = folder.filePath(m_fileName);

    // Hidden and private until it is whole and checked.
    m_file = std::make_unique<QTemporaryFile>(folder.filePath(QStringLiteral(".%1.XXXXXX.part").arg(m_fileName)));
    if (!m_file->open()) {
        const QString why = QStringLiteral("%1 cannot be written: %2")
                                .arg(QDir::toNativeSeparators(m_targetPath), m_file->errorString());
        m_file.reset();
        fail(why);
        return;
    }
    // Told once the client runs, so that whoever shows it sees a running download.
    m_stage = Stage::Loading;
    m_client->get(m_places.downloadAddress(), m_file.get());
    Q_EMIT changed();
}

void LobbyDownload::stop()
{
    if (!running())
        return;
    m_stopping = true;
    m_client->abort();  // finished() comes before abort() returns
    m_stopping = false;
}

bool LobbyDownload::running() const
{
    return m_client->isRunning();
}

void LobbyDownload::onHeaderLine()
{
    ++m_headerLines;
    Q_EMIT changed();
}

void LobbyDownload::onBodyStarted()
{
    m_total = m_client->expectedBodySize();
    setStage(Stage::Receiving);
}

void LobbyDownload::onBytesReceived(qint64 total)
{
    m_bytes = total;
    Q_EMIT changed();
}

void LobbyDownload::onFinished(bool ok, const QString &statusText)
{
    if (!ok) {
        m_file.reset();  // the temporary file goes; no final name was touched
        if (m_stopping) {
            setStage(Stage::Stopped);
            Q_EMIT ended(false);
        } else {
            fail(statusText);
        }
        return;
    }
    keep();
}

void LobbyDownload::keep()
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const bool readable = m_file->flush() && m_file->seek(0) && hash.addData(m_file.get());
    const bool verified = readable && m_places.matchesDownload(hash.result());
    if (!readable)
        m_notRun = NotRun::Unreadable;
    else if (m_places.downloadSha256().isEmpty())
        m_notRun = NotRun::NoDigestKnown;
    else
        m_notRun = NotRun::DigestDiffers;

    m_bytes = m_file->size();
    const QString path = verified ? m_targetPath : m_targetPath + kUnverifiedSuffix;
    const QString temporaryPath = m_file->fileName();
    QString why;
    if (!m_file->setPermissions(verified ? kProgramFile : kPlainFile))
        why = m_file->errorString();
    m_file->close();
    if (why.isEmpty())
        why = replaceFile(temporaryPath, path);
    if (!why.isEmpty()) {
        m_file.reset();
        fail(QStringLiteral("%1 could not be saved: %2").arg(QDir::toNativeSeparators(path), why));
        return;
    }
    m_file->setAutoRemove(false);
    m_file.reset();
    m_savedPath = path;
    setStage(verified ? Stage::Installing : Stage::Kept);
    Q_EMIT ended(true);
    if (verified)
        install();
}

void LobbyDownload::install()
{
    if (!m_starter.start(m_savedPath, kInstallerArguments)) {
        Q_EMIT installerNotStarted();
        return;
    }
    Q_EMIT installerStarted();
}

void LobbyDownload::fail(const QString &why)
{
    m_failure = why;
    setStage(Stage::Failed);
    Q_EMIT failed(why);
    Q_EMIT ended(false);
}

void LobbyDownload::setStage(Stage stage)
{
    m_stage = stage;
    Q_EMIT changed();
}
