#pragma once
// The rubber band of COXScreenGrabber::GrabTracker: a window over the
// whole screen showing a frozen picture of it, on which the user drags a
// rectangle with the left button. Escape cancels. The window holds the
// mouse and the keyboard while it runs, so no other window reacts.
#include <QPixmap>
#include <QRect>
#include <QWidget>

class QEventLoop;

class COXGrabTracker : public QWidget {
    Q_OBJECT
public:
    // frozen: the screen's picture; screenGeometry: where that screen is
    // (logical pixels); bounds: the rectangle the band stays in (screen
    // coordinates, empty for the whole screen).
    COXGrabTracker(const QPixmap& frozen, const QRect& screenGeometry, const QRect& bounds);

    // Runs until the button is released or Escape is pressed. The band
    // starts at anchor (screen coordinates). True with the rectangle
    // (screen coordinates, normalized) unless cancelled.
    bool Track(const QPoint& anchor, QRect* selected);
    bool Cancelled() const { return m_cancelled; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPoint clamp(const QPoint& global) const;
    QRect band() const;
    void finish(bool cancelled);

    QPixmap m_frozen;
    QRect m_screen;
    QRect m_bounds;
    QPoint m_anchor;
    QPoint m_current;
    bool m_cancelled = false;
    bool m_done = false;
    QEventLoop* m_loop = nullptr;
};
