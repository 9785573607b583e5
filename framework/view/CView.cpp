#include "CView.h"

#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocument.h"
#include "framework/frame/CCreateContext.h"
#include "framework/frame/CFrameWnd.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"
#include "platform/gdi/CRgn.h"
#include "platform/types/QtGeometry.h"
#include "platform/ui/KeyState.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

CView::CView()
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* f = dynamic_cast<CFrameWnd*>(w))
            return f;
    return nullptr;
}

bool CView::Create(QWidget* parent, CCreateContext* context)
{
    setParent(parent);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return OnCreate(context) != -1;
}

int CView::OnCreate(CCreateContext*) { return 0; }

void CView::OnDestroy() {}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, intptr_t, CObject*) { Invalidate(true); }

void CView::OnDraw(CDC*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnActivateView(bool, CView*, CView*) {}

bool CView::OnCmdMsg(UINT id, CCmdUI* update)
{
    if (CCmdTarget::OnCmdMsg(id, update))
        return true;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(id, update);
}

// --- the client area ---------------------------------------------------------

CRect CView::GetClientRect() const
{
    const QSize s = viewport()->size();
    return CRect(0, 0, s.width(), s.height());
}

void CView::Invalidate(bool) { InvalidateRect(nullptr); }

void CView::InvalidateRect(const CRect* rect, bool)
{
    const QRect area = rect ? toQRect(*rect).intersected(viewport()->rect()) : viewport()->rect();
    if (area.isEmpty())
        return;
    m_invalid += area;
    viewport()->update(area);
}

void CView::UpdateWindow()
{
    if (!m_invalid.isEmpty() && viewport()->isVisible())
        viewport()->repaint(m_invalid);
}

void CView::ScrollWindow(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    const QRect client = viewport()->rect();
    // What was invalid moves with the pixels; the strips the move uncovers
    // join it.
    m_invalid.translate(dx, dy);
    m_invalid &= client;
    QRegion uncovered(client);
    uncovered -= client.translated(dx, dy);
    m_invalid += uncovered;
    OnScrollWindow(dx, dy);
    viewport()->scroll(dx, dy);
    viewport()->update(m_invalid);
}

void CView::OnScrollWindow(int, int) {}

// --- messages -----------------------------------------------------------------

void CView::OnSize(UINT, int, int) {}

void CView::OnKeyDown(UINT, UINT, UINT) {}

void CView::OnLButtonDown(UINT, CPoint) {}

UINT CView::VirtualKeyOf(int key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : 0;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : 0;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + UINT(key - Qt::Key_F1);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return UINT(key);
    return 0;
}

void CView::OnPaint(QPainter& painter, const QRegion& exposed, const QRegion& requested)
{
    // A view that draws in place repaints whatever the window system shows.
    const QRegion area = exposed + requested;
    CDC dc(std::make_unique<QPainterBackend>(painter.device()));
    CRgn clip;
    const QRect box = area.boundingRect();
    clip.CreateRectRgn(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
    dc.SelectClipRgn(&clip);
    OnPrepareDC(&dc);
    OnDraw(&dc);
    dc.Flush();
}

void CView::paintEvent(QPaintEvent* event)
{
    const QRegion requested = m_invalid & viewport()->rect();
    m_invalid = QRegion();
    QPainter painter(viewport());
    OnPaint(painter, event->region(), requested);
}

void CView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QSize size = viewport()->size();
    if (size == m_lastClientSize)
        return;
    m_lastClientSize = size;
    // The whole client area repaints after a change of size, as a window
    // class with horizontal and vertical redraw does.
    m_invalid = viewport()->rect();
    const QWidget* top = window();
    const UINT type = (top && top->isMinimized()) || size.isEmpty() ? SIZE_MINIMIZED : SIZE_RESTORED;
    OnSize(type, size.width(), size.height());
}

void CView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    Invalidate(true);
}

void CView::keyPressEvent(QKeyEvent* event)
{
    const MessageKeyState keys(event->modifiers());
    if (const UINT vk = VirtualKeyOf(event->key(), event->modifiers()))
        OnKeyDown(vk, UINT(qMax(1, event->count())), event->isAutoRepeat() ? 0x4000u : 0u);
    // The default window procedure: nothing of the scroll area's own
    // keyboard scrolling, the key goes on to the parent.
    event->ignore();
}

void CView::mousePressEvent(QMouseEvent* event)
{
    const MessageKeyState keys(event->modifiers());
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(0, toCPoint(event->position().toPoint()));
    QAbstractScrollArea::mousePressEvent(event);
}

void CView::scrollContentsBy(int, int) {}
