// The reference program of the start-up benchmark: a bare Qt widgets window of the size
// of quarn's main window (a menu bar of four menus over a 724 x 491 panel, 734 x 540 in
// all), with nothing in it. Right after its first paint it prints "shown <steady clock in
// ns>" and ends, exactly as quarn does with QUARN_EXIT_WHEN_SHOWN=1, so that both are
// timed from process start to the window shown and to exit. With --stay it keeps running
// after the line (memory figures).
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

// Ends the program, or announces the window, once the window has painted for the first time.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(bool stay, QObject *parent)
        : QObject(parent)
        , m_stay(stay)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint has reached the screen: the zero timer runs once the
            // backing store was flushed.
            QTimer::singleShot(0, this, [this] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
                std::fflush(stdout);
                if (!m_stay)
                    QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_stay;
    bool m_seen = false;
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool stay = QCoreApplication::arguments().contains(QStringLiteral("--stay"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    for (const char *title : {"&File", "&Options", "&View", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title));
    auto *panel = new QWidget(&window);
    panel->setMinimumSize(724, 491);
    window.setCentralWidget(panel);
    window.resize(734, 540);
    window.installEventFilter(new FirstPaint(stay, &window));
    window.show();
    return app.exec();
}
