#include "COXGrabTracker.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

COXGrabTracker::COXGrabTracker(const QPixmap& frozen, const QRect& screenGeometry, const QRect& bounds)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint |
                           Qt::Tool),
      m_frozen(frozen), m_screen(screenGeometry), m_bounds(bounds.isEmpty() ? screenGeometry : bounds & screenGeometry)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName(QStringLiteral("grabTracker"));
    setAccessibleName(QStringLiteral("Capture region"));
    setAccessibleDescription(QStringLiteral("Drag a rectangle with the left mouse button; Escape cancels."));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setGeometry(m_screen);
}

bool COXGrabTracker::Track(const QPoint& anchor, QRect* selected)
{
    m_anchor = m_current = clamp(anchor);
    show();
    raise();
    activateWindow();
    // A grab needs a window the server shows (X11 refuses it otherwise).
    QElapsedTimer waited;
    waited.start();
    while ((windowHandle() == nullptr || !windowHandle()->isExposed()) && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    grabMouse(Qt::CrossCursor);
    grabKeyboard();
    QEventLoop loop;
    m_loop = &loop;
    if (!m_done)
        loop.exec();
    m_loop = nullptr;
    releaseKeyboard();
    releaseMouse();
    hide();
    if (m_cancelled)
        return false;
    *selected = band();
    return !selected->isEmpty();
}

QPoint COXGrabTracker::clamp(const QPoint& global) const
{
    // The band's far corner may reach the bounds' exclusive edge.
    return QPoint(qBound(m_bounds.left(), global.x(), m_bounds.left() + m_bounds.width()),
                  qBound(m_bounds.top(), global.y(), m_bounds.top() + m_bounds.height()));
}

QRect COXGrabTracker::band() const
{
    const int l = std::min(m_anchor.x(), m_current.x()), r = std::max(m_anchor.x(), m_current.x());
    const int t = std::min(m_anchor.y(), m_current.y()), b = std::max(m_anchor.y(), m_current.y());
    return QRect(l, t, r - l, b - t);
}

void COXGrabTracker::finish(bool cancelled)
{
    m_cancelled = cancelled;
    m_done = true;
    if (m_loop)
        m_loop->quit();
}

void COXGrabTracker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_frozen);
    const QRect sel = band().translated(-m_screen.topLeft());
    // A veil over what is left out, so the chosen part stands out.
    QRegion veil(rect());
    veil -= sel;
    p.setClipRegion(veil);
    p.fillRect(rect(), QColor(0, 0, 0, 90));
    p.setClipping(false);
    if (sel.isEmpty())
        return;
    p.setPen(QPen(QColor(255, 255, 255), 1, Qt::SolidLine));
    p.drawRect(sel.adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DashLine));
    p.drawRect(sel.adjusted(0, 0, -1, -1));
    // The size the bitmap will have, in the screen's own pixels.
    const qreal ratio = m_frozen.devicePixelRatio();
    const QString size =
        QStringLiteral("%1 \u00d7 %2").arg(qRound(sel.width() * ratio)).arg(qRound(sel.height() * ratio));
    QRect label = p.fontMetrics().boundingRect(size).adjusted(-4, -2, 4, 2);
    label.moveTopLeft(sel.bottomLeft() + QPoint(0, 4));
    if (label.bottom() > height())
        label.moveBottomLeft(sel.topLeft() - QPoint(0, 4));
    p.fillRect(label, QColor(0, 0, 0, 180));
    p.setPen(Qt::white);
    p.drawText(label, Qt::AlignCenter, size);
}

void COXGrabTracker::mousePressEvent(QMouseEvent* event)
{
    // The press that started the tracking may have come and gone before
    // this window showed: a new press starts the band again.
    if (event->button() == Qt::LeftButton) {
        m_anchor = m_current = clamp(event->globalPosition().toPoint());
        update();
    } else if (event->button() == Qt::RightButton) {
        finish(true);
    }
}

void COXGrabTracker::mouseMoveEvent(QMouseEvent* event)
{
    m_current = clamp(event->globalPosition().toPoint());
    update();
}

void COXGrabTracker::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_current = clamp(event->globalPosition().toPoint());
    finish(false);
}

void COXGrabTracker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        finish(true);
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        finish(false);
}
