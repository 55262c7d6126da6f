// The spectator list window: the list follows the roster's spectators, the pop-up menu
// removes one when this copy hosts the game.
#include "windows/Tspylist.h"
#include "windows/DialogKeys.h"

#include "client/ConnectionHalf.h"
#include "client/model/ClientGame.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

Tspylist::Tspylist(const Roster &roster, const ClientGame &game, ConnectionHalf &connection, QWidget *mainWindow)
    : QWidget(mainWindow,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowCloseButtonHint)
    , m_roster(roster)
    , m_game(game)
    , m_connection(connection)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Tspylist"));
    setWindowTitle(QStringLiteral("Quarn -Spys"));
    resize(kClientWidth, kClientHeight);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listbox_spys"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMouseTracking(true);
    m_list->viewport()->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &Tspylist::popupAt);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("popup_spys"));
    m_removeFromGame = m_popup->addAction(QStringLiteral("Remove From Game"));
    m_removeFromGame->setObjectName(QStringLiteral("RemoveFromGame1"));
    m_removeFromGame->setEnabled(m_game.leadsGame());
    connect(m_removeFromGame, &QAction::triggered, this, &Tspylist::RemoveFromGame1Click);

    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("button_done"));
    connect(m_done, &QPushButton::clicked, this, &Tspylist::button_doneClick);
    m_done->setDefault(true);
    dialogkeys::install(this, m_done, m_done);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);
    column->addWidget(m_list);
    column->addWidget(m_done, 0, Qt::AlignHCenter);

    connect(&m_roster, &Roster::changed, this, &Tspylist::refill);
    connect(&m_game, &ClientGame::loginChanged, this, [this] { m_removeFromGame->setEnabled(m_game.leadsGame()); });
    refill();
}

void Tspylist::refill()
{
    m_shown = m_roster.spectators();
    m_list->clear();
    for (const Roster::Participant &spectator : std::as_const(m_shown))
        m_list->addItem(QString::number(spectator.slot) + QStringLiteral(": ") + spectator.name);
    // The entries under a resting pointer may have moved up.
    QWidget *viewport = m_list->viewport();
    if (viewport->underMouse())
        trackMouse(viewport->mapFromGlobal(QCursor::pos()));
    else
        m_entryUnderMouse = -1;
}

void Tspylist::trackMouse(const QPoint &at)
{
    const QModelIndex index = m_list->indexAt(at);
    m_entryUnderMouse = index.isValid() ? index.row() : -1;
}

void Tspylist::popupAt(const QPoint &at)
{
    trackMouse(at);
    // The menu remembers the spectator itself: the list may change while the menu is open.
    m_menuSpectator.reset();
    if (m_entryUnderMouse >= 0 && m_entryUnderMouse < m_shown.size())
        m_menuSpectator = m_shown.at(m_entryUnderMouse);
    m_popup->popup(m_list->viewport()->mapToGlobal(at));
}

void Tspylist::RemoveFromGame1Click()
{
    const std::optional<Roster::Participant> spectator = std::exchange(m_menuSpectator, std::nullopt);
    // A spectator who left while the menu was open is not looked for under another name:
    // a newcomer may have taken the slot meanwhile.
    if (spectator && m_roster.isPresent(*spectator))
        m_connection.kicking(spectator->slot);
}

bool Tspylist::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseMove)
        trackMouse(static_cast<QMouseEvent *>(event)->position().toPoint());
    return QWidget::eventFilter(watched, event);
}

void Tspylist::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_mainWindow) {
        // move() places the frame, so the frame is what is centred.
        const QRect frame(QPoint(0, 0), frameGeometry().size());
        move(m_mainWindow->frameGeometry().center() - frame.center());
    }
}
