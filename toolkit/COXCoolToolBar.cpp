#include "COXCoolToolBar.h"

#include "framework/app/CWinApp.h"
#include "framework/frame/CFrameWnd.h"
#include "framework/frame/ControlBarStyles.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QTimer>
#include <QToolButton>

namespace {
// How often the buttons follow the update handlers, as the platform does on idle.
constexpr int kIdleUpdateMs = 250;
// Buttons of 16 x 15 pixels in a frame a few pixels larger.
constexpr int kImageSize = 16;

Qt::ToolBarAreas areasOf(DWORD style)
{
    Qt::ToolBarAreas a;
    if (style & CBRS_ALIGN_LEFT)
        a |= Qt::LeftToolBarArea;
    if (style & CBRS_ALIGN_TOP)
        a |= Qt::TopToolBarArea;
    if (style & CBRS_ALIGN_RIGHT)
        a |= Qt::RightToolBarArea;
    if (style & CBRS_ALIGN_BOTTOM)
        a |= Qt::BottomToolBarArea;
    return a;
}
} // namespace

COXCoolToolBar::COXCoolToolBar()
{
    m_idle = new QTimer(this);
    m_idle->setInterval(kIdleUpdateMs);
    connect(m_idle, &QTimer::timeout, this, &COXCoolToolBar::UpdateButtons);
}

COXCoolToolBar::~COXCoolToolBar() = default;

BOOL COXCoolToolBar::Create(CFrameWnd* frame, DWORD style, UINT nID)
{
    auto* main = frame ? qobject_cast<QMainWindow*>(frame->GetWidget()) : nullptr;
    if (main == nullptr)
        return FALSE;
    m_frame = frame;
    setParent(main);
    setProperty("id", nID);
    setObjectName(QStringLiteral("toolBar%1").arg(nID));
    setAccessibleName(QStringLiteral("Toolbar"));
    SetBarStyle(style);
    setAllowedAreas(areasOf(style));
    setFloatable(false);
    setMovable(true);
    const Qt::ToolBarArea area = (style & CBRS_ALIGN_BOTTOM) && !(style & CBRS_ALIGN_TOP) ? Qt::BottomToolBarArea
                                                                                          : Qt::TopToolBarArea;
    main->addToolBar(area, this);
    UpdateSizes();
    return TRUE;
}

BOOL COXCoolToolBar::LoadToolBar(UINT nIDResource)
{
    HINSTANCE res = AfxGetResourceHandle();
    const ToolBarDef* def = res ? res->FindToolBar(nIDResource) : nullptr;
    if (def == nullptr)
        return FALSE;
    clear();
    for (const ToolBarButtonDef& b : *def) {
        if (b.id == 0) {
            addSeparator();
            continue;
        }
        QAction* a = addAction(QIcon(b.image), QString());
        a->setData(b.id);
        const UINT id = b.id;
        connect(a, &QAction::triggered, this, [this, id] {
            if (m_frame)
                m_frame->SendCommand(id);
            UpdateButtons();
        });
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(a)))
            button->setProperty("id", id);
    }
    applyTips();
    UpdateButtons();
    return TRUE;
}

void COXCoolToolBar::applyTips()
{
    HINSTANCE res = AfxGetResourceHandle();
    for (QAction* a : actions()) {
        const UINT id = a->data().toUInt();
        if (id == 0)
            continue;
        QString prompt;
        if (CWinApp* app = AfxGetApp())
            prompt = app->LoadFrameworkString(id);
        else if (const QString* s = res ? res->FindString(id) : nullptr)
            prompt = *s;
        const QString tip = prompt.section('\n', 1, 1);
        const QString flyBy = prompt.section('\n', 0, 0);
        a->setText(tip);
        a->setToolTip((m_style & CBRS_TOOLTIPS) ? tip : QString());
        a->setStatusTip((m_style & CBRS_FLYBY) ? flyBy : QString());
        if (QWidget* w = widgetForAction(a)) {
            w->setAccessibleName(tip);
            w->setAccessibleDescription(flyBy);
        }
    }
}

void COXCoolToolBar::EnableDocking(DWORD alignment)
{
    setAllowedAreas(areasOf(alignment));
    setFloatable(true);
    setMovable(true);
}

void COXCoolToolBar::SetBarStyle(DWORD style)
{
    m_style = style;
    applyTips();
}

void COXCoolToolBar::UpdateSizes()
{
    setIconSize(QSize(kImageSize, kImageSize));
}

void COXCoolToolBar::SetWindowText(const QString& text) { setWindowTitle(text); }

QAction* COXCoolToolBar::FindButton(UINT id) const
{
    for (QAction* a : actions())
        if (a->data().toUInt() == id && !a->isSeparator())
            return a;
    return nullptr;
}

std::vector<UINT> COXCoolToolBar::ButtonIds() const
{
    std::vector<UINT> out;
    for (QAction* a : actions())
        out.push_back(a->isSeparator() ? 0 : a->data().toUInt());
    return out;
}

void COXCoolToolBar::UpdateButtons()
{
    if (m_frame == nullptr)
        return;
    for (QAction* a : actions()) {
        const UINT id = a->data().toUInt();
        if (id == 0 || a->isSeparator())
            continue;
        CCmdUI ui = m_frame->QueryCommand(id);
        a->setEnabled(ui.m_enabled);
        a->setCheckable(ui.m_check.has_value());
        if (ui.m_check)
            a->setChecked(*ui.m_check != 0);
    }
}

void COXCoolToolBar::showEvent(QShowEvent* event)
{
    QToolBar::showEvent(event);
    UpdateButtons();
    m_idle->start();
}

void COXCoolToolBar::hideEvent(QHideEvent* event)
{
    m_idle->stop();
    QToolBar::hideEvent(event);
}
