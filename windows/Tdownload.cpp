// The lobby window: its three panels, the download's state on its status lines, and the
// starting of the lobby program.
#include "windows/Tdownload.h"

#include "client/Artwork.h"
#include "client/TilePainter.h"
#include "windows/ProgramStarter.h"

#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const QString kTitle = QStringLiteral("Download The Korvex Lobby");
const QString kNoLobbyText = QStringLiteral(
    "Please close the game and open the Korvex Lobby using the icon on your desktop or using the your Window's "
    "start-up menu.");
const QString kErrorText = QStringLiteral("An Error has Occurred.");
const QString kAbortedLine = QStringLiteral("Download Aborted");

constexpr QSize kLobbyPictureSize(150, 122);

QString notRunText(LobbyDownload::NotRun why)
{
    switch (why) {
    case LobbyDownload::NotRun::NoDigestKnown: return QStringLiteral("no SHA-256 checksum is known for this download.");
    case LobbyDownload::NotRun::DigestDiffers: return QStringLiteral("its SHA-256 checksum is not the expected one.");
    case LobbyDownload::NotRun::Unreadable: break;
    }
    return QStringLiteral("it could not be read back.");
}

QLabel *plainLabel(const QString &text, QWidget *parent, const QString &objectName = {})
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(text);
    if (!objectName.isEmpty())
        label->setObjectName(objectName);
    return label;
}

QPushButton *button(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    return b;
}

QFrame *panel(const QString &objectName, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(objectName);
    return frame;
}

}  // namespace

Tdownload::Tdownload(LobbyPlaces places, FolderChooser downloadFolder, ProgramStarter &starter, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_starter(starter)
    , m_download(std::make_unique<LobbyDownload>(std::move(places), std::move(downloadFolder), starter))
{
    Q_INIT_RESOURCE(pictures);
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(kTitle);
    setFixedSize(kClientWidth, kClientHeight);

    // The main window's artwork as the background, the panels darkened over it.
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setBrush(QPalette::Window, QBrush(Artwork::pixmap(QStringLiteral("board.jpg"), devicePixelRatioF())));
    setPalette(palette);
    // The light text is for the panels' labels alone: a message box opened from this
    // window takes the window's style sheet too, and keeps its own light background.
    setStyleSheet(QStringLiteral("QFrame#panel_download, QFrame#panel_solo, QFrame#panel_lobby {"
                                 " background: rgba(20, 40, 28, 215); border: 1px solid #c89a4a; border-radius: 5px; }"
                                 " QFrame#panel_download QLabel, QFrame#panel_solo QLabel, QFrame#panel_lobby QLabel {"
                                 " color: #f4e8c8; background: transparent; }"
                                 " QFrame#panel_download QLabel#label_status1, QFrame#panel_download "
                                 "QLabel#label_status2 { color: #ffd56a; font-weight: bold; }"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(8);
    QFrame *download = panel(QStringLiteral("panel_download"), this);
    QFrame *solo = panel(QStringLiteral("panel_solo"), this);
    QFrame *lobby = panel(QStringLiteral("panel_lobby"), this);
    buildDownloadPanel(download);
    buildSoloPanel(solo);
    buildLobbyPanel(lobby);
    column->addWidget(download, 1);
    column->addWidget(solo);
    column->addWidget(lobby);

    connect(m_download.get(), &LobbyDownload::changed, this, &Tdownload::showDownload);
    connect(m_download.get(), &LobbyDownload::failed, this,
            [this](const QString &why) { showMessage(kDownloadFailedBox, why); });
    connect(m_download.get(), &LobbyDownload::installerNotStarted, this,
            [this] { showMessage(kErrorBox, kErrorText); });
    connect(m_download.get(), &LobbyDownload::installerStarted, this, &Tdownload::programEndRequested);
    showDownload();
}

// The download goes first, quietly: it signals nothing while it is taken down.
Tdownload::~Tdownload() = default;

void Tdownload::buildDownloadPanel(QWidget *frame)
{
    m_picture = new QLabel(frame);
    m_picture->setObjectName(QStringLiteral("image_lobby"));
    m_picture->setTextFormat(Qt::PlainText);
    m_picture->setFixedSize(kLobbyPictureSize);
    // The picture is drawn when the window is first shown, for the screen it shows on.

    QLabel *text = plainLabel(QStringLiteral("Download The Korvex Lobby Now to play this  and other exciting games "
                                             "online with other players! "),
                              frame, QStringLiteral("label_download"));
    QFont big = text->font();
    big.setPointSizeF(big.pointSizeF() * 1.15);
    big.setBold(true);
    text->setFont(big);

    m_buttonDownload =
        button(QStringLiteral("Download And Install The Korvex Lobby Now"), QStringLiteral("button_download"), frame);
    m_buttonStop = button(QStringLiteral("Stop Download"), QStringLiteral("button_stop"), frame);
    connect(m_buttonDownload, &QPushButton::clicked, this, &Tdownload::button_downloadClick);
    connect(m_buttonStop, &QPushButton::clicked, this, &Tdownload::button_stopClick);

    m_status1 = plainLabel(QString(), frame, QStringLiteral("label_status1"));
    m_status1->setWordWrap(false);
    m_status2 = plainLabel(QString(), frame, QStringLiteral("label_status2"));
    // Room for a path and the reason it was not run.
    m_status2->setMinimumHeight(2 * m_status2->fontMetrics().lineSpacing());
    m_status2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *side = new QVBoxLayout;
    side->setSpacing(6);
    side->addWidget(text);
    side->addStretch(1);
    side->addWidget(m_buttonDownload);
    auto *stopRow = new QHBoxLayout;
    stopRow->addStretch(1);
    stopRow->addWidget(m_buttonStop);
    side->addLayout(stopRow);

    auto *top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(m_picture, 0, Qt::AlignTop);
    top->addLayout(side, 1);

    auto *all = new QVBoxLayout(frame);
    all->setContentsMargins(10, 10, 10, 8);
    all->setSpacing(4);
    all->addLayout(top);
    all->addWidget(m_status1);
    all->addWidget(m_status2, 1);
}

void Tdownload::buildSoloPanel(QWidget *frame)
{
    QLabel *text = plainLabel(
        QStringLiteral("To proceed to the game without the ability to play against others click the button below."),
        frame, QStringLiteral("label_solo"));
    m_buttonSolo = button(QStringLiteral("Play Solo Game"), QStringLiteral("button_solo"), frame);
    m_buttonSolo->setDefault(true);
    connect(m_buttonSolo, &QPushButton::clicked, this, &Tdownload::button_soloClick);
    QLabel *note = plainLabel(QStringLiteral("Note: Even if you are playing offline, you will need to configure your "
                                             "FIREWALL to allow the game to access the internet components."),
                              frame, QStringLiteral("label_firewall"));
    QFont small = note->font();
    small.setItalic(true);
    note->setFont(small);

    auto *all = new QVBoxLayout(frame);
    all->setContentsMargins(10, 8, 10, 8);
    all->setSpacing(6);
    all->addWidget(text);
    all->addWidget(m_buttonSolo, 0, Qt::AlignHCenter);
    all->addWidget(note);
}

void Tdownload::buildLobbyPanel(QWidget *frame)
{
    QLabel *text = plainLabel(QStringLiteral("If you already have The Korvex Lobby and you wish to play with others "
                                             "then click the button below to close this game and open The Korvex "
                                             "Lobby."),
                              frame, QStringLiteral("label_lobby"));
    m_buttonLobby = button(QStringLiteral("Play with Others"), QStringLiteral("button_lobby"), frame);
    connect(m_buttonLobby, &QPushButton::clicked, this, &Tdownload::button_lobbyClick);

    auto *all = new QVBoxLayout(frame);
    all->setContentsMargins(10, 8, 10, 8);
    all->setSpacing(6);
    all->addWidget(text);
    all->addWidget(m_buttonLobby, 0, Qt::AlignHCenter);
}

// --- The buttons ------------------------------------------------------------------------

void Tdownload::present()
{
    show();
    raise();
    activateWindow();
}

void Tdownload::button_soloClick()
{
    hide();
}

void Tdownload::button_lobbyClick()
{
    const QString &program = m_download->places().lobbyProgram();
    if (!m_starter.exists(program)) {
        if (m_playWithOthers) {
            hide();
            m_playWithOthers();
            return;
        }
        showMessage(kNoLobbyBox, kNoLobbyText);
        return;
    }
    if (!m_starter.start(program, {})) {
        showMessage(kErrorBox, kErrorText);
        return;
    }
    Q_EMIT programEndRequested();
}

void Tdownload::button_downloadClick()
{
    m_download->start();
}

void Tdownload::button_stopClick()
{
    m_download->stop();
}

// --- The download's state ---------------------------------------------------------------

namespace {

// " of 2000 (25%)" when the size of the whole is known, else nothing.
QString ofTotal(const LobbyDownload &d)
{
    const std::optional<qint64> total = d.total();
    if (!total || *total <= 0)
        return QString();
    const qint64 percent = std::min<qint64>(100, d.bytes() * 100 / *total);
    return QStringLiteral(" of %1 (%2%)").arg(*total).arg(percent);
}

}  // namespace

void Tdownload::showDownload()
{
    const LobbyDownload &d = *m_download;
    const QString received = QStringLiteral("Received %1 bytes").arg(d.bytes());
    QString line1;
    QString line2;
    switch (d.stage()) {
    case LobbyDownload::Stage::Idle: break;
    case LobbyDownload::Stage::Loading:
        line1 = QStringLiteral("Loading") + QString(d.headerLines(), QLatin1Char('.'));
        break;
    case LobbyDownload::Stage::Receiving:
        // Until the first piece of the body, the header's dots stay.
        line1 = d.bytes() == 0 ? QStringLiteral("Loading") + QString(d.headerLines(), QLatin1Char('.'))
                               : QString::number(d.bytes()) + QStringLiteral(" bytes") + ofTotal(d);
        line2 = QStringLiteral("Downloading: ") + d.fileName();
        break;
    case LobbyDownload::Stage::Stopped:
        line1 = QStringLiteral("Download has been aborted.");
        line2 = kAbortedLine;
        break;
    case LobbyDownload::Stage::Failed:
        line1 = kAbortedLine;
        line2 = d.failure();
        break;
    case LobbyDownload::Stage::Kept:
        line1 = received;
        line2 = QStringLiteral("Saved as %1 but not run: %2")
                    .arg(QDir::toNativeSeparators(d.savedPath()), notRunText(d.notRunBecause()));
        break;
    case LobbyDownload::Stage::Installing:
        line1 = received;
        line2 = QStringLiteral("Installing");
        break;
    }
    m_status1->setText(line1);
    m_status2->setText(line2);
    m_buttonDownload->setEnabled(!d.running());
    m_buttonStop->setEnabled(d.running());
}

void Tdownload::showMessage(const QString &objectName, const QString &text)
{
    // Not a nested event loop: the game, the chat and the download go on behind it.
    auto *box = new QMessageBox(QMessageBox::Information, kTitle, QString(), QMessageBox::Ok, this);
    box->setObjectName(objectName);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// --- Pictures ---------------------------------------------------------------------------

QPixmap Tdownload::lobbyPicture(qreal devicePixelRatio)
{
    QPixmap picture(kLobbyPictureSize * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // A globe in the game's greens and golds: players all over the world.
    const QColor gold(255, 213, 106);
    const QRectF globe(27, 2, 96, 96);
    const QPointF centre = globe.center();
    const qreal radius = globe.width() / 2;
    QRadialGradient sea(centre - QPointF(22, 24), radius * 1.5);
    sea.setColorAt(0, QColor(112, 186, 140));
    sea.setColorAt(1, QColor(16, 62, 44));
    p.setPen(QPen(gold, 2));
    p.setBrush(sea);
    p.drawEllipse(globe);

    p.save();
    QPainterPath inside;
    inside.addEllipse(globe);
    p.setClipPath(inside);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 213, 106, 150), 1.2));
    for (const qreal share : {0.3, 0.65})
        p.drawEllipse(QRectF(centre.x() - radius * share, globe.top(), 2 * radius * share, globe.height()));
    p.drawLine(QPointF(centre.x(), globe.top()), QPointF(centre.x(), globe.bottom()));
    for (const qreal dy : {-0.55, 0.0, 0.55}) {
        const qreal y = centre.y() + dy * radius;
        const qreal half = radius * std::sqrt(1 - dy * dy);
        p.drawLine(QPointF(centre.x() - half, y), QPointF(centre.x() + half, y));
    }
    p.restore();

    // The lobby's name on the game's own tiles, tilted in turn, in front of the globe.
    constexpr std::array<int, 5> kLobby{12, 15, 2, 2, 25};
    constexpr qreal kTile = 28;
    constexpr qreal kGap = 2;
    const qreal left = (kLobbyPictureSize.width() - (kLobby.size() * kTile + (kLobby.size() - 1) * kGap)) / 2;
    const qreal top = kLobbyPictureSize.height() - kTile - 3;
    for (size_t i = 0; i < kLobby.size(); ++i) {
        p.save();
        p.translate(left + i * (kTile + kGap) + kTile / 2, top + kTile / 2);
        p.rotate(i % 2 == 0 ? -5 : 5);
        const QPixmap &tile = TilePainter::picture(kLobby[i], devicePixelRatio);
        p.drawPixmap(QRectF(-kTile / 2, -kTile / 2, kTile, kTile), tile, QRectF(tile.rect()));
        p.restore();
    }
    return picture;
}

// --- Window -----------------------------------------------------------------------------

void Tdownload::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_picture->pixmap().isNull())
        m_picture->setPixmap(lobbyPicture(devicePixelRatioF()));
    if (const QScreen *desktop = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(desktop->availableGeometry().center());
        move(frame.topLeft());
    }
    m_buttonSolo->setFocus(Qt::OtherFocusReason);
}

void Tdownload::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window as its close box would; the solo game goes on.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // Enter presses the focused button, else the default one, as in a dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        QPushButton *target = focused && focused->isEnabled() ? focused : m_buttonSolo;
        target->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
