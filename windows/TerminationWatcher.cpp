// The self-pipe: the signal handler only writes the signal's number into a socket pair
// (async-signal-safe); a QSocketNotifier reads it on the GUI thread.
#include "windows/TerminationWatcher.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcTermination, "quarn.termination", QtWarningMsg)

namespace {
int signalPair[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPair[0], &byte, 1);
}

void setHandler(void (*handler)(int))
{
    struct sigaction action { };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);
}
}  // namespace

TerminationWatcher::TerminationWatcher(QObject *parent)
    : QObject(parent)
{
    if (signalPair[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPair) != 0) {
        qCWarning(lcTermination) << "cannot watch for termination signals";
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(signalPair[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationWatcher::readSignal);
    setHandler(onSignal);
}

TerminationWatcher::~TerminationWatcher()
{
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    m_notifier.reset();
    ::close(signalPair[0]);
    ::close(signalPair[1]);
    signalPair[0] = signalPair[1] = -1;
}

void TerminationWatcher::readSignal()
{
    unsigned char byte = 0;
    if (::read(signalPair[1], &byte, 1) == 1) {
        qCInfo(lcTermination) << "termination signal" << byte;
        Q_EMIT terminationRequested(byte);
    }
}
