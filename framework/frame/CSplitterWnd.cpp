#include "CSplitterWnd.h"

#include "CCreateContext.h"
#include "CFrameWnd.h"
#include "framework/doc/CDocument.h"
#include "framework/view/CView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
// The width of a split bar.
constexpr int kBar = 6;
} // namespace

CSplitterWnd::CSplitterWnd()
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Splitter"));
    for (QWidget** line : {&m_trackX, &m_trackY}) {
        *line = new QWidget(this);
        (*line)->setAttribute(Qt::WA_TransparentForMouseEvents);
        (*line)->setAutoFillBackground(true);
        QPalette pal = (*line)->palette();
        pal.setColor(QPalette::Window, QColor(64, 64, 64, 160));
        (*line)->setPalette(pal);
        (*line)->hide();
    }
}

void CSplitterWnd::showTracker()
{
    m_trackX->setVisible(m_tracking && m_split.x() == 0 && m_maxCols > 1);
    m_trackY->setVisible(m_tracking && m_split.y() == 0 && m_maxRows > 1);
    m_trackX->setGeometry(m_trackPos.x() - kBar / 2, 0, kBar, height());
    m_trackY->setGeometry(0, m_trackPos.y() - kBar / 2, width(), kBar);
    m_trackX->raise();
    m_trackY->raise();
}

CSplitterWnd::~CSplitterWnd() = default;

CFrameWnd* CSplitterWnd::frame() const
{
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* f = dynamic_cast<CFrameWnd*>(w))
            return f;
    return nullptr;
}

BOOL CSplitterWnd::Create(QWidget* parent, int maxRows, int maxCols, QSize minPane, CCreateContext* context,
                          DWORD, UINT nID)
{
    if (context == nullptr || context->m_pNewViewClass == nullptr || maxRows < 1 || maxRows > 2 || maxCols < 1 ||
        maxCols > 2)
        return FALSE;
    setParent(parent);
    setProperty("id", nID);
    m_maxRows = maxRows;
    m_maxCols = maxCols;
    m_minPane = minPane;
    m_viewClass = context->m_pNewViewClass;
    m_doc = context->m_pCurrentDoc;
    CView* first = context->m_pNewViewClass->CreateAs<CView>();
    if (first == nullptr)
        return FALSE;
    if (!first->Create(this, context)) {
        delete first;
        return FALSE;
    }
    context->m_pLastView = first;
    first->setProperty("id", nID);
    first->installEventFilter(this);
    pane(0, 0) = first;
    layoutPanes();
    return TRUE;
}

CView* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row > 1 || col < 0 || col > 1)
        return nullptr;
    return m_panes[size_t(row * 2 + col)];
}

std::vector<CView*> CSplitterWnd::GetViews() const
{
    std::vector<CView*> out;
    for (CView* v : m_panes)
        if (v)
            out.push_back(v);
    return out;
}

CView* CSplitterWnd::createView()
{
    CCreateContext ctx;
    ctx.m_pNewViewClass = m_viewClass;
    ctx.m_pCurrentDoc = m_doc;
    ctx.m_pCurrentFrame = frame();
    CView* v = m_viewClass ? m_viewClass->CreateAs<CView>() : nullptr;
    if (v == nullptr)
        return nullptr;
    if (!v->Create(this, &ctx)) {
        if (m_doc)
            m_doc->RemoveView(v);
        delete v;
        return nullptr;
    }
    v->installEventFilter(this);
    v->show();
    v->OnInitialUpdate();
    return v;
}

void CSplitterWnd::destroyView(CView*& view)
{
    if (view == nullptr)
        return;
    CView* v = view;
    view = nullptr;
    CFrameWnd* f = frame();
    if (f && f->GetActiveView() == v)
        f->SetActiveView(m_panes[0], true);
    v->OnDestroy();
    if (CDocument* d = v->GetDocument())
        d->RemoveView(v);
    v->hide();
    v->deleteLater();
}

BOOL CSplitterWnd::SplitAt(int x, int y)
{
    const bool cols = x > 0 && m_maxCols > 1 && m_split.x() == 0 && x >= m_minPane.width() &&
                      x <= width() - kBar - m_minPane.width();
    const bool rows = y > 0 && m_maxRows > 1 && m_split.y() == 0 && y >= m_minPane.height() &&
                      y <= height() - kBar - m_minPane.height();
    if (!cols && !rows)
        return FALSE;
    if (cols)
        m_split.setX(x);
    if (rows)
        m_split.setY(y);
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (pane(r, c) == nullptr)
                pane(r, c) = createView();
    layoutPanes();
    return TRUE;
}

void CSplitterWnd::removeSplit(bool column, bool row)
{
    if (column && m_split.x() > 0) {
        destroyView(pane(0, 1));
        destroyView(pane(1, 1));
        m_split.setX(0);
    }
    if (row && m_split.y() > 0) {
        destroyView(pane(1, 0));
        destroyView(pane(1, 1));
        m_split.setY(0);
    }
    layoutPanes();
}

void CSplitterWnd::layoutPanes()
{
    const int w = width(), h = height();
    const int x = m_split.x(), y = m_split.y();
    const int colW[2] = {x > 0 ? x : w, x > 0 ? w - x - kBar : 0};
    const int rowH[2] = {y > 0 ? y : h, y > 0 ? h - y - kBar : 0};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            if (CView* v = pane(r, c))
                v->setGeometry(c == 0 ? 0 : x + kBar, r == 0 ? 0 : y + kBar, colW[c], rowH[r]);
    update();
}

int CSplitterWnd::hitBars(QPoint p) const
{
    int bars = 0;
    if (m_split.x() > 0 && p.x() >= m_split.x() && p.x() < m_split.x() + kBar)
        bars |= 1;
    if (m_split.y() > 0 && p.y() >= m_split.y() && p.y() < m_split.y() + kBar)
        bars |= 2;
    return bars;
}

void CSplitterWnd::resizeEvent(QResizeEvent*)
{
    // Bars keep their place but never leave a pane below the minimum.
    if (m_split.x() > 0 && m_split.x() > width() - kBar - m_minPane.width())
        m_split.setX(std::max(m_minPane.width(), width() - kBar - m_minPane.width()));
    if (m_split.y() > 0 && m_split.y() > height() - kBar - m_minPane.height())
        m_split.setY(std::max(m_minPane.height(), height() - kBar - m_minPane.height()));
    layoutPanes();
}

void CSplitterWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor bar = palette().color(QPalette::Button);
    if (m_split.x() > 0)
        p.fillRect(m_split.x(), 0, kBar, height(), bar);
    if (m_split.y() > 0)
        p.fillRect(0, m_split.y(), width(), kBar, bar);
}

void CSplitterWnd::mousePressEvent(QMouseEvent* event)
{
    if (m_tracking) {
        endTracking(event->button() == Qt::LeftButton);
        return;
    }
    m_dragBars = event->button() == Qt::LeftButton ? hitBars(event->position().toPoint()) : 0;
}

void CSplitterWnd::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (m_tracking) {
        m_trackPos = p;
        showTracker();
        return;
    }
    if (m_dragBars == 0) {
        const int bars = hitBars(p);
        setCursor(bars == 3 ? Qt::SizeAllCursor : bars == 1 ? Qt::SplitHCursor : bars == 2 ? Qt::SplitVCursor
                                                                                           : Qt::ArrowCursor);
        return;
    }
    if (m_dragBars & 1)
        m_split.setX(std::clamp(p.x(), 1, std::max(1, width() - kBar)));
    if (m_dragBars & 2)
        m_split.setY(std::clamp(p.y(), 1, std::max(1, height() - kBar)));
    layoutPanes();
}

void CSplitterWnd::mouseReleaseEvent(QMouseEvent*)
{
    // A bar dropped closer to an edge than the minimum pane removes its split.
    const int bars = m_dragBars;
    m_dragBars = 0;
    const bool dropCol = (bars & 1) && (m_split.x() < m_minPane.width() || m_split.x() > width() - kBar - m_minPane.width());
    const bool dropRow = (bars & 2) && (m_split.y() < m_minPane.height() || m_split.y() > height() - kBar - m_minPane.height());
    if (dropCol || dropRow)
        removeSplit(dropCol, dropRow);
}

BOOL CSplitterWnd::DoKeyboardSplit()
{
    if (m_tracking || (GetRowCount() >= m_maxRows && GetColumnCount() >= m_maxCols))
        return FALSE;
    m_tracking = true;
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    m_trackPos = rect().contains(cursor) ? cursor : QPoint(width() / 2, height() / 2);
    QCursor::setPos(mapToGlobal(m_trackPos));
    setCursor(Qt::SizeAllCursor);
    grabMouse();
    grabKeyboard();
    showTracker();
    return TRUE;
}

void CSplitterWnd::endTracking(bool accept)
{
    m_tracking = false;
    releaseMouse();
    releaseKeyboard();
    unsetCursor();
    showTracker();
    if (accept)
        SplitAt(m_trackPos.x(), m_trackPos.y());
}

void CSplitterWnd::keyPressEvent(QKeyEvent* event)
{
    if (!m_tracking) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = event->modifiers() & Qt::ControlModifier ? 1 : 15;
    switch (event->key()) {
    case Qt::Key_Left: m_trackPos.rx() -= step; break;
    case Qt::Key_Right: m_trackPos.rx() += step; break;
    case Qt::Key_Up: m_trackPos.ry() -= step; break;
    case Qt::Key_Down: m_trackPos.ry() += step; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: endTracking(true); return;
    case Qt::Key_Escape: endTracking(false); return;
    default: return;
    }
    m_trackPos.setX(std::clamp(m_trackPos.x(), 0, width()));
    m_trackPos.setY(std::clamp(m_trackPos.y(), 0, height()));
    QCursor::setPos(mapToGlobal(m_trackPos));
    showTracker();
}

void CSplitterWnd::ActivateNext(bool previous)
{
    const auto views = GetViews();
    if (views.empty())
        return;
    CFrameWnd* f = frame();
    size_t i = 0;
    for (size_t k = 0; k < views.size(); ++k)
        if (f && views[k] == f->GetActiveView())
            i = k;
    const size_t n = views.size();
    CView* next = views[previous ? (i + n - 1) % n : (i + 1) % n];
    if (f)
        f->SetActiveView(next, true);
    next->setFocus(Qt::OtherFocusReason);
}

bool CSplitterWnd::eventFilter(QObject* watched, QEvent* event)
{
    // The pane that takes the focus holds the frame's active view.
    if (event->type() == QEvent::FocusIn)
        if (auto* v = dynamic_cast<CView*>(watched); v && frame() && frame()->GetActiveView() != v)
            frame()->SetActiveView(v, true);
    return QWidget::eventFilter(watched, event);
}
