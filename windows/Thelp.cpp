// The help window: the topic table (button, caption, page heading, page file), the
// buttons, the pages built from the help resources, and switching between them.
#include "windows/Thelp.h"
#include "windows/DialogKeys.h"

#include "client/Artwork.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct TopicEntry {
    Thelp::Topic topic;
    const char *buttonName;
    const char *caption;
    const char *heading;
    const char *page;
};

constexpr std::array<TopicEntry, Thelp::kTopicCount> kTopics{{
    {Thelp::Topic::Overview, "button_overview", "Overview", "Overview", "overview.html"},
    {Thelp::Topic::Connecting, "button_connecting", "Connecting", "Connecting", "connecting.html"},
    {Thelp::Topic::GamePlay, "button_gameplay", "Game Play", "Game Play", "gameplay.html"},
    {Thelp::Topic::Scoring, "button_scoring", "Scoring", "Scoring", "scoring.html"},
    {Thelp::Topic::Documentation, "button_documentation", "Documentation", "History", "history.html"},
    {Thelp::Topic::License, "button_license", "License", "License Agreement", "license.html"},
    {Thelp::Topic::Lobby, "button_lobby", "The Lobby", "The Lobby", "lobby.html"},
}};

constexpr std::size_t indexOf(Thelp::Topic topic)
{
    return static_cast<std::size_t>(topic);
}

// A topic's entry, its button and its page all sit at the topic's own index.
constexpr bool entriesInTopicOrder()
{
    for (std::size_t i = 0; i < kTopics.size(); ++i) {
        if (indexOf(kTopics[i].topic) != i)
            return false;
    }
    return true;
}
static_assert(entriesInTopicOrder());

const char *const kWindowStyle = R"(
    QLabel#label_title { color: #ffd56a; font-size: 20px; font-weight: bold; }
    QWidget#panel_buttons QPushButton {
        color: #f4e8c8; background: rgba(20, 40, 28, 190); border: 1px solid #c89a4a;
        border-radius: 4px; padding: 6px 10px; text-align: left; font-size: 13px; }
    QWidget#panel_buttons QPushButton:hover { border-color: #ffd56a; background: rgba(40, 70, 48, 210); }
    QWidget#panel_buttons QPushButton:checked { color: #2a1a0c; background: #e3b860; font-weight: bold; }
    QWidget#panel_buttons QPushButton:focus { border-color: #ffd56a; }
    QWidget[helpPage="true"] { background: #fbf6e6; border: 1px solid #c89a4a; border-radius: 4px; }
    QLabel#heading { color: #5a3412; font-size: 18px; font-weight: bold; background: transparent; border: none; }
    QTextBrowser#body { background: transparent; border: none; color: #2a1a0c; }
)";

const char *const kPageStyle = R"(
    p, li { font-size: 13px; }
    h4 { color: #5a3412; font-size: 14px; margin-top: 10px; margin-bottom: 2px; }
    td { padding: 2px 8px; }
    th { padding: 2px 8px; color: #5a3412; text-align: left; }
    p.licence { font-size: 12px; color: #3a2a1a; }
    p.quoted { font-size: 12px; color: #3a2a1a; margin-left: 18px; }
)";

QString readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// A plain-text file as paragraphs that wrap with the page: lines are joined within a
// paragraph (blank lines part them), except that a line after a colon, or one that
// opens a numbered clause, starts afresh; indented paragraphs stay indented. Every
// character is shown as written.
QString reflowed(const QString &text)
{
    static const QRegularExpression blankLines(QStringLiteral("\\n[ \\t]*\\n"));
    static const QRegularExpression clause(QStringLiteral("^\\s*(\\d+\\.|\\(clause)"));
    QString html;
    const QString unified = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const QString &paragraph : unified.split(blankLines, Qt::SkipEmptyParts)) {
        const QStringList lines = paragraph.split(u'\n');
        QString joined;
        bool breakNext = false;
        for (const QString &line : lines) {
            const QString words = line.trimmed();
            if (words.isEmpty())
                continue;
            if (!joined.isEmpty())
                joined += breakNext || clause.match(line).hasMatch() ? QStringLiteral("<br>") : QStringLiteral(" ");
            joined += words.toHtmlEscaped();
            breakNext = words.endsWith(u':');
        }
        if (joined.isEmpty())
            continue;
        const bool indented = paragraph.startsWith(QStringLiteral("  "));
        html += indented ? QStringLiteral("<p class=\"quoted\">") : QStringLiteral("<p class=\"licence\">");
        html += joined + QStringLiteral("</p>");
    }
    return html;
}

// A page's text: the page file, with every "<!--include:NAME-->" replaced by the text
// file NAME of the help resources.
QString pageText(const QString &page)
{
    QString html = readResource(QStringLiteral(":/help/") + page);
    static const QRegularExpression include(QStringLiteral("<!--include:([A-Za-z0-9._-]+)-->"));
    QRegularExpressionMatch match;
    qsizetype from = 0;
    while ((match = include.match(html, from)).hasMatch()) {
        const QString block = reflowed(readResource(QStringLiteral(":/help/") + match.captured(1)));
        html.replace(match.capturedStart(), match.capturedLength(), block);
        from = match.capturedStart() + block.size();
    }
    return html;
}

}  // namespace

Thelp::Thelp(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    Q_INIT_RESOURCE(help);
    setObjectName(QStringLiteral("Thelp"));
    setWindowTitle(QStringLiteral("Quarn -  Help File"));
    resize(700, 500);
    setMinimumSize(560, 380);

    setStyleSheet(QString::fromLatin1(kWindowStyle));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(14);
    row->addWidget(buildButtons());
    dialogkeys::install(this, m_done, m_done);

    auto *column = new QVBoxLayout;
    column->setSpacing(8);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("label_title"));
    m_title->setTextFormat(Qt::PlainText);
    column->addWidget(m_title);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    // A page is built when it is first shown: most players open one or two, and the
    // program starts faster without the others (the overview too, which waits for the
    // window to be shown).
    for (std::size_t i = 0; i < kTopics.size(); ++i)
        m_pages->addWidget(new QWidget(m_pages));
    column->addWidget(m_pages, 1);
    row->addLayout(column, 1);

    showTopic(Topic::Overview);
}

QWidget *Thelp::buildButtons()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel_buttons"));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 36, 0, 0);
    column->setSpacing(6);

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    auto makeButton = [panel](const QString &caption, const QString &name) {
        auto *button = new QPushButton(caption, panel);
        button->setObjectName(name);
        button->setMinimumWidth(140);
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
        return button;
    };
    for (const TopicEntry &entry : kTopics) {
        QPushButton *button = makeButton(QString::fromLatin1(entry.caption), QString::fromLatin1(entry.buttonName));
        button->setCheckable(true);
        m_group->addButton(button);
        m_buttons[indexOf(entry.topic)] = button;
        const Topic topic = entry.topic;
        connect(button, &QPushButton::clicked, this, [this, topic] { showTopic(topic); });
        column->addWidget(button);
    }
    column->addStretch(1);
    m_about = makeButton(QStringLiteral("About"), QStringLiteral("button_about"));
    connect(m_about, &QPushButton::clicked, this, &Thelp::aboutRequested);
    column->addWidget(m_about);
    m_done = makeButton(QStringLiteral("Done"), QStringLiteral("button_done"));
    connect(m_done, &QPushButton::clicked, this, &QWidget::hide);
    column->addWidget(m_done);
    return panel;
}

QWidget *Thelp::buildPage(Topic topic)
{
    const TopicEntry &entry = kTopics[indexOf(topic)];
    auto *page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("page_") + QString::fromLatin1(entry.buttonName).section(u'_', 1));
    page->setProperty("helpPage", true);
    page->setAttribute(Qt::WA_StyledBackground);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(16, 12, 6, 6);
    column->setSpacing(6);
    auto *heading = new QLabel(QString::fromLatin1(entry.heading), page);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setTextFormat(Qt::PlainText);
    column->addWidget(heading);

    auto *body = new QTextBrowser(page);
    body->setObjectName(QStringLiteral("body"));
    body->setOpenLinks(false);
    body->setOpenExternalLinks(false);
    body->setFrameShape(QFrame::NoFrame);
    body->document()->setDefaultStyleSheet(QString::fromLatin1(kPageStyle));
    body->document()->setDocumentMargin(2);
    body->setHtml(pageText(QString::fromLatin1(entry.page)));
    column->addWidget(body, 1);
    return page;
}

void Thelp::showTopic(Topic topic)
{
    const std::size_t index = indexOf(topic);
    m_current = topic;
    // A hidden window builds its page when it is shown (showEvent).
    if (isVisible())
        buildCurrentPage();
    m_pages->setCurrentIndex(static_cast<int>(index));
    m_title->setText(QString::fromLatin1(kTopics[index].caption));
    m_buttons[index]->setChecked(true);
}

void Thelp::buildCurrentPage()
{
    const std::size_t index = indexOf(m_current);
    if (m_built[index])
        return;
    QWidget *placeholder = m_pages->widget(static_cast<int>(index));
    m_pages->insertWidget(static_cast<int>(index), buildPage(m_current));
    m_pages->removeWidget(placeholder);
    delete placeholder;
    m_built[index] = true;
    m_pages->setCurrentIndex(static_cast<int>(index));
}

void Thelp::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    buildCurrentPage();
}

void Thelp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Artwork::paintFelt(painter, rect());
}

void Thelp::present()
{
    // Opened from the main window's menu: over the main window, the first time and after
    // every Done.
    if (!isVisible() && parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(parentWidget()->window()->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
    // The keyboard starts on the page's topic, from where Tab reaches every button.
    if (!isAncestorOf(QApplication::focusWidget()))
        m_buttons[indexOf(m_current)]->setFocus(Qt::OtherFocusReason);
}

QPushButton *Thelp::topicButton(Topic topic) const
{
    return m_buttons[indexOf(topic)];
}
