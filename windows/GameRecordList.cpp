// The list of game records; see GameRecordList.h.
#include "windows/GameRecordList.h"

#include "windows/ReplayWindow.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

GameRecordList::GameRecordList(GameRecordStore store, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_store(std::move(store))
{
    setObjectName(QStringLiteral("gameRecords"));
    setWindowTitle(tr("Game Records"));
    resize(640, 360);
    m_confirm = [this](const QString &question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    };
    m_inform = [this](const QString &text) { QMessageBox::information(this, windowTitle(), text); };
    m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(
            this, tr("Open Game Record"), m_store.folder(),
            tr("Game records (*%1);;All files (*)").arg(QLatin1StringView(GameRecordStore::kSuffix)));
    };

    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName(QStringLiteral("recordTable"));
    m_table->setHorizontalHeaderLabels({tr("Date"), tr("Players"), tr("Scores"), tr("Result")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    m_open = new QPushButton(tr("&Open"), this);
    m_delete = new QPushButton(tr("&Delete"), this);
    auto *openFile = new QPushButton(tr("Open &File..."), this);
    auto *close = new QPushButton(tr("Close"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(m_delete);
    buttons->addWidget(openFile);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);

    m_replay = new ReplayWindow(this);
    connect(m_open, &QPushButton::clicked, this, &GameRecordList::openSelected);
    connect(m_delete, &QPushButton::clicked, this, &GameRecordList::deleteSelected);
    connect(openFile, &QPushButton::clicked, this, &GameRecordList::openFile);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &GameRecordList::openSelected);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        m_open->setEnabled(selectedRow() >= 0);
        m_delete->setEnabled(selectedRow() >= 0);
    });
    refresh();
}

GameRecordList::~GameRecordList() = default;

void GameRecordList::present()
{
    refresh();
    show();
    raise();
    activateWindow();
}

void GameRecordList::refresh()
{
    m_entries = m_store.list();
    m_table->clearContents();
    m_table->setRowCount(int(m_entries.size()));
    const auto cell = [this](int row, int column, const QString &text) {
        // Items show their text as plain text: names from other players stay names.
        m_table->setItem(row, column, new QTableWidgetItem(text));
    };
    for (int row = 0; row < m_entries.size(); ++row) {
        const GameRecord::Header &h = m_entries[row].header;
        cell(row, 0, QLocale().toString(h.date.toLocalTime(), QLocale::ShortFormat));
        cell(row, 1, tr("%1 against %2").arg(h.names[0], h.names[1]));
        cell(row, 2, QStringLiteral("%1 : %2").arg(h.finalScores[0]).arg(h.finalScores[1]));
        cell(row, 3, h.finished ? tr("%1 won").arg(h.names[size_t(h.winner - 1)]) : tr("unfinished"));
    }
    m_table->resizeColumnToContents(0);
    m_open->setEnabled(false);
    m_delete->setEnabled(false);
}

int GameRecordList::selectedRow() const
{
    const QList<QTableWidgetItem *> items = m_table->selectedItems();
    if (items.isEmpty())
        return -1;
    const int row = items.front()->row();
    return row < m_entries.size() ? row : -1;
}

void GameRecordList::openSelected()
{
    const int row = selectedRow();
    if (row >= 0)
        openPath(m_entries[row].path);
}

void GameRecordList::deleteSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const GameRecord::Header &h = m_entries[row].header;
    const QString question =
        tr("Delete the record of %1 against %2 of %3?")
            .arg(h.names[0], h.names[1], QLocale().toString(h.date.toLocalTime(), QLocale::ShortFormat));
    if (!m_confirm(question))
        return;
    if (!m_store.remove(m_entries[row].path))
        m_inform(tr("The record could not be deleted."));
    refresh();
}

void GameRecordList::openFile()
{
    const QString path = m_chooseFile();
    if (!path.isEmpty())
        openPath(path);
}

void GameRecordList::openPath(const QString &path)
{
    const GameRecordReader::Result result = GameRecordStore::open(path);
    if (!result.headerRead) {
        m_inform(tr("%1 cannot be replayed: %2").arg(QFileInfo(path).fileName(), result.error));
        return;
    }
    m_replay->load(result.record,
                   result.error.isEmpty() ? QString() : tr("Read up to a bad line: %1").arg(result.error));
    m_replay->show();
    m_replay->raise();
    m_replay->activateWindow();
}
