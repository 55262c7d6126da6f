// Invite links at start-up and from the chat; see InviteStart.h.
#include "windows/InviteStart.h"

#include "client/ProfileFile.h"
#include "net/JoinAddress.h"

#include <QApplication>
#include <QInputDialog>
#include <QLoggingCategory>
#include <QMessageBox>

namespace {

Q_LOGGING_CATEGORY(lcInvite, "quarn.invite", QtWarningMsg)

const QString kJoinFlag = QStringLiteral("false");
// The host keeps no more of a name than this.
constexpr int kMaxNameLength = 32;
// Only whether a link reads is asked here; its port is the start's business.
constexpr quint16 kAnyPort = 1;

}  // namespace

InviteStart::InviteStart(QString settingsPath, Prompts prompts)
    : m_settingsPath(std::move(settingsPath))
    , m_prompts(std::move(prompts))
{
}

InviteStart::Result InviteStart::fromCommandLine(const QStringList &arguments) const
{
    if (arguments.size() != 1 || !net::isInviteLink(arguments.first()))
        return {};
    return join(arguments.first());
}

InviteStart::Result InviteStart::fromChat(const QString &link) const
{
    QString error;
    if (!net::parseJoinAddress(link, kAnyPort, &error)) {
        if (m_prompts.refuse)
            m_prompts.refuse(error);
        return {Outcome::End, {}};
    }
    if (!m_prompts.confirmLeave || !m_prompts.confirmLeave(link.trimmed()))
        return {Outcome::End, {}};
    return join(link);
}

InviteStart::Result InviteStart::join(const QString &link) const
{
    QString error;
    if (!net::parseJoinAddress(link, kAnyPort, &error)) {
        qCInfo(lcInvite) << "refused link:" << error;
        if (m_prompts.refuse)
            m_prompts.refuse(error);
        return {Outcome::End, {}};
    }
    std::optional<QString> name = savedName();
    if (!name) {
        name = m_prompts.askName ? m_prompts.askName() : std::nullopt;
        if (name)
            name = name->trimmed().left(kMaxNameLength);
        if (!name || name->isEmpty())
            return {Outcome::End, {}};
    }
    // The link itself is the address: the start reads it again, and one without a port
    // joins the port a typed address would.
    return {Outcome::Join, {*name, link.trimmed(), kJoinFlag}};
}

void InviteStart::rememberName(const QStringList &arguments) const
{
    if (arguments.size() < 3 || arguments.first().trimmed().isEmpty() || savedName() == arguments.first())
        return;
    if (!ProfileFile::writeStrings(m_settingsPath, kSection, {{kPlayerNameKey, arguments.first()}}))
        qCWarning(lcInvite) << "could not save the player's name in" << m_settingsPath;
}

std::optional<QString> InviteStart::savedName() const
{
    const QString name = ProfileFile::readString(m_settingsPath, kSection, kPlayerNameKey).trimmed();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

InviteStart::Prompts InviteStart::dialogs(QWidget *parent)
{
    Prompts prompts;
    prompts.askName = [parent]() -> std::optional<QString> {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(QApplication::applicationName());
        dialog.setLabelText(QStringLiteral("Your name in the game:"));
        dialog.setTextValue(QString());
        dialog.setObjectName(QStringLiteral("inviteName"));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
    };
    prompts.refuse = [parent](const QString &sentence) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                        QStringLiteral("This invite link cannot be followed.\n\n") + sentence, QMessageBox::Ok, parent);
        box.setObjectName(QStringLiteral("inviteRefused"));
        box.exec();
    };
    prompts.confirmLeave = [parent](const QString &address) {
        QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                        QStringLiteral("Leave this game and join the game at %1?").arg(address),
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::No);
        box.setObjectName(QStringLiteral("inviteLeave"));
        return box.exec() == QMessageBox::Yes;
    };
    return prompts;
}
