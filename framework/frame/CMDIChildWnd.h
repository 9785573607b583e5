#pragma once
// A document window: an MDI sub-window holding the document's view.
#include "CFrameWnd.h"

#include <QMdiSubWindow>

class CMDIFrameWnd;
class CDocTemplate;

class CMDIChildWnd : public QMdiSubWindow, public CFrameWnd {
    Q_OBJECT
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    QWidget* GetWidget() override { return this; }
    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }

    // parent is the main frame; the frame's style maps onto the window's
    // buttons and border.
    BOOL LoadFrame(UINT nIDResource, DWORD style, QWidget* parent, CCreateContext* context) override;
    BOOL OnCreateClient(CCreateContext* context) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(bool addToTitle) override;
    void MDIActivate();
    void DestroyFrame() override;
    // The active view, then the frame; the main frame routes on to itself and the application.
    bool OnCmdMsg(UINT id, CCmdUI* update) override;

    // The template whose menu this window shows.
    CDocTemplate* m_pTemplate = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

    CMDIFrameWnd* m_pMDIFrame = nullptr;
};
