#include "CTaskbarWindowHelper.h"

#include "platform/ui/ShowWindow.h"

CTaskbarWindowHelper::CTaskbarWindowHelper(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setAccessibleName(owner ? owner->windowTitle() : QString());
}

CTaskbarWindowHelper::~CTaskbarWindowHelper() = default;

void CTaskbarWindowHelper::OnSetFocus()
{
    if (m_pParent) {
        ShowWindow(m_pParent, SW_RESTORE);
        m_pParent->activateWindow();
    }
}
