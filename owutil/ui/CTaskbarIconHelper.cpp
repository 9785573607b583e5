#include "CTaskbarIconHelper.h"

#include "framework/app/CWinApp.h"
#include "framework/frame/CFrameWnd.h"
#include "framework/frame/MenuBuilder.h"
#include "platform/ui/ShowWindow.h"

#include <QAction>
#include <QMenu>

CTaskbarIconHelper::CTaskbarIconHelper() = default;
CTaskbarIconHelper::~CTaskbarIconHelper() = default;

void CTaskbarIconHelper::OnLButtonDown()
{
    COXTaskbarIcon::OnLButtonDown();
    if (m_pParent) {
        ShowWindow(m_pParent, SW_RESTORE);
        m_pParent->activateWindow();
    }
}

void CTaskbarIconHelper::OnRButtonDown()
{
    COXTaskbarIcon::OnRButtonDown();
    if (m_nMenuID == 0 || !m_pParent)
        return;
    HINSTANCE res = AfxGetResourceHandle();
    const MenuDef* def = res ? res->FindMenu(m_nMenuID) : nullptr;
    if (def == nullptr || def->empty())
        return;
    // The first popup of the menu resource, as a context menu owned by the parent.
    const std::vector<MenuItemDef>& items = def->front().IsPopup() ? def->front().popup : *def;
    QMenu menu(m_pParent);
    MenuBuilder::Callbacks cb;
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pParent.data());
    cb.command = [frame](UINT id) {
        if (frame)
            frame->SendCommand(id);
    };
    MenuBuilder::AddItems(&menu, items, cb);
    if (m_nDefaultItem != 0)
        for (QAction* a : menu.actions())
            if (MenuBuilder::CommandId(a) == m_nDefaultItem)
                menu.setDefaultAction(a);
    menu.exec(QPoint(100, 100));
}
