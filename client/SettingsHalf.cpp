// The settings half of the main window; see SettingsHalf.h.
#include "client/SettingsHalf.h"

#include "client/ColourNames.h"
#include "client/FolderProbe.h"
#include "client/GameStartSettings.h"
#include "client/ProfileFile.h"
#include "client/model/AttentionRules.h"
#include "net/GameFacts.h"
#include "net/Message.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSettings, "quarn.settings", QtWarningMsg)

namespace {

// Text sizes outside this range cannot be drawn sensibly and count as malformed.
constexpr int kLargestTextSize = 144;

std::optional<int> wholeNumber(const QString &text)
{
    try {
        return net::toInt(text);
    } catch (const net::ConversionError &) {
        return std::nullopt;
    }
}

QString flag(bool on, const char *yes, const char *no)
{
    return QString::fromLatin1(on ? yes : no);
}

}  // namespace

SettingsHalf::SettingsHalf(QWidget *window, ChatHalf &chat, GameStartSettings *gameStart, ChatHalf::PlaySound playSound,
                           QString filePath, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_chat(chat)
    , m_gameStart(gameStart)
    , m_playSound(std::move(playSound))
    , m_filePath(filePath.isEmpty() ? defaultFilePath() : std::move(filePath))
    , m_saveFailures(chat)
{
    m_playSounds1 = new QAction(QStringLiteral("Play &Sounds"), this);
    m_playSounds1->setObjectName(QStringLiteral("PlaySounds1"));
    m_playSounds1->setCheckable(true);
    m_playSounds1->setChecked(m_switches.playSounds());
    connect(m_playSounds1, &QAction::triggered, this, [this](bool on) {
        m_switches.setPlaySounds(on);
        saveinifile();
    });
    connect(&m_switches, &SoundSwitches::playSoundsChanged, m_playSounds1, &QAction::setChecked);

    m_playChatterSounds1 = new QAction(QStringLiteral("Play &Chatter Sounds"), this);
    m_playChatterSounds1->setObjectName(QStringLiteral("PlayChatterSounds1"));
    m_playChatterSounds1->setCheckable(true);
    m_playChatterSounds1->setChecked(m_switches.chatterSounds());
    connect(m_playChatterSounds1, &QAction::triggered, this, [this](bool on) {
        m_switches.setChatterSounds(on);
        saveinifile();
    });
    connect(&m_switches, &SoundSwitches::chatterSoundsChanged, this, [this](bool on) {
        m_playChatterSounds1->setChecked(on);
        m_chat.setChatterSoundsOn(on);
    });

    // Neither turn sound entry is checked until the settings are read or one is chosen.
    m_turnSound1 = new QMenu(QStringLiteral("&Turn Sound"), window);
    m_turnSound1->setObjectName(QStringLiteral("TurnSound1"));
    m_classic1 = m_turnSound1->addAction(QStringLiteral("Classic"));
    m_classic1->setObjectName(QStringLiteral("Classic1"));
    m_new1 = m_turnSound1->addAction(QStringLiteral("New"));
    m_new1->setObjectName(QStringLiteral("New1"));
    // One sound at a time: radio entries.
    auto *turnSounds = new QActionGroup(m_turnSound1);
    for (QAction *entry : {m_classic1, m_new1}) {
        const int tag = entry == m_new1 ? New : Classic;
        entry->setData(tag);
        entry->setCheckable(true);
        turnSounds->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, tag] { New1Click(tag); });
    }
    connect(&m_switches, &SoundSwitches::turnSoundChanged, this, &SettingsHalf::showTurnSound);

    m_resetScreenLocation1 = new QAction(QStringLiteral("&Reset Screen Location"), this);
    m_resetScreenLocation1->setObjectName(QStringLiteral("ResetScreenLocation1"));
    connect(m_resetScreenLocation1, &QAction::triggered, this, &SettingsHalf::ResetScreenLocation1Click);

    // Disabled until there is something to switch.
    m_notifications1 = new QAction(QStringLiteral("Desktop &Notifications"), this);
    m_notifications1->setObjectName(QStringLiteral("Notifications1"));
    m_notifications1->setCheckable(true);
    m_notifications1->setEnabled(false);
    connect(m_notifications1, &QAction::triggered, this, [this](bool on) {
        if (m_attention)
            m_attention->setEnabled(on);
        saveinifile();
    });

    connect(&m_chat, &ChatHalf::settingsChanged, this, [this] { saveinifile(); });
    if (m_window) {
        m_window->move(kDefaultLeft, kDefaultTop);
        m_window->installEventFilter(this);
    }
}

SettingsHalf::~SettingsHalf() = default;

void SettingsHalf::setAttention(AttentionRules *attention)
{
    if (m_attention)
        disconnect(m_attention, nullptr, m_notifications1, nullptr);
    m_attention = attention;
    m_notifications1->setEnabled(attention != nullptr);
    m_notifications1->setChecked(attention && attention->enabled());
    if (attention)
        connect(attention, &AttentionRules::enabledChanged, m_notifications1, &QAction::setChecked);
}

QString SettingsHalf::defaultFilePath()
{
    return filePathFor(QCoreApplication::applicationDirPath());
}

QString SettingsHalf::filePathFor(const QString &folder, const QString &fallbackFolder)
{
    if (FolderProbe::canReplaceFilesIn(folder))
        return folder + QLatin1Char('/') + kFileName;
    const QString fallback = fallbackFolder.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        : fallbackFolder;
    return fallback + QLatin1Char('/') + kFileName;
}

// --- Reading and writing ----------------------------------------------------------------

void SettingsHalf::loadinifile()
{
    ProfileFile file(m_filePath);
    if (!file.load())
        qCWarning(lcSettings) << "cannot read" << m_filePath << "- using the defaults";
    const auto read = [&file](const char *key, const char *fallback) {
        return file.value(kSection, QLatin1String(key), QLatin1String(fallback));
    };
    const auto number = [&read](const char *key, int fallback) {
        return wholeNumber(read(key, "")).value_or(fallback);
    };

    const int top = number("Top", kDefaultTop);
    const int left = number("Left", kDefaultLeft);
    const int width = number("Width", kDefaultWidth);
    const int height = number("Height", kDefaultHeight);
    m_remembered = QRect(left, top, width, height);
    place(*m_remembered);

    m_switches.setTurnSound(read("Turnsound", "0") == QLatin1String("1") ? SoundSwitches::New : SoundSwitches::Classic);
    showTurnSound();

    int textSize = number("Textsize", kDefaultTextSize);
    if (textSize < 1 || textSize > kLargestTextSize)
        textSize = kDefaultTextSize;
    m_chat.setTextSize(textSize);

    m_chat.setTextColour(ColourNames::colourFromName(read("Textcolor", "clblack")).value_or(QColor(Qt::black)));
    m_chat.setHighContrast(read("HighContrastChat", "false") == QLatin1String("true"));

    for (int n = 1; n <= ChatHalf::kPhraseCount; ++n) {
        const QString phrase = file.value(kSection, QStringLiteral("Phrase%1").arg(n));
        if (!phrase.isEmpty())
            m_chat.setPhrase(n, phrase);
    }

    m_switches.setPlaySounds(read("Playsounds", "true") != QLatin1String("false"));
    m_recordGames = read("RecordGames", "true") != QLatin1String("false");

    if (m_gameStart) {
        // A value that is not a whole number leaves its row as it is.
        const auto row = [&read](const char *key, const char *fallback, const QString &current) {
            const QString value = read(key, fallback);
            return wholeNumber(value) ? value : current;
        };
        const auto fallback = [](int value) { return QByteArray::number(value); };
        m_gameStart->restoreSaved(
            row("Playtoscore", fallback(quarn::kDefaultPlayToScore).constData(), m_gameStart->playtoscoreText()),
            row("Creationtime", fallback(quarn::kDefaultTimePerTurn).constData(), m_gameStart->creationtimeText()),
            row("Steals", fallback(quarn::kDefaultSteals).constData(), m_gameStart->stealsText()),
            read("Unlimited", "f") == QLatin1String("t"));
        m_gameStart->restoreComputerLevel(read("ComputerLevel", "Classic"));
    }

    m_switches.setChatterSounds(read("ChatterSounds", "true") != QLatin1String("false"));
    // The chat may have been told otherwise before the switch existed for it.
    m_chat.setChatterSoundsOn(m_switches.chatterSounds());
    m_mapPort = read("MapPort", "true") != QLatin1String("false");

    if (m_attention)
        m_attention->setEnabled(read("Notifications", "true") != QLatin1String("false"));

    // What was read, as it would be written: a later save writes only what differs.
    m_known.clear();
    for (const auto &[key, value] : settingsValues(*m_remembered) + phraseValues())
        m_known.insert(key, value);
}

bool SettingsHalf::saveinifile()
{
    if (!m_remembered) {
        qCInfo(lcSettings) << "settings not read yet; nothing saved";
        return false;
    }
    return writeSettings(placement());
}

SettingsHalf::Values SettingsHalf::settingsValues(const QRect &outer) const
{
    Values values;
    const auto add = [&values](const char *key, const QString &value) { values.append({QLatin1String(key), value}); };
    add("Textsize", QString::number(m_chat.textSize()));
    if (const std::optional<QString> colour = ColourNames::nameFromColour(m_chat.textColour()))
        add("Textcolor", *colour);
    if (m_gameStart) {
        add("Playtoscore", m_gameStart->playtoscoreText());
        add("Creationtime", m_gameStart->creationtimeText());
        add("Steals", m_gameStart->stealsText());
    }
    add("Top", QString::number(outer.y()));
    add("Left", QString::number(outer.x()));
    add("Width", QString::number(outer.width()));
    add("Height", QString::number(outer.height()));
    add("Turnsound", QString::number(m_switches.turnSound()));
    if (m_gameStart)
        add("Unlimited", flag(m_gameStart->unlimitedChecked(), "t", "f"));
    add("Playsounds", flag(m_switches.playSounds(), "true", "false"));
    add("ChatterSounds", flag(m_switches.chatterSounds(), "true", "false"));
    add("MapPort", flag(m_mapPort, "true", "false"));
    // The computer's level is ours alone: written after the keys the lobby program knows.
    if (m_gameStart && !m_gameStart->computerLevelText().isEmpty())
        add("ComputerLevel", m_gameStart->computerLevelText());
    add("HighContrastChat", flag(m_chat.highContrast(), "true", "false"));
    if (m_attention)
        add("Notifications", flag(m_attention->enabled(), "true", "false"));
    return values;
}

void SettingsHalf::setMapPort(bool on)
{
    m_mapPort = on;
    saveinifile();
}

SettingsHalf::Values SettingsHalf::phraseValues() const
{
    Values values;
    for (int n = 1; n <= ChatHalf::kPhraseCount; ++n)
        values.append({QStringLiteral("Phrase%1").arg(n), m_chat.phrase(n)});
    return values;
}

bool SettingsHalf::writeSettings(const QRect &outer)
{
    return writeChanged(settingsValues(outer));
}

bool SettingsHalf::savePhrases()
{
    return writeChanged(phraseValues());
}

bool SettingsHalf::writeChanged(const Values &values)
{
    ProfileFile file(m_filePath);
    bool written = file.load();
    if (written) {
        for (const auto &[key, value] : values) {
            const auto known = m_known.constFind(key);
            if (known == m_known.cend() || *known != value || !file.contains(kSection, key))
                file.setValue(kSection, key, value);
        }
        written = file.save();
    }
    if (!written) {
        qCWarning(lcSettings) << "cannot write" << m_filePath << "- the previous settings are kept";
        m_saveFailures.saveFailed(m_filePath);
        return false;
    }
    for (const auto &[key, value] : values)
        m_known.insert(key, value);
    return true;
}

// --- Sounds -----------------------------------------------------------------------------

void SettingsHalf::playsounds(const QString &name)
{
    if (m_switches.playSounds() && m_playSound)
        m_playSound(name);
}

void SettingsHalf::PlaySounds1Click()
{
    m_playSounds1->trigger();
}

void SettingsHalf::PlayChatterSounds1Click()
{
    m_playChatterSounds1->trigger();
}

void SettingsHalf::New1Click(int tag)
{
    m_switches.setTurnSound(tag == New ? SoundSwitches::New : SoundSwitches::Classic);
    // A click on the checked entry unchecks it; the switch did not change, so show it again.
    showTurnSound();
    saveinifile();
}

void SettingsHalf::showTurnSound()
{
    m_classic1->setChecked(m_switches.turnSound() == SoundSwitches::Classic);
    m_new1->setChecked(m_switches.turnSound() == SoundSwitches::New);
}

// --- Placement --------------------------------------------------------------------------

QRect SettingsHalf::placement() const
{
    if (!m_window)
        return {};
    return m_window->frameGeometry();
}

QSize SettingsHalf::frameExtra() const
{
    return m_window->frameGeometry().size() - m_window->geometry().size();
}

QSize SettingsHalf::nonClientSize() const
{
    // A main window's menu bar sits inside the widget but outside the client area.
    if (auto *main = qobject_cast<QMainWindow *>(m_window.data())) {
        const QWidget *menu = main->menuWidget();
        if (menu && !menu->isHidden())
            return QSize(0, menu->sizeHint().height());
    }
    return QSize(0, 0);
}

void SettingsHalf::place(const QRect &outer)
{
    if (!m_window)
        return;
    m_window->move(outer.topLeft());
    m_window->resize(outer.size() - frameExtra());
    FormResize();
}

void SettingsHalf::FormResize()
{
    if (!m_window)
        return;
    // The window's own layout may need a little more (margins around the panel).
    const QSize minimum = (kMinimumClientSize + nonClientSize()).expandedTo(m_window->minimumSizeHint());
    m_window->setMinimumSize(minimum);
    const QSize size = m_window->size();
    if (size.width() < minimum.width() || size.height() < minimum.height())
        m_window->resize(size.expandedTo(minimum));
}

void SettingsHalf::FormClose()
{
    // Before the first login nothing was read: saving now would replace every stored
    // setting with the window's initial values.
    if (!m_remembered || !m_window)
        return;
    QRect outer = placement();
    if (outer == *m_remembered)
        return;
    const QScreen *screen = m_window->screen();
    if (screen) {
        const QRect work = screen->availableGeometry();
        if (outer.width() > work.width())
            outer.setWidth(outer.width() - kWorkAreaShrink);
        if (outer.height() > work.height())
            outer.setHeight(outer.height() - kWorkAreaShrink);
    }
    m_remembered = outer;
    writeSettings(outer);
}

void SettingsHalf::ResetScreenLocation1Click()
{
    place(QRect(kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight));
}

bool SettingsHalf::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        FormResize();
    return QObject::eventFilter(watched, event);
}
