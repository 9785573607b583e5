#pragma once
// The frame of each document window: a dynamic splitter of up to 2 x 2
// views of its document.
#include "framework/frame/CMDIChildWnd.h"
#include "framework/frame/CSplitterWnd.h"

class CChildFrame : public CMDIChildWnd {
    Q_OBJECT
public:
    CChildFrame();
    ~CChildFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(CCreateContext* context) override;
    void ActivateFrame(int nCmdShow = -1) override;

    CSplitterWnd* GetSplitter() { return m_wndSplitter; }

private:
    // Owned by the window as its content.
    CSplitterWnd* m_wndSplitter = nullptr;
};
