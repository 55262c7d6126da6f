// The "Play with Others" window: its widgets and their wiring to the model and the probe.
#include "windows/Tplaywithothers.h"

#include "net/GameFacts.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QLabel *wrappedPlainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
}  // namespace

Tplaywithothers::Tplaywithothers(const QString &settingsPath, QWidget *parent, int probeTimeoutMs)
    : QWidget(parent, Qt::Window)
    , m_model(settingsPath)
    , m_probe(probeTimeoutMs)
    , m_probeTimeoutMs(probeTimeoutMs)
{
    setObjectName(QStringLiteral("playwithothers"));
    setWindowTitle(QStringLiteral("Play with Others"));
    // Its own palette: the lobby window's colours are not for this window's text.
    setPalette(QApplication::palette());
    auto *layout = new QVBoxLayout(this);

    auto *nameRow = new QFormLayout;
    m_name = new QLineEdit(m_model.playerName(), this);
    m_name->setObjectName(QStringLiteral("edit_name"));
    m_name->setMaxLength(64);
    nameRow->addRow(QStringLiteral("Your name:"), m_name);
    layout->addLayout(nameRow);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    auto *hostTab = new QWidget(m_tabs);
    buildHostTab(hostTab);
    m_tabs->addTab(hostTab, QStringLiteral("Host a Game"));
    auto *joinTab = new QWidget(m_tabs);
    buildJoinTab(joinTab);
    m_tabs->addTab(joinTab, QStringLiteral("Join a Game"));
    m_hostingTab = new QWidget(m_tabs);
    buildHostingTab(m_hostingTab);
    m_hostingTab->hide();  // a tab only while hosting
    layout->addWidget(m_tabs);

    m_status = wrappedPlainLabel(QString(), this);
    m_status->setObjectName(QStringLiteral("label_status"));
    layout->addWidget(m_status);

    connect(&m_model, &PlayWithOthersModel::changed, this, &Tplaywithothers::showModel);
    connect(&m_probe, &JoinProbe::finished, this, &Tplaywithothers::probed);
    resize(460, 380);
    showModel();
}

void Tplaywithothers::buildHostTab(QWidget *tab)
{
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(wrappedPlainLabel(QStringLiteral("Host a game on this computer. Others join it with one of the "
                                                       "invite links this window shows once the game is hosted."),
                                        tab));
    auto *form = new QFormLayout;
    m_port = new QLineEdit(QString::number(quarn::kPort), tab);
    m_port->setObjectName(QStringLiteral("edit_port"));
    m_port->setMaxLength(5);
    form->addRow(QStringLiteral("Port:"), m_port);
    layout->addLayout(form);
    m_host = new QPushButton(QStringLiteral("Host"), tab);
    m_host->setObjectName(QStringLiteral("button_host"));
    connect(m_host, &QPushButton::clicked, this, &Tplaywithothers::hostClick);
    layout->addWidget(m_host, 0, Qt::AlignRight);
    layout->addStretch();
}

void Tplaywithothers::buildJoinTab(QWidget *tab)
{
    auto *layout = new QVBoxLayout(tab);
    auto *form = new QFormLayout;
    m_address = new QLineEdit(tab);
    m_address->setObjectName(QStringLiteral("edit_address"));
    m_address->setPlaceholderText(QStringLiteral("192.168.1.20, host:7772, [2001:db8::1] or quarn://..."));
    form->addRow(QStringLiteral("Address or invite link:"), m_address);
    layout->addLayout(form);
    m_join = new QPushButton(QStringLiteral("Join"), tab);
    m_join->setObjectName(QStringLiteral("button_join"));
    connect(m_join, &QPushButton::clicked, this, &Tplaywithothers::joinClick);
    connect(m_address, &QLineEdit::returnPressed, this, &Tplaywithothers::joinClick);
    layout->addWidget(m_join, 0, Qt::AlignRight);
    layout->addWidget(wrappedPlainLabel(QStringLiteral("Recent games (double-click to join):"), tab));
    m_recent = new QListWidget(tab);
    m_recent->setObjectName(QStringLiteral("list_recent"));
    connect(m_recent, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        const int row = m_recent->row(item);
        if (row < 0 || row >= m_model.recent().games().size())
            return;
        m_address->setText(m_model.recent().games().at(row).address);
        joinClick();
    });
    layout->addWidget(m_recent);
}

void Tplaywithothers::buildHostingTab(QWidget *tab)
{
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(wrappedPlainLabel(QStringLiteral("You are hosting. Send one of these invite links to the others "
                                                       "(one through the router comes first and reaches across the "
                                                       "internet, the next ones are for this network, an IPv6 one "
                                                       "reaches across the internet when no firewall is in between). "
                                                       "What the router answered is below them:"),
                                        tab));
    m_linkRows = new QVBoxLayout;
    layout->addLayout(m_linkRows);
    layout->addStretch();
}

void Tplaywithothers::present()
{
    show();
    raise();
    activateWindow();
}

void Tplaywithothers::showHosting(const QList<HostingAddresses::Interface> &interfaces, quint16 port)
{
    m_model.setHosting(HostingAddresses::inviteLinks(interfaces, port));
}

void Tplaywithothers::hostClick()
{
    if (m_model.busy())
        return;
    if (const auto restart = m_model.host(m_name->text(), m_port->text()))
        Q_EMIT restartRequested(restart->arguments, restart->port);
}

void Tplaywithothers::joinClick()
{
    if (m_model.busy())
        return;
    m_pendingJoin = m_model.join(m_name->text(), m_address->text());
    if (!m_pendingJoin)
        return;
    m_model.setBusy(true);
    m_model.setStatus(QStringLiteral("Trying %1 ...").arg(m_pendingJoin->address), false);
    m_probe.start(m_pendingJoin->host, m_pendingJoin->port);
}

void Tplaywithothers::probed(JoinProbe::Outcome outcome, const QString &detail)
{
    m_model.setBusy(false);
    if (!m_pendingJoin)
        return;
    const PlayWithOthersModel::Join join = *std::exchange(m_pendingJoin, std::nullopt);
    if (outcome != JoinProbe::Outcome::Open) {
        m_model.setStatus(JoinProbe::describe(outcome, join.host, join.port, m_probeTimeoutMs, detail), true);
        return;
    }
    m_model.setStatus(QStringLiteral("Joining %1 ...").arg(join.address), false);
    m_model.joining(join);
    Q_EMIT restartRequested(join.restart.arguments, join.restart.port);
}

void Tplaywithothers::copyLink(int index)
{
    if (index < 0 || index >= m_model.inviteLinks().size())
        return;
    QGuiApplication::clipboard()->setText(m_model.inviteLinks().at(index));
    m_model.setStatus(QStringLiteral("Copied %1").arg(m_model.inviteLinks().at(index)), false);
}

void Tplaywithothers::showModel()
{
    m_host->setEnabled(!m_model.busy() && !m_model.hosting());
    m_join->setEnabled(!m_model.busy());
    m_status->setText(m_model.status());
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText,
                     m_model.statusIsError() ? QColor(160, 0, 0) : QApplication::palette().color(QPalette::WindowText));
    m_status->setPalette(palette);

    m_recent->clear();
    for (const RecentGames::Game &game : m_model.recent().games()) {
        // Items show plain text whatever they hold.
        m_recent->addItem(game.hostName.isEmpty() ? game.address
                                                  : QStringLiteral("%1  (%2)").arg(game.address, game.hostName));
    }

    // The hosting rows are built again only when what they show has changed.
    const QStringList shown = m_model.inviteLinks() + QStringList{QString()} + m_model.routerLines();
    if (!m_model.hosting() || m_shownHosting == shown)
        return;
    m_shownHosting = shown;
    while (QLayoutItem *item = m_linkRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (m_model.inviteLinks().isEmpty()) {
        m_linkRows->addWidget(wrappedPlainLabel(
            QStringLiteral("This computer has no network address others can reach: connect it to a network."),
            m_hostingTab));
    }
    for (int i = 0; i < m_model.inviteLinks().size(); ++i) {
        auto *row = new QWidget(m_hostingTab);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        QLabel *link = wrappedPlainLabel(m_model.inviteLinks().at(i), row);
        link->setObjectName(QStringLiteral("label_link%1").arg(i + 1));
        link->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rowLayout->addWidget(link, 1);
        auto *copy = new QPushButton(QStringLiteral("Copy"), row);
        copy->setObjectName(QStringLiteral("button_copy%1").arg(i + 1));
        connect(copy, &QPushButton::clicked, this, [this, i] { copyLink(i); });
        rowLayout->addWidget(copy);
        m_linkRows->addWidget(row);
    }
    // What the router answered, in the player's words: plain text, whatever it holds.
    for (int i = 0; i < m_model.routerLines().size(); ++i) {
        QLabel *line = wrappedPlainLabel(m_model.routerLines().at(i), m_hostingTab);
        line->setObjectName(QStringLiteral("label_router%1").arg(i + 1));
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_linkRows->addWidget(line);
    }
    if (m_tabs->indexOf(m_hostingTab) < 0)
        m_tabs->insertTab(0, m_hostingTab, QStringLiteral("Your Game"));
    m_tabs->setCurrentWidget(m_hostingTab);
}
