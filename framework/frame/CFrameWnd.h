#pragma once
// What every frame window shares, whatever its widget: the active view,
// command routing (active view, then the frame, then the application),
// loading from a resource id, and the creation of its view.
#include "framework/cmd/CCmdTarget.h"

#include <QString>

class CDocument;
class CView;
class QWidget;
struct CCreateContext;

// The window parameters a frame may change before it is created.
struct CREATESTRUCT {
    DWORD style = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

class CFrameWnd : public CCmdTarget {
public:
    ~CFrameWnd() override;

    // The frame's own window.
    virtual QWidget* GetWidget() = 0;
    virtual bool IsMainFrame() const { return false; }

    CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* view, bool notify = true);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: the active document window for an MDI frame.
    virtual CFrameWnd* GetActiveFrame() { return this; }

    // Creates the frame's window from resource nIDResource (title, menu,
    // accelerators, icon) with the given style. FALSE when OnCreate fails.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD style, QWidget* parent, CCreateContext* context);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Window creation: 0 to go on, -1 to fail the frame.
    virtual int OnCreate(CCreateContext* context);
    virtual BOOL OnCreateClient(CCreateContext* context);
    CView* CreateView(CCreateContext* context, QWidget* parent);

    virtual void InitialUpdateFrame(CDocument* doc, bool makeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(bool addToTitle);
    // Closes the window as the user's close does: asks the document first.
    virtual void OnClose();
    // Takes the frame and its views away (without asking anyone).
    virtual void DestroyFrame();

    bool OnCmdMsg(UINT id, CCmdUI* update) override;
    // Help for a help context and command; the framework has no help viewer
    // of its own, so by default nothing is shown.
    virtual void WinHelp(DWORD /*data*/, UINT /*cmd*/) {}
    // Sends command id as a menu item would: nothing happens when an update
    // handler disables it or no target handles it. Returns true when handled.
    bool SendCommand(UINT id);
    // The state the routing gives a command (enabled, checked).
    CCmdUI QueryCommand(UINT id);

    UINT m_nIDHelp = 0;
    DWORD m_dwStyle = 0;
    QString m_strTitle;

protected:
    // The help id and the style PreCreateWindow settles on; false when it refuses.
    bool PrepareFrame(UINT nIDResource, DWORD style);

    CView* m_pViewActive = nullptr;
    bool m_bDestroying = false;
};
