#include "COXLayoutManager.h"

#include "framework/dialog/CDialog.h"

#include <QEvent>
#include <QWidget>
#include <cmath>

namespace {

enum { Top, Bottom, Left, Right };
constexpr int kFlags[4] = {OX_LMS_TOP, OX_LMS_BOTTOM, OX_LMS_LEFT, OX_LMS_RIGHT};
// More nested bases than any dialog has: a longer chain is a circle.
constexpr int kMaxDepth = 32;

int edge(const QRect& r, int which)
{
    switch (which) {
    case Top: return r.top();
    case Bottom: return r.top() + r.height();
    case Left: return r.left();
    default: return r.left() + r.width();
    }
}

int opposite(int which) { return which ^ 1; }

} // namespace

COXLayoutManager::COXLayoutManager() = default;

COXLayoutManager::~COXLayoutManager() { Detach(); }

BOOL COXLayoutManager::Attach(QWidget* container)
{
    if (container == nullptr || m_container != nullptr)
        return FALSE;
    m_container = container;
    container->installEventFilter(this);
    return TRUE;
}

void COXLayoutManager::Detach()
{
    if (m_container)
        m_container->removeEventFilter(this);
    m_container = nullptr;
    m_children.clear();
}

QWidget* COXLayoutManager::child(int id) const
{
    return m_container ? CDialog::FindDlgItem(m_container, id) : nullptr;
}

BOOL COXLayoutManager::SetConstraint(int childId, int sides, int kind, int offset, int baseId)
{
    if (child(childId) == nullptr || (sides & OX_LMS_ANY) == 0 || kind < OX_LMT_SAME || kind > OX_LMT_POSITION)
        return FALSE;
    if (kind != OX_LMT_POSITION && (baseId == childId || (baseId != 0 && child(baseId) == nullptr)))
        return FALSE;
    Child& c = m_children[childId];
    for (int i = 0; i < 4; ++i)
        if (sides & kFlags[i])
            c.sides[i] = Side{kind, offset, kind == OX_LMT_POSITION ? 0 : baseId};
    return TRUE;
}

BOOL COXLayoutManager::RemoveConstraint(int childId, int sides)
{
    auto it = m_children.find(childId);
    if (it == m_children.end())
        return FALSE;
    for (int i = 0; i < 4; ++i)
        if (sides & kFlags[i])
            it->second.sides[i] = Side{};
    return TRUE;
}

int COXLayoutManager::resolve(const Side& side, int which, std::map<int, QRect>& done, int depth)
{
    const QSize area = m_container->size();
    const bool horizontal = which == Left || which == Right;
    if (side.kind == OX_LMT_POSITION)
        return int(std::lround((horizontal ? area.width() : area.height()) * side.offset / 100.0));
    const int baseSide = side.kind == OX_LMT_SAME ? which : opposite(which);
    const QRect base = side.baseId == 0 ? QRect(QPoint(0, 0), area) : place(side.baseId, done, depth + 1);
    return edge(base, baseSide) + side.offset;
}

QRect COXLayoutManager::place(int id, std::map<int, QRect>& done, int depth)
{
    if (auto it = done.find(id); it != done.end())
        return it->second;
    QWidget* w = child(id);
    if (w == nullptr)
        return QRect();
    QRect r = w->geometry();
    auto it = m_children.find(id);
    if (it == m_children.end() || depth > kMaxDepth)
        return r;
    const Child& c = it->second;
    int e[4];
    bool set[4];
    for (int i = 0; i < 4; ++i) {
        set[i] = c.sides[i].kind != 0;
        e[i] = set[i] ? resolve(c.sides[i], i, done, depth) : edge(r, i);
    }
    // A free side keeps the size from the constrained one.
    if (set[Top] && !set[Bottom])
        e[Bottom] = e[Top] + r.height();
    if (set[Bottom] && !set[Top])
        e[Top] = e[Bottom] - r.height();
    if (set[Left] && !set[Right])
        e[Right] = e[Left] + r.width();
    if (set[Right] && !set[Left])
        e[Left] = e[Right] - r.width();
    r = QRect(e[Left], e[Top], std::max(0, e[Right] - e[Left]), std::max(0, e[Bottom] - e[Top]));
    done[id] = r;
    return r;
}

BOOL COXLayoutManager::RedrawLayout()
{
    if (!m_container)
        return FALSE;
    std::map<int, QRect> done;
    for (const auto& [id, c] : m_children)
        place(id, done, 0);
    for (const auto& [id, r] : done)
        if (QWidget* w = child(id))
            w->setGeometry(r);
    return TRUE;
}

bool COXLayoutManager::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_container && event->type() == QEvent::Resize)
        RedrawLayout();
    return QObject::eventFilter(watched, event);
}
