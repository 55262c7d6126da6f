// The tally window; see Ttallylist.h.
#include "tally/window/Ttallylist.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kNone = QStringLiteral("None");
// Rows of the opponent table, in the order of m_values.
enum ValueRow { GamesRow, TheirWinsRow, YourWinsRow, NeitherRow, ValueRowCount };

// Every text of this window may hold a name from the network or the tally file.
QLabel *plainLabel(const QString &text, QWidget *parent, const QString &objectName = {})
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (!objectName.isEmpty())
        label->setObjectName(objectName);
    return label;
}

QLabel *valueLabel(QWidget *parent, const QString &objectName)
{
    QLabel *label = plainLabel(QStringLiteral("0"), parent, objectName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    return label;
}

// "None" until a word is recorded, else the word and its length or points.
QString recordText(const QString &word, int value)
{
    return value > 0 ? word + QStringLiteral(" (") + QString::number(value) + QLatin1Char(')') : kNone;
}

// Message boxes with plain text: the questions quote opponents' names.
bool askWithBox(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quarn"), question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void tellWithBox(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quarn"), message, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

Ttallylist::Ttallylist(TallyTable &table, Prompts prompts, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_table(table)
{
    setPrompts(std::move(prompts));
    setObjectName(QStringLiteral("tallylist"));
    setWindowTitle(kCaption);
    buildWidgets();

    connect(&m_table, &TallyTable::rowsChanged, this, &Ttallylist::loadtally);
    connect(&m_table, &TallyTable::valuesChanged, this, &Ttallylist::showValues);
    connect(&m_table, &TallyTable::currentPlayersChanged, this, &Ttallylist::loadCurrentPlayers);
    loadtally();
}

void Ttallylist::tell(const QString &message)
{
    m_prompts.tell(this, message);
}

void Ttallylist::setPrompts(Prompts prompts)
{
    m_prompts = std::move(prompts);
    if (!m_prompts.ask)
        m_prompts.ask = askWithBox;
    if (!m_prompts.tell)
        m_prompts.tell = tellWithBox;
}

void Ttallylist::buildWidgets()
{
    // Own totals: caption and value side by side, the values in one column.
    auto *ownPanel = new QGroupBox(QStringLiteral("Your Total Tally"), this);
    ownPanel->setObjectName(QStringLiteral("panel_own"));
    auto *ownGrid = new QGridLayout(ownPanel);
    ownGrid->setColumnStretch(1, 1);
    ownGrid->setHorizontalSpacing(16);
    const auto addOwn = [&](int row, const char *caption, const char *name) {
        ownGrid->addWidget(plainLabel(QLatin1String(caption), ownPanel), row, 0);
        QLabel *value = plainLabel(QString(), ownPanel, QLatin1String(name));
        QFont font = value->font();
        font.setBold(true);
        value->setFont(font);
        ownGrid->addWidget(value, row, 1);
        return value;
    };
    m_games = addOwn(0, "Total Games:", "label_games");
    m_wins = addOwn(1, "Your Wins:", "label_wins");
    m_longest = addOwn(2, "Longest Word:", "label_longest");
    m_best = addOwn(3, "Best Scoring:", "label_best");
    m_words = addOwn(4, "Total Words:", "label_words");

    // The selected opponent: a title, then Total and Session for each count.
    m_opponentPanel = new QGroupBox(this);
    m_opponentPanel->setObjectName(QStringLiteral("panel_opponent"));
    auto *opponentGrid = new QGridLayout(m_opponentPanel);
    opponentGrid->setHorizontalSpacing(16);
    opponentGrid->setColumnStretch(0, 1);
    m_opponentTitle = plainLabel(QString(), m_opponentPanel, QStringLiteral("label_opponent"));
    QFont titleFont = m_opponentTitle->font();
    titleFont.setBold(true);
    m_opponentTitle->setFont(titleFont);
    opponentGrid->addWidget(m_opponentTitle, 0, 0, 1, 3);
    QLabel *totalHeader = plainLabel(QStringLiteral("Total"), m_opponentPanel);
    QLabel *sessionHeader = plainLabel(QStringLiteral("Session"), m_opponentPanel);
    for (QLabel *header : {totalHeader, sessionHeader}) {
        header->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont font = header->font();
        font.setUnderline(true);
        header->setFont(font);
    }
    opponentGrid->addWidget(totalHeader, 1, 1);
    opponentGrid->addWidget(sessionHeader, 1, 2);
    const char *const captions[ValueRowCount] = {"Number of Games:", " Wins:", "Your Wins:", "Neither Won:"};
    const char *const names[ValueRowCount] = {"games", "theirwins", "yourwins", "neither"};
    for (int row = 0; row < ValueRowCount; ++row) {
        QLabel *caption = plainLabel(QLatin1String(captions[row]), m_opponentPanel);
        opponentGrid->addWidget(caption, row + 2, 0);
        for (int column = 0; column < 2; ++column) {
            const QString name =
                QStringLiteral("value_%1_%2")
                    .arg(QLatin1String(names[row]), column == 0 ? QStringLiteral("total") : QStringLiteral("session"));
            m_values[row][column] = valueLabel(m_opponentPanel, name);
            opponentGrid->addWidget(m_values[row][column], row + 2, column + 1);
        }
        if (row == TheirWinsRow) {
            m_theirWinsCaption = caption;
            caption->setObjectName(QStringLiteral("label_theirwins"));
        }
        // Kept in the table, not shown: a game neither of the two won is rare and
        // would only puzzle the reader.
        if (row == NeitherRow) {
            caption->hide();
            m_values[row][0]->hide();
            m_values[row][1]->hide();
        }
    }
    opponentGrid->setRowStretch(ValueRowCount + 2, 1);

    // The two check-lists.
    m_tallyList = new QListWidget(this);
    m_tallyList->setObjectName(QStringLiteral("listbox_tally"));
    m_checklist = new QListWidget(this);
    m_checklist->setObjectName(QStringLiteral("checklist"));
    m_checklist->setSelectionMode(QAbstractItemView::NoSelection);
    // A game has two players, so at most one or two names: room for three lines.
    m_checklist->setFixedHeight(m_checklist->fontMetrics().height() * 3 + 2 * m_checklist->frameWidth() + 6);
    connect(m_tallyList, &QListWidget::currentRowChanged, this, &Ttallylist::selectOpponent);
    connect(m_tallyList, &QListWidget::itemChanged, this, &Ttallylist::tallyBoxChanged);
    connect(m_checklist, &QListWidget::itemChanged, this, &Ttallylist::checklistBoxChanged);

    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setObjectName(QStringLiteral("button_ok"));
    m_ok->setDefault(true);
    m_reset = new QPushButton(QStringLiteral("Reset Tally"), this);
    m_reset->setObjectName(QStringLiteral("button_reset"));
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);
    // Escape closes as "Ok" does; Enter presses "Ok" unless "Reset Tally" has the focus.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_ok, &QPushButton::click);
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, this, [this] { (m_reset->hasFocus() ? m_reset : m_ok)->click(); });
    }
    connect(m_reset, &QPushButton::clicked, this, &Ttallylist::resetClicked);

    auto *left = new QVBoxLayout;
    left->addWidget(ownPanel);
    left->addWidget(m_opponentPanel, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(plainLabel(QStringLiteral("Players Being Tallied"), this));
    right->addWidget(m_tallyList, 1);
    right->addSpacing(6);
    right->addWidget(plainLabel(QStringLiteral("Player In Current Game (Click to Start Tally)"), this));
    right->addWidget(m_checklist);
    auto *columns = new QHBoxLayout;
    columns->setSpacing(12);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_reset);
    buttons->addWidget(m_ok);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 12);
    outer->setSpacing(10);
    outer->addLayout(columns, 1);
    outer->addLayout(buttons);
}

// --- showing the table -----------------------------------------------------------------

void Ttallylist::loadtally()
{
    {
        const QSignalBlocker blocker(m_tallyList);
        m_tallyList->clear();
        int selectedRow = -1;
        const QList<TallyTable::Opponent> &opponents = m_table.opponents();
        for (int i = 0; i < opponents.size(); ++i) {
            auto *item = new QListWidgetItem(opponents[i].name, m_tallyList);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
            if (opponents[i].name == m_selected)
                selectedRow = i;
        }
        // The selection survives other rows coming and going; a removed one ends it.
        m_tallyList->setCurrentRow(selectedRow);
        if (selectedRow < 0)
            m_selected.clear();
    }
    loadCurrentPlayers();
    showValues();
}

void Ttallylist::loadCurrentPlayers()
{
    const QSignalBlocker blocker(m_checklist);
    m_checklist->clear();
    for (const QString &name : m_table.currentPlayers()) {
        auto *item = new QListWidgetItem(name, m_checklist);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(m_table.isFollowed(name) ? Qt::Checked : Qt::Unchecked);
    }
}

void Ttallylist::showValues()
{
    const TallyTable::OwnTotals &own = m_table.own();
    m_games->setText(QString::number(own.games));
    m_wins->setText(QString::number(own.wins));
    m_longest->setText(recordText(own.longestWord, own.longestLength));
    m_best->setText(recordText(own.bestWord, own.bestPoints));
    m_words->setText(QString::number(own.words));
    showOpponent();
}

void Ttallylist::showOpponent()
{
    const int row = m_selected.isEmpty() ? -1 : m_table.rowOf(m_selected);
    const TallyTable::Opponent shown = row > 0 ? m_table.opponents()[row - 1] : TallyTable::Opponent{};
    m_opponentPanel->setEnabled(row > 0);
    m_opponentTitle->setText(row > 0 ? shown.name + QStringLiteral("'s Tally") : QString());
    m_theirWinsCaption->setText(shown.name + QStringLiteral(" Wins:"));
    const TallyTable::Counts *const counts[2] = {&shown.total, &shown.session};
    for (int column = 0; column < 2; ++column) {
        m_values[GamesRow][column]->setText(QString::number(counts[column]->games));
        m_values[TheirWinsRow][column]->setText(QString::number(counts[column]->theirWins));
        m_values[YourWinsRow][column]->setText(QString::number(counts[column]->yourWins));
        m_values[NeitherRow][column]->setText(QString::number(counts[column]->neitherWon));
    }
}

void Ttallylist::selectOpponent(int listRow)
{
    const QList<TallyTable::Opponent> &opponents = m_table.opponents();
    m_selected = listRow >= 0 && listRow < opponents.size() ? opponents[listRow].name : QString();
    showOpponent();
}

void Ttallylist::viewTally(const QStringList &currentPlayers)
{
    m_table.setCurrentPlayers(currentPlayers);
    // Opened from the main window's menu: over the main window.
    if (!isVisible() && parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(parentWidget()->window()->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

// --- clicks into operations ------------------------------------------------------------

void Ttallylist::tallyBoxChanged(QListWidgetItem *item)
{
    const int listRow = m_tallyList->row(item);
    if (item->checkState() == Qt::Checked || listRow < 0 || listRow >= m_table.opponents().size())
        return;
    const QString name = m_table.opponents()[listRow].name;
    QMetaObject::invokeMethod(
        this, [this, name] { stopFollowing(name); }, Qt::QueuedConnection);
}

void Ttallylist::checklistBoxChanged(QListWidgetItem *item)
{
    const int listRow = m_checklist->row(item);
    if (listRow < 0 || listRow >= m_table.currentPlayers().size())
        return;
    const QString name = m_table.currentPlayers()[listRow];
    QMetaObject::invokeMethod(
        this, [this, name] { startFollowing(name); }, Qt::QueuedConnection);
}

void Ttallylist::stopFollowing(const QString &name)
{
    if (!m_table.isFollowed(name))
        return;
    // The name, not the row: the question's own event loop may have let the table
    // change meanwhile.
    if (ask(QStringLiteral("This will delete ") + name + QStringLiteral("'s Tally, Are you want to delete it?")))
        m_table.unfollow(name);
    else
        loadtally();  // the box shows the row still followed
}

void Ttallylist::startFollowing(const QString &name)
{
    // A box cleared on a followed name changes nothing: the list shows the table again.
    if (!m_table.follow(name))
        loadCurrentPlayers();
}

void Ttallylist::resetClicked()
{
    if (ask(QStringLiteral("Are you sure you want to reset the Tally?")))
        m_table.reset();
}

bool Ttallylist::ask(const QString &question)
{
    return m_prompts.ask(this, question);
}
