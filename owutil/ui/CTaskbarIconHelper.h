#pragma once
// The tray-icon part of CTaskbarIcon: a click brings the parent window back,
// the menu button shows the client's menu when one is set.
#include "toolkit/COXTaskbarIcon.h"

#include <QPointer>
#include <QWidget>

class CTaskbarIconHelper : public COXTaskbarIcon {
    Q_OBJECT
public:
    CTaskbarIconHelper();
    ~CTaskbarIconHelper() override;

    QPointer<QWidget> m_pParent;
    UINT m_nMenuID = 0;
    UINT m_nDefaultItem = 0;

    // What a click on the icon does (public so that a client or a test may
    // click without a tray host).
    void OnLButtonDown() override;
    void OnRButtonDown() override;
};
