#include "COXScreenGrabber.h"

#include "platform/types/QtGeometry.h"
#include "toolkit/COXGrabTracker.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace {

QScreen* screenAt(const QPoint& global)
{
    QScreen* s = QGuiApplication::screenAt(global);
    return s ? s : QGuiApplication::primaryScreen();
}

} // namespace

bool COXScreenGrabber::CanReadScreen()
{
    // Wayland keeps other windows' pixels from a program, and the offscreen
    // and minimal platforms have no screen to read.
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

BOOL COXScreenGrabber::setImage(const QImage& image, const CRect& rect)
{
    m_dib.Empty();
    m_rect = CRect();
    if (image.isNull())
        return FALSE;
    // The display's depth: 24 bits, no alpha.
    if (!m_dib.CreateFromImage(image.convertToFormat(QImage::Format_RGB32)))
        return FALSE;
    m_rect = rect;
    return TRUE;
}

BOOL COXScreenGrabber::GrabClientWindow(QWidget* window)
{
    m_cancelled = false;
    if (window == nullptr)
        return setImage(QImage(), CRect());
    QWidget* client = window;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(window))
        client = area->viewport();
    const QRect local = client->rect();
    if (local.isEmpty() || !client->isVisible())
        return setImage(QImage(), CRect());
    const QRect global(client->mapToGlobal(QPoint(0, 0)), local.size());
    QImage image;
    if (CanReadScreen()) {
        // A window that reaches past its screen has parts no screen shows:
        // the window's own picture is then the whole of what it shows.
        QScreen* s = screenAt(global.center());
        if (s != nullptr && s->geometry().contains(global)) {
            const QPoint at = global.topLeft() - s->geometry().topLeft();
            image = s->grabWindow(0, at.x(), at.y(), global.width(), global.height()).toImage();
        }
    }
    if (image.isNull())
        image = client->grab(local).toImage();
    return setImage(image, toCRect(global));
}

BOOL COXScreenGrabber::GrabRectangle(const CRect& screenRect)
{
    m_cancelled = false;
    CRect r = screenRect;
    r.NormalizeRect();
    if (r.IsRectEmpty() || !CanReadScreen())
        return setImage(QImage(), CRect());
    const QRect q = toQRect(r);
    QScreen* s = screenAt(q.center());
    if (s == nullptr)
        return setImage(QImage(), CRect());
    const QPoint at = q.topLeft() - s->geometry().topLeft();
    return setImage(s->grabWindow(0, at.x(), at.y(), q.width(), q.height()).toImage(), r);
}

BOOL COXScreenGrabber::GrabTracker(QWidget* trackWindow, const CPoint& startPoint, QWidget* clipWindow)
{
    m_cancelled = false;
    m_dib.Empty();
    m_rect = CRect();
    if (!CanReadScreen())
        return FALSE;
    const QPoint start = toQPoint(startPoint);
    QScreen* s = screenAt(start);
    if (s == nullptr)
        return FALSE;
    // The picture is taken before the tracker covers the screen, and cut
    // from afterwards: what is grabbed is what the user saw while dragging.
    const QPixmap frozen = s->grabWindow(0);
    if (frozen.isNull())
        return FALSE;
    QRect bounds;
    if (clipWindow != nullptr)
        bounds = clipWindow->window()->frameGeometry();
    QRect selected;
    bool ok = false;
    {
        COXGrabTracker tracker(frozen, s->geometry(), bounds);
        ok = tracker.Track(start, &selected);
        m_cancelled = tracker.Cancelled();
    }
    if (trackWindow != nullptr)
        trackWindow->activateWindow();
    if (!ok)
        return FALSE;
    const qreal ratio = frozen.devicePixelRatio();
    const QRect local = selected.translated(-s->geometry().topLeft());
    const QRect device(QPoint(qRound(local.x() * ratio), qRound(local.y() * ratio)),
                       QSize(qRound(local.width() * ratio), qRound(local.height() * ratio)));
    return setImage(frozen.toImage().copy(device), toCRect(selected));
}
