#include "COXIntelliMouse.h"

#include "framework/view/CScrollView.h"

#include <QMouseEvent>

COXIntelliMouse::COXIntelliMouse() = default;

COXIntelliMouse::~COXIntelliMouse() { Detach(); }

BOOL COXIntelliMouse::Attach(CScrollView* view, UINT startMessage, UINT keyFlags)
{
    if (!view || m_view)
        return FALSE;
    switch (startMessage) {
    case WM_LBUTTONDOWN: m_button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: m_button = Qt::RightButton; break;
    default: m_button = Qt::MiddleButton; break;
    }
    m_keys = keyFlags;
    m_view = view;
    m_viewport = view->viewport();
    m_viewport->installEventFilter(this);
    return TRUE;
}

void COXIntelliMouse::Detach()
{
    stop();
    if (m_view && m_viewport)
        m_viewport->removeEventFilter(this);
    m_view = nullptr;
    m_viewport = nullptr;
}

void COXIntelliMouse::stop()
{
    if (!m_panning)
        return;
    m_panning = false;
    if (m_view && m_viewport)
        m_viewport->unsetCursor();
}

bool COXIntelliMouse::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_viewport || !m_view)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != m_button)
            return false;
        const Qt::KeyboardModifiers mods = e->modifiers();
        const bool shift = mods & Qt::ShiftModifier, control = mods & Qt::ControlModifier;
        if (shift != bool(m_keys & MK_SHIFT) || control != bool(m_keys & MK_CONTROL))
            return false;
        m_panning = true;
        m_last = e->globalPosition().toPoint();
        m_viewport->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_panning)
            return false;
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint now = e->globalPosition().toPoint();
        const QPoint delta = now - m_last;
        m_last = now;
        // The picture follows the hand: moving right shows what lies left.
        if (!delta.isNull())
            m_view->OnScrollBy(CSize(-delta.x(), -delta.y()), TRUE);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!m_panning || e->button() != m_button)
            return false;
        stop();
        return true;
    }
    case QEvent::FocusOut:
    case QEvent::Hide: stop(); return false;
    default: return false;
    }
}
