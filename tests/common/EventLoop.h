#pragma once
// Lets the event loop run for a while, as a user's pause would: painting,
// queued calls and window-system replies are delivered meanwhile.
#include <QApplication>
#include <QElapsedTimer>

namespace testenv {

inline void ProcessEventsFor(int ms)
{
    QElapsedTimer t;
    t.start();
    do
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    while (t.elapsed() < ms);
}

} // namespace testenv
