// The about window: its controls on the table's green, the version row, the web
// address that opens through the injected opener, and centring on the main window.
#include "windows/Tabout.h"
#include "windows/DialogKeys.h"

#include "client/Artwork.h"

#include "net/Catalogue.h"
#include "windows/LobbyPlaces.h"
#include "windows/LogoLabel.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

Q_LOGGING_CATEGORY(lcAbout, "quarn.about", QtWarningMsg)

constexpr int kLogoTileSize = 30;

QLabel *textLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    label->setIndent(0);
    QFont font = label->font();
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

Tabout::Tabout(QWidget *mainWindow, const QUrl &webAddress, UrlOpener opener)
    : QWidget(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_mainWindow(mainWindow)
    , m_opener(opener ? std::move(opener) : UrlOpener([](const QUrl &url) { QDesktopServices::openUrl(url); }))
{
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(QStringLiteral("Quarn - About"));
    setFixedSize(kClientWidth, kClientHeight);

    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(244, 232, 200));
    setPalette(palette);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);

    m_logo = new LogoLabel(this, kLogoTileSize);
    connect(m_logo, &LogoLabel::clicked, this, &Tabout::openWebAddress);
    column->addWidget(m_logo, 0, Qt::AlignHCenter);

    // "Version 1.0.6.1": the login version and the build number are separate labels
    // that stand against each other.
    auto *versionRow = new QHBoxLayout;
    versionRow->setSpacing(0);
    versionRow->addStretch();
    versionRow->addWidget(textLabel(QStringLiteral("Version"), QStringLiteral("label_version"), this));
    versionRow->addSpacing(6);
    versionRow->addWidget(textLabel(QString::fromLatin1(net::kVersion), QStringLiteral("version"), this));
    versionRow->addWidget(textLabel(QStringLiteral(".1"), QStringLiteral("label_build"), this));
    versionRow->addStretch();
    column->addLayout(versionRow);

    m_web = new ClickableLabel(this);
    m_web->setObjectName(QStringLiteral("label_web"));
    m_web->setTextFormat(Qt::PlainText);
    m_web->setAlignment(Qt::AlignCenter);
    m_web->setStyleSheet(QStringLiteral("color: #9fd8ff; text-decoration: underline;"));
    connect(m_web, &ClickableLabel::clicked, this, &Tabout::openWebAddress);
    column->addWidget(m_web, 0, Qt::AlignHCenter);

    column->addStretch();
    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    m_done->setFixedWidth(88);
    m_done->setDefault(true);
    connect(m_done, &QPushButton::clicked, this, &QWidget::hide);
    dialogkeys::install(this, m_done, m_done);
    column->addWidget(m_done, 0, Qt::AlignHCenter);

    setWebAddress(webAddress);
}

void Tabout::setWebAddress(const QUrl &address)
{
    m_webAddress = address;
    const QString shown = address.toDisplayString();
    m_web->setText(shown);
    m_web->setToolTip(shown);
    m_logo->setToolTip(shown);
}

void Tabout::openWebAddress()
{
    if (!LobbyPlaces::isWebPage(m_webAddress)) {
        qCWarning(lcAbout) << "not opening" << m_webAddress.toDisplayString()
                           << "(only http and https addresses are opened)";
        return;
    }
    m_opener(m_webAddress);
}

void Tabout::present()
{
    show();
    raise();
    activateWindow();
}

void Tabout::paintEvent(QPaintEvent *)
{
    // The green of the game's table, framed in gold.
    QPainter painter(this);
    Artwork::paintFelt(painter, rect());
    painter.setPen(QPen(QColor(200, 154, 74), 1.0));
    painter.drawRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5));
}

void Tabout::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_mainWindow) {
        // The client area is placed, not the frame: the frame's size is not known yet
        // when the window is first shown, and a frame of even width keeps the centre.
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(m_mainWindow->frameGeometry().center());
        setGeometry(placed);
    }
    m_done->setFocus(Qt::OtherFocusReason);
}
