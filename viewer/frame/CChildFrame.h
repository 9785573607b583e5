#pragma once
// The frame of each document window.
#include "framework/frame/CMDIChildWnd.h"

class CChildFrame : public CMDIChildWnd {
    Q_OBJECT
public:
    CChildFrame();
    ~CChildFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int nCmdShow = -1) override;
};
