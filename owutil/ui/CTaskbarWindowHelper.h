#pragma once
// The window part of CTaskbarIcon: a frame window off the screen that stands
// in the taskbar for the hidden program.
#include "framework/frame/CFrameWnd.h"

#include <QPointer>
#include <QWidget>

class CTaskbarWindowHelper : public QWidget, public CFrameWnd {
    Q_OBJECT
public:
    explicit CTaskbarWindowHelper(QWidget* owner);
    ~CTaskbarWindowHelper() override;

    QWidget* GetWidget() override { return this; }
    // Activates the parent and restores it.
    void OnSetFocus();

    QPointer<QWidget> m_pParent;
};
