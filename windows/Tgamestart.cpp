// The game start dialog: three value rows with arrows, the computer's level, the
// unlimited-steals box and "Start Game".
#include "windows/Tgamestart.h"

#include "client/Artwork.h"
#include "client/ClientContext.h"
#include "host/ComputerLevel.h"
#include "net/Catalogue.h"
#include "net/GameFacts.h"
#include "net/Message.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

Tgamestart::Tgamestart(ClientContext &context, RequestSender &sender, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_sender(sender)
    , m_mainWindow(mainWindow)
    , m_rows{{{100, 1000, 50, quarn::kDefaultPlayToScore},
              {20, 120, 5, quarn::kDefaultTimePerTurn},
              {0, 20, 1, quarn::kDefaultSteals}}}
{
    Q_INIT_RESOURCE(pictures);
    setObjectName(QStringLiteral("Tgamestart"));
    setWindowTitle(QStringLiteral("Quarn - Game Start"));
    setFixedSize(kClientWidth, kClientHeight);

    // The main window's artwork as the background.
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setBrush(QPalette::Window, QBrush(Artwork::pixmap(QStringLiteral("board.jpg"), devicePixelRatioF())));
    palette.setColor(QPalette::WindowText, QColor(244, 232, 200));
    setPalette(palette);

    m_options = new QGroupBox(QStringLiteral("Game Options"), this);
    m_options->setObjectName(QStringLiteral("panel_options"));
    m_options->setGeometry(8, 2, 241, 128);
    m_options->setStyleSheet(
        QStringLiteral("QGroupBox { color: #ffd56a; font-weight: bold; border: 1px solid #c89a4a; border-radius: 4px;"
                       " margin-top: 8px; background: rgba(20, 40, 28, 150); }"
                       " QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }"
                       " QLabel, QCheckBox { color: #f4e8c8; }"));

    // Four rows and the check box share the panel, 22 pixels apart.
    buildRow(PlayToScore, QStringLiteral("Play to Score:"), 18, QStringLiteral("edit_playtoscore"),
             QStringLiteral("UpDown1"));
    buildRow(CreationTime, QStringLiteral("Time Per Turn:"), 40, QStringLiteral("edit_creationtime"),
             QStringLiteral("UpDown2"));
    buildRow(Steals, QStringLiteral("# of Steals::"), 62, QStringLiteral("edit_steals"), QStringLiteral("UpDown3"));

    auto *computerLabel = new QLabel(QStringLiteral("Computer:"), m_options);
    computerLabel->setGeometry(12, 84, 110, 20);
    m_computer = new QComboBox(m_options);
    m_computer->setObjectName(QStringLiteral("combo_computer"));
    m_computer->addItems({computerLevelName(ComputerLevel::Classic), computerLevelName(ComputerLevel::Strong)});
    m_computer->setGeometry(128, 84, 82, 20);
    computerLabel->setBuddy(m_computer);
    connect(m_computer, &QComboBox::currentIndexChanged, this, [this](int index) { m_strong = index == 1; });

    m_unlimited = new QCheckBox(QStringLiteral("Unlimited Steals"), m_options);
    m_unlimited->setObjectName(QStringLiteral("checkbox_unlimited"));
    m_unlimited->setGeometry(12, 106, 200, 20);
    m_unlimited->setChecked(true);
    // The number of steals means nothing while they are unlimited.
    connect(m_unlimited, &QCheckBox::toggled, this, &Tgamestart::showStealsRow);
    showStealsRow(true);

    m_buttonStart = new QPushButton(QStringLiteral("Start Game"), this);
    m_buttonStart->setObjectName(QStringLiteral("button_start"));
    m_buttonStart->setGeometry(78, 134, 100, 26);
    m_buttonStart->setDefault(true);
    connect(m_buttonStart, &QPushButton::clicked, this, &Tgamestart::button_startClick);

    setTabOrder(m_rows[PlayToScore].edit, m_rows[CreationTime].edit);
    setTabOrder(m_rows[CreationTime].edit, m_rows[Steals].edit);
    setTabOrder(m_rows[Steals].edit, m_computer);
    setTabOrder(m_computer, m_unlimited);
    setTabOrder(m_unlimited, m_buttonStart);
}

void Tgamestart::buildRow(RowIndex index, const QString &caption, int top, const QString &editName,
                          const QString &arrowsName)
{
    Row &row = m_rows[index];
    auto *label = new QLabel(caption, m_options);
    label->setGeometry(12, top, 110, 20);

    row.edit = new QLineEdit(QString::number(row.position), m_options);
    row.edit->setObjectName(editName);
    // Typed digits count as well as the arrows; a typed value is brought into the range
    // when the field is left or the game is started.
    row.edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,5}")), row.edit));
    connect(row.edit, &QLineEdit::editingFinished, this, [this, index] { takeTyped(index); });
    row.edit->setAlignment(Qt::AlignRight);
    row.edit->setGeometry(128, top, 64, 20);

    row.arrows = new QWidget(m_options);
    row.arrows->setObjectName(arrowsName);
    row.arrows->setGeometry(194, top, 16, 20);
    auto *column = new QVBoxLayout(row.arrows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    row.up = new QToolButton(row.arrows);
    row.up->setObjectName(arrowsName + QStringLiteral("_up"));
    row.up->setArrowType(Qt::UpArrow);
    row.up->setAutoRepeat(true);
    row.down = new QToolButton(row.arrows);
    row.down->setObjectName(arrowsName + QStringLiteral("_down"));
    row.down->setArrowType(Qt::DownArrow);
    row.down->setAutoRepeat(true);
    for (QToolButton *button : {row.up, row.down}) {
        button->setFixedSize(16, 10);
        button->setFocusPolicy(Qt::NoFocus);
        column->addWidget(button);
    }
    connect(row.up, &QToolButton::clicked, this, [this, index] { stepUp(index); });
    connect(row.down, &QToolButton::clicked, this, [this, index] { stepDown(index); });
}

void Tgamestart::stepBy(RowIndex index, int direction)
{
    Row &row = m_rows[index];
    // A restored value outside the range comes back inside it at the first step.
    const qint64 next = static_cast<qint64>(row.position) + static_cast<qint64>(direction) * row.step;
    row.position = static_cast<int>(std::clamp<qint64>(next, row.minimum, row.maximum));
    row.edit->setText(QString::number(row.position));
}

void Tgamestart::takeTyped(RowIndex index)
{
    Row &row = m_rows[index];
    bool ok = false;
    const int typed = row.edit->text().toInt(&ok);
    // An emptied field, or a restored value left as it was, keeps the row's position.
    if (ok && typed != row.position)
        row.position = std::clamp(typed, row.minimum, row.maximum);
    row.edit->setText(QString::number(row.position));
}

void Tgamestart::showStealsRow(bool unlimited)
{
    m_rows[Steals].edit->setEnabled(!unlimited);
    m_rows[Steals].arrows->setEnabled(!unlimited);
}

void Tgamestart::stepUp(RowIndex row)
{
    stepBy(row, +1);
}

void Tgamestart::stepDown(RowIndex row)
{
    stepBy(row, -1);
}

QString Tgamestart::playtoscoreText() const
{
    return m_rows[PlayToScore].edit->text();
}

QString Tgamestart::creationtimeText() const
{
    return m_rows[CreationTime].edit->text();
}

QString Tgamestart::stealsText() const
{
    return m_rows[Steals].edit->text();
}

bool Tgamestart::unlimitedChecked() const
{
    return m_unlimited->isChecked();
}

void Tgamestart::restoreRow(RowIndex index, const QString &saved)
{
    int value = 0;
    try {
        value = net::toInt(saved.trimmed());
    } catch (const net::ConversionError &) {
        return;  // not a whole number: the row keeps what it shows
    }
    Row &row = m_rows[index];
    row.position = value;
    row.edit->setText(QString::number(value));
}

void Tgamestart::restoreSaved(const QString &playtoscore, const QString &creationtime, const QString &steals,
                              bool unlimited)
{
    restoreRow(PlayToScore, playtoscore);
    restoreRow(CreationTime, creationtime);
    restoreRow(Steals, steals);
    m_unlimited->setChecked(unlimited);
}

QString Tgamestart::computerLevelText() const
{
    return computerLevelName(m_strong ? ComputerLevel::Strong : ComputerLevel::Classic);
}

void Tgamestart::restoreComputerLevel(const QString &level)
{
    m_strong = computerLevelFromName(level) == ComputerLevel::Strong;
    m_computer->setCurrentIndex(m_strong ? 1 : 0);
}

void Tgamestart::button_startClick()
{
    for (RowIndex index : {PlayToScore, CreationTime, Steals})
        takeTyped(index);
    // The host learns the level before the request reaches it.
    Q_EMIT computerLevelChosen(computerLevelText());
    const int steals = unlimitedChecked() ? quarn::kUnlimitedSteals : m_rows[Steals].position;
    m_sender.sendRequest(net::toHost::startgame(m_context.playerName, m_rows[CreationTime].position,
                                                m_rows[PlayToScore].position, steals));
    Q_EMIT gameStarted();
    hide();
}

void Tgamestart::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape: hide(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The computer's list takes Enter for itself while it is open.
        button_startClick();
        return;
    default: QWidget::keyPressEvent(event);
    }
}

void Tgamestart::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_mainWindow) {
        const QRect over = m_mainWindow->frameGeometry();
        move(over.center() - rect().center());
    }
    m_unlimited->setFocus(Qt::OtherFocusReason);
}
