// Preloaded (LD_PRELOAD) into a Qt Widgets program to time its start-up without changing it:
// once the first paint of a top-level window has been drawn and flushed, prints
// "first-frame <CLOCK_MONOTONIC nanoseconds>" and quits the program.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {

class FirstFrameWatcher : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!m_seen && event->type() == QEvent::Paint && widget && widget->isWindow()) {
            m_seen = true;
            // The paint and the flush to the screen finish before the loop takes this up.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("first-frame %lld\n",
                            static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void watchForFirstFrame()
{
    QCoreApplication::instance()->installEventFilter(
        new FirstFrameWatcher(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstFrame)
