// The self-pipe: the signal handler only writes the signal's number into a socket pair
// (async-signal-safe); a QSocketNotifier reads it on the GUI thread, in whichever event
// loop runs then: the main loop or a box's own.
#include "windows/TerminationWatcher.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLoggingCategory>
#include <QSet>
#include <QSocketNotifier>
#include <QWidget>

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
    QCoreApplication::instance()->installEventFilter(this);
}

TerminationWatcher::~TerminationWatcher()
{
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    QCoreApplication::instance()->removeEventFilter(this);
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
        m_requested = true;
        closeBoxes();
        Q_EMIT terminationRequested(byte);
    }
}

void TerminationWatcher::closeBoxes()
{
    // Each box closed hands the modal role to the one under it; a box that will not
    // close (it refuses its rejection) is tried once, not for ever.
    QSet<QWidget *> tried;
    while (QWidget *box = QApplication::activeModalWidget()) {
        if (tried.contains(box))
            break;
        tried.insert(box);
        qCInfo(lcTermination).noquote() << "closing the box" << box->windowTitle();
        if (auto *dialog = qobject_cast<QDialog *>(box))
            dialog->reject();
        else
            box->close();
    }
}

bool TerminationWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && widget->isModal()) {
            qCInfo(lcTermination).noquote() << "a box is open:" << widget->windowTitle();
            // Once the program is ending, a box that opens still is closed as soon as its
            // own loop runs.
            if (m_requested)
                QMetaObject::invokeMethod(this, &TerminationWatcher::closeBoxes, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}
