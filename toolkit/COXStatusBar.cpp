#include "COXStatusBar.h"

#include "framework/app/CWinApp.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>

namespace {
// The room a pane keeps around its text, as the platform's panes do.
constexpr int kPanePadding = 8;
} // namespace

COXStatusBar::COXStatusBar() = default;
COXStatusBar::~COXStatusBar() = default;

BOOL COXStatusBar::Create(QWidget* parent, DWORD, UINT nID)
{
    auto* frame = qobject_cast<QMainWindow*>(parent);
    if (frame == nullptr)
        return FALSE;
    setProperty("id", nID);
    setObjectName(QStringLiteral("statusBar"));
    setAccessibleName(QStringLiteral("Status bar"));
    frame->setStatusBar(this);
    return TRUE;
}

BOOL COXStatusBar::SetIndicators(const UINT* ids, int count)
{
    if (ids == nullptr || count <= 0)
        return FALSE;
    for (QLabel* p : m_panes) {
        removeWidget(p);
        delete p;
    }
    m_panes.clear();
    m_ids.assign(ids, ids + count);
    HINSTANCE res = AfxGetResourceHandle();
    for (UINT id : m_ids) {
        auto* pane = new QLabel(this);
        pane->setProperty("id", id);
        pane->setObjectName(QStringLiteral("pane%1").arg(id));
        pane->installEventFilter(this);
        if (id == 0) {
            pane->setAccessibleName(QStringLiteral("Message"));
            addWidget(pane, 1);
        } else {
            // A pane is as wide as its string, as the platform sizes indicators.
            const QString* s = res ? res->FindString(id) : nullptr;
            const QString sample = s ? *s : QString();
            pane->setAlignment(Qt::AlignCenter);
            pane->setFrameShape(QFrame::StyledPanel);
            pane->setFrameShadow(QFrame::Sunken);
            pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sample) + kPanePadding);
            pane->setText(sample.trimmed());
            addPermanentWidget(pane);
        }
        m_panes.push_back(pane);
    }
    return TRUE;
}

int COXStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id)
            return int(i);
    return -1;
}

UINT COXStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_ids[size_t(index)] : 0;
}

QLabel* COXStatusBar::GetPane(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[size_t(index)] : nullptr;
}

BOOL COXStatusBar::SetPaneText(int index, const QString& text, QColor color, BOOL update)
{
    QLabel* pane = GetPane(index);
    if (pane == nullptr)
        return FALSE;
    QPalette pal = pane->palette();
    pal.setColor(QPalette::WindowText, color.isValid() ? color : palette().color(QPalette::WindowText));
    pane->setPalette(pal);
    pane->setText(text);
    if (m_ids[size_t(index)] != 0)
        pane->setAccessibleName(text);
    pane->setAccessibleDescription(text);
    if (update)
        pane->update(); // never a synchronous repaint: the caller may be painting
    return TRUE;
}

QString COXStatusBar::GetPaneText(int index) const
{
    QLabel* pane = GetPane(index);
    return pane ? pane->text() : QString();
}

void COXStatusBar::SetIdleMessage(const QString& text)
{
    const int i = CommandToIndex(0);
    if (i >= 0)
        SetPaneText(i, text);
}

bool COXStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (size_t i = 0; i < m_panes.size(); ++i)
            if (m_panes[i] == watched && m_notify) {
                m_notify(WM_OX_PANE_NOTIFY, m_ids[i]);
                return true;
            }
    }
    return QStatusBar::eventFilter(watched, event);
}
