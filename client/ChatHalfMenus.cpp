// The chat half's menus: the view's and the input box's pop-up menus and the entries
// the main window's Options menu shows; see ChatHalf.h.
#include "client/ChatHalf.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QColorDialog>
#include <QLabel>
#include <QMenu>

namespace {

constexpr std::array<int, 4> kTextSizes{8, 10, 12, 14};

}  // namespace

QColorDialog *ChatHalf::colorDialog()
{
    // Made when first asked for: building the dialog queries the screen and costs more
    // than the rest of the chat half together, at every start.
    if (!m_colorDialog) {
        m_colorDialog = new QColorDialog(m_panel);
        m_colorDialog->setObjectName(QStringLiteral("ColorDialog"));
        // Our own dialog, so the warning below can sit where the colour is picked.
        m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);
        m_colourWarning = new QLabel(m_colorDialog);
        m_colourWarning->setObjectName(QStringLiteral("colourWarning"));
        m_colourWarning->setWordWrap(true);
        if (auto *layout = qobject_cast<QBoxLayout *>(m_colorDialog->layout()))
            layout->insertWidget(layout->count() - 1, m_colourWarning);
        connect(m_colorDialog, &QColorDialog::currentColorChanged, this, &ChatHalf::warnAboutColour);
        connect(m_colorDialog, &QColorDialog::colorSelected, this, [this](const QColor &colour) {
            setTextColour(colour);
            Q_EMIT settingsChanged();
        });
    }
    return m_colorDialog;
}

void ChatHalf::warnAboutColour(const QColor &colour)
{
    const QString warning = m_view->palette().warningFor(colour);
    m_colourWarning->setText(warning);
    m_colourWarning->setVisible(!warning.isEmpty());
}

void ChatHalf::createMenus(QWidget *panel)
{
    m_textColor1 = new QAction(QStringLiteral("Text &Color"), this);
    m_textColor1->setObjectName(QStringLiteral("TextColor1"));
    connect(m_textColor1, &QAction::triggered, this, &ChatHalf::TextColor1Click);

    m_highContrastChat1 = new QAction(QStringLiteral("&High Contrast Chat"), this);
    m_highContrastChat1->setObjectName(QStringLiteral("HighContrastChat1"));
    m_highContrastChat1->setCheckable(true);
    connect(m_highContrastChat1, &QAction::triggered, this, [this](bool on) {
        setHighContrast(on);
        Q_EMIT settingsChanged();
    });

    m_textSizeMenu = new QMenu(QStringLiteral("Text &Size"), panel);
    m_textSizeMenu->setObjectName(QStringLiteral("TextSize1"));
    // One size at a time: radio entries.
    auto *sizes = new QActionGroup(m_textSizeMenu);
    for (int size : kTextSizes) {
        QAction *entry = m_textSizeMenu->addAction(QString::number(size));
        entry->setObjectName(QStringLiteral("N%1").arg(size));
        entry->setCheckable(true);
        sizes->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, size] { textSizeClick(size); });
        m_sizeActions.append({size, entry});
    }

    m_scrollChatOff1 = new QAction(QStringLiteral("Scroll Chat Off"), this);
    m_scrollChatOff1->setObjectName(QStringLiteral("ScrollChatOff1"));
    m_scrollChatOff2 = new QAction(QStringLiteral("Scroll Chat O&ff"), this);
    m_scrollChatOff2->setObjectName(QStringLiteral("ScrollChatOff2"));
    m_scrollChatOff2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    for (QAction *entry : {m_scrollChatOff1, m_scrollChatOff2}) {
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this](bool on) { setScrollLock(on); });
    }

    m_clearMainChat1 = new QAction(QStringLiteral("C&lear Main Chat"), this);
    m_clearMainChat1->setObjectName(QStringLiteral("ClearMainChat1"));
    m_clearMainChat2 = new QAction(QStringLiteral("Clear Main Chat"), this);
    m_clearMainChat2->setObjectName(QStringLiteral("ClearMainChat2"));
    for (QAction *entry : {m_clearMainChat1, m_clearMainChat2})
        connect(entry, &QAction::triggered, this, &ChatHalf::ClearMainChat1Click);

    m_selectAll1 = new QAction(QStringLiteral("Select All"), this);
    m_selectAll1->setObjectName(QStringLiteral("SelectAll1"));
    connect(m_selectAll1, &QAction::triggered, this, &ChatHalf::SelectAll1Click);
    m_copy1 = new QAction(QStringLiteral("Copy"), this);
    m_copy1->setObjectName(QStringLiteral("Copy1"));
    m_copy1->setShortcut(QKeySequence::Copy);
    m_copy1->setShortcutContext(Qt::WidgetShortcut);
    connect(m_copy1, &QAction::triggered, this, &ChatHalf::Copy1Click);
    m_paste1 = new QAction(QStringLiteral("Paste"), this);
    m_paste1->setObjectName(QStringLiteral("Paste1"));
    m_paste1->setShortcut(QKeySequence::Paste);
    m_paste1->setShortcutContext(Qt::WidgetShortcut);
    connect(m_paste1, &QAction::triggered, this, &ChatHalf::Paste1Click);

    m_viewMenu = new QMenu(panel);
    m_viewMenu->setObjectName(QStringLiteral("popup_mainchat"));
    m_viewMenu->addAction(m_selectAll1);
    m_viewMenu->addAction(m_copy1);
    m_viewMenu->addAction(m_paste1);
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_scrollChatOff1);
    m_viewMenu->addAction(m_clearMainChat2);

    m_inputMenu = new QMenu(panel);
    m_inputMenu->setObjectName(QStringLiteral("popup_mychat"));
    m_inputMenu->addAction(m_paste1);
}
