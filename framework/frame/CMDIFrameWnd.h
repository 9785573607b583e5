#pragma once
// The multiple-document main frame: a QMainWindow whose central widget is
// an MDI area holding the document windows. Its menu bar shows the menu of
// the active document's template, or its own menu when no document is open.
#include "CFrameWnd.h"
#include "MenuBuilder.h"

#include <QMainWindow>
#include <map>

class CMDIChildWnd;
class QMdiArea;
class QMdiSubWindow;
class QShortcut;

class CMDIFrameWnd : public QMainWindow, public CFrameWnd {
    Q_OBJECT
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    QWidget* GetWidget() override { return this; }
    bool IsMainFrame() const override { return true; }

    BOOL LoadFrame(UINT nIDResource, DWORD style, QWidget* parent, CCreateContext* context) override;

    QMdiArea* MDIGetClient() const { return m_mdiArea; }
    CMDIChildWnd* MDIGetActive() const;
    void MDIActivate(CMDIChildWnd* child);
    std::vector<CMDIChildWnd*> MDIGetChildren() const;
    void MDICascade();
    void MDITile(bool horizontal);
    void MDIIconArrange();
    void MDINext(bool previous = false);

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    void OnUpdateFrameTitle(bool addToTitle) override;
    bool OnCmdMsg(UINT id, CCmdUI* update) override;

    // Accept files dropped from the file manager: each is opened as a document.
    void DragAcceptFiles(bool accept = true);
    void ShowWindow(int nCmdShow);
    void UpdateWindow();

    // The menu a document window shows (its template's menu id), created once.
    void SetMenuFromResource(UINT menuId);
    UINT CurrentMenuId() const { return m_currentMenu; }
    // Brings every visible menu item's state up to date (enabled, checked).
    void UpdateMenuItems(QMenu* popup);

    void OnClose() override;

    // Called by the children as they come and go.
    void OnChildAdded(CMDIChildWnd* child);
    void OnChildActivated(CMDIChildWnd* child);

signals:
    // A key of the accelerator table was pressed; its command follows.
    void acceleratorActivated(UINT command);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    virtual void OnDropFiles(const QStringList& files);

    void LoadAccelerators(UINT id);
    // The framework's window commands (new window, cascade, tile, arrange).
    void RegisterWindowCommands();
    MenuBuilder::Callbacks MenuCallbacks();

private:
    void FillRecentFiles(QMenu* popup);
    void FillWindowList(QMenu* popup);

    QMdiArea* m_mdiArea = nullptr;
    UINT m_nIDResource = 0;
    UINT m_currentMenu = 0;
    CMDIChildWnd* m_activeChild = nullptr;
    std::vector<QShortcut*> m_accelerators;
};
