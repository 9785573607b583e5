#pragma once
// The viewer's main window.
#include "framework/frame/CMDIFrameWnd.h"

class CMainFrame : public CMDIFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    int OnCreate(CCreateContext* context) override;
    // Stores the workspace, then closes as the framework does.
    void OnClose() override;
};
