#pragma once

// Waiting for a widget's next paint: the windows' benchmarks time work up to
// the moment the user sees its result.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tarnwick::bench {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    ~PaintCounter() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    QPointer<QWidget> m_widget; // the window may go first
    int m_count = 0;
};

// Lets the event loop run until the widget has been painted (at most 10 s).
inline bool waitForPaint(const PaintCounter& counter, int before)
{
    QElapsedTimer guard;
    guard.start();
    while (counter.count() == before) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (guard.elapsed() > 10000)
            return false;
    }
    // The rest of the same repaint (the grid, the list) is delivered in the
    // same pass; let it finish.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return true;
}

} // namespace tarnwick::bench
