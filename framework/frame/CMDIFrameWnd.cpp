#include "CMDIFrameWnd.h"

#include "CMDIChildWnd.h"
#include "framework/app/CRecentFileList.h"
#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/doc/CDocTemplate.h"
#include "framework/doc/CDocument.h"
#include "framework/view/CView.h"
#include "platform/ui/ShowWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>

namespace {
constexpr UINT kFirstMdiChild = 0xFF00;
const char* const kWindowListProperty = "lumivuWindowList";

bool isMruId(UINT id) { return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE16; }
} // namespace

CMDIFrameWnd::CMDIFrameWnd()
{
    m_mdiArea = new QMdiArea(this);
    // The area that holds the document windows, as a screen reader names it.
    m_mdiArea->setAccessibleName(QStringLiteral("Documents"));
    m_mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        // A null activation only means the application lost the focus.
        if (auto* child = dynamic_cast<CMDIChildWnd*>(w))
            OnChildActivated(child);
    });
    RegisterWindowCommands();
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    if (AfxGetApp() && AfxGetApp()->m_pMainWnd == this)
        AfxGetApp()->m_pMainWnd = nullptr;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD style, QWidget* parent, CCreateContext* context)
{
    m_nIDResource = nIDResource;
    HINSTANCE res = AfxGetResourceHandle();
    if (const QString* title = res ? res->FindString(nIDResource) : nullptr) {
        m_strTitle = title->section('\n', 0, 0);
        setWindowTitle(m_strTitle);
    }
    if (const QString* icon = res ? res->FindImage(nIDResource) : nullptr)
        setWindowIcon(QIcon(*icon));
    SetMenuFromResource(nIDResource);
    LoadAccelerators(nIDResource);
    return CFrameWnd::LoadFrame(nIDResource, style, parent, context);
}

MenuBuilder::Callbacks CMDIFrameWnd::MenuCallbacks()
{
    MenuBuilder::Callbacks cb;
    cb.command = [this](UINT id) { SendCommand(id); };
    cb.aboutToShow = [this](QMenu* popup) { UpdateMenuItems(popup); };
    return cb;
}

void CMDIFrameWnd::SetMenuFromResource(UINT menuId)
{
    if (menuId == m_currentMenu && menuBar()->actions().size() > 0)
        return;
    HINSTANCE res = AfxGetResourceHandle();
    const MenuDef* def = res ? res->FindMenu(menuId) : nullptr;
    if (def == nullptr)
        return;
    m_currentMenu = menuId;
    // A new bar: the old one may be the sender of the command that led here,
    // and QMainWindow deletes it later.
    auto* bar = new QMenuBar(this);
    MenuBuilder::Fill(bar, *def, MenuCallbacks());
    setMenuBar(bar);
}

void CMDIFrameWnd::LoadAccelerators(UINT id)
{
    for (QShortcut* s : m_accelerators)
        delete s;
    m_accelerators.clear();
    HINSTANCE res = AfxGetResourceHandle();
    const AccelTableDef* table = res ? res->FindAccelerators(id) : nullptr;
    if (table == nullptr)
        return;
    for (const AccelDef& a : *table) {
        auto* s = new QShortcut(QKeySequence(a.key), this);
        s->setContext(Qt::WindowShortcut);
        const UINT cmd = a.id;
        connect(s, &QShortcut::activated, this, [this, cmd] {
            emit acceleratorActivated(cmd);
            SendCommand(cmd);
        });
        m_accelerators.push_back(s);
    }
}

void CMDIFrameWnd::UpdateMenuItems(QMenu* popup)
{
    FillRecentFiles(popup);
    FillWindowList(popup);
    for (QAction* a : popup->actions()) {
        const UINT id = MenuBuilder::CommandId(a);
        if (id == 0 || a->menu() || a->property(kWindowListProperty).toBool())
            continue;
        if (isMruId(id) && (!AfxGetApp() || !AfxGetApp()->m_pRecentFileList ||
                            AfxGetApp()->m_pRecentFileList->GetSize() == 0)) {
            a->setEnabled(false);
            continue;
        }
        CCmdUI ui = QueryCommand(id);
        a->setEnabled(ui.m_enabled);
        if (ui.m_check) {
            a->setCheckable(true);
            a->setChecked(*ui.m_check != 0);
        }
        if (ui.m_text)
            a->setText(*ui.m_text);
    }
}

void CMDIFrameWnd::FillRecentFiles(QMenu* popup)
{
    QList<QAction*> actions = popup->actions();
    int pos = -1;
    for (int i = 0; i < actions.size(); ++i) {
        if (isMruId(MenuBuilder::CommandId(actions[i]))) {
            if (pos < 0)
                pos = i;
            popup->removeAction(actions[i]);
            actions[i]->deleteLater();
        }
    }
    if (pos < 0)
        return;
    QAction* before = pos < popup->actions().size() ? popup->actions().at(pos) : nullptr;
    CRecentFileList* mru = AfxGetApp() ? AfxGetApp()->m_pRecentFileList : nullptr;
    const auto cb = MenuCallbacks();
    if (mru == nullptr || mru->GetSize() == 0) {
        popup->insertAction(before, MenuBuilder::MakeAction(popup, tr("Recent File"), ID_FILE_MRU_FILE1, cb));
        return;
    }
    for (int i = 0; i < mru->GetSize(); ++i) {
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(mru->GetDisplayName(i));
        popup->insertAction(before, MenuBuilder::MakeAction(popup, text, ID_FILE_MRU_FILE1 + UINT(i), cb));
    }
}

void CMDIFrameWnd::FillWindowList(QMenu* popup)
{
    // The window menu of a document frame ends with the list of document windows.
    if (popup->title() != QLatin1String("&Window"))
        return;
    for (QAction* a : popup->actions())
        if (a->property(kWindowListProperty).toBool()) {
            popup->removeAction(a);
            a->deleteLater();
        }
    const auto children = MDIGetChildren();
    if (children.empty())
        return;
    QAction* sep = popup->addSeparator();
    sep->setProperty(kWindowListProperty, true);
    int n = 0;
    for (CMDIChildWnd* child : children) {
        ++n;
        QString title = child->windowTitle();
        title.replace('&', "&&");
        auto* a = popup->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(title) : title);
        a->setData(kFirstMdiChild + UINT(n - 1));
        a->setProperty(kWindowListProperty, true);
        a->setCheckable(true);
        a->setChecked(child == MDIGetActive());
        connect(a, &QAction::triggered, this, [this, child] {
            for (CMDIChildWnd* c : MDIGetChildren())
                if (c == child)
                    MDIActivate(child);
        });
    }
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::MDIGetChildren() const
{
    std::vector<CMDIChildWnd*> out;
    for (QMdiSubWindow* w : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* c = dynamic_cast<CMDIChildWnd*>(w); c && !c->property("lumivuDestroying").toBool())
            out.push_back(c);
    return out;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    const auto children = MDIGetChildren();
    for (CMDIChildWnd* c : children)
        if (c == m_activeChild)
            return c;
    if (auto* c = dynamic_cast<CMDIChildWnd*>(m_mdiArea->currentSubWindow()))
        return c;
    return children.empty() ? nullptr : children.back();
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* child)
{
    if (child == nullptr)
        return;
    m_mdiArea->setActiveSubWindow(child);
    OnChildActivated(child);
}

void CMDIFrameWnd::OnChildAdded(CMDIChildWnd* child)
{
    OnChildActivated(child);
}

void CMDIFrameWnd::OnChildActivated(CMDIChildWnd* child)
{
    CMDIChildWnd* old = m_activeChild;
    m_activeChild = child;
    if (old != child && old != nullptr) {
        for (CMDIChildWnd* c : MDIGetChildren())
            if (c == old && c->GetActiveView())
                c->GetActiveView()->OnActivateView(false, child ? child->GetActiveView() : nullptr,
                                                   c->GetActiveView());
    }
    if (child && child->GetActiveView() && old != child)
        child->GetActiveView()->OnActivateView(true, child->GetActiveView(), nullptr);
    // The menu follows the active document's template; switch after the
    // current event so that a menu command in progress keeps its menu.
    const UINT menu = child && child->m_pTemplate ? child->m_pTemplate->m_nIDResource : m_nIDResource;
    QTimer::singleShot(0, this, [this, menu] {
        const UINT now = MDIGetActive() && MDIGetActive()->m_pTemplate ? MDIGetActive()->m_pTemplate->m_nIDResource
                                                                        : m_nIDResource;
        if (now == menu)
            SetMenuFromResource(menu);
    });
    OnUpdateFrameTitle(true);
}

void CMDIFrameWnd::MDICascade() { m_mdiArea->cascadeSubWindows(); }

void CMDIFrameWnd::MDITile(bool horizontal)
{
    const auto children = MDIGetChildren();
    std::vector<CMDIChildWnd*> shown;
    for (CMDIChildWnd* c : children)
        if (!c->isMinimized() && c->isVisible())
            shown.push_back(c);
    if (shown.empty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int n = int(shown.size());
    for (int i = 0; i < n; ++i) {
        CMDIChildWnd* c = shown[size_t(i)];
        if (c->isMaximized())
            c->showNormal();
        // Horizontal tiling stacks the windows in rows, vertical tiling in columns.
        if (horizontal) {
            const int top = area.height() * i / n, bottom = area.height() * (i + 1) / n;
            c->setGeometry(0, top, area.width(), bottom - top);
        } else {
            const int left = area.width() * i / n, right = area.width() * (i + 1) / n;
            c->setGeometry(left, 0, right - left, area.height());
        }
    }
}

void CMDIFrameWnd::MDIIconArrange()
{
    // Minimised windows line up along the bottom of the area.
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    for (CMDIChildWnd* c : MDIGetChildren()) {
        if (!c->isMinimized())
            continue;
        const QSize s = c->size();
        c->move(x, area.height() - s.height());
        x += s.width();
    }
}

void CMDIFrameWnd::MDINext(bool previous)
{
    if (previous)
        m_mdiArea->activatePreviousSubWindow();
    else
        m_mdiArea->activateNextSubWindow();
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* c = MDIGetActive();
    return c ? static_cast<CFrameWnd*>(c) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    CMDIChildWnd* c = MDIGetActive();
    return c ? c->GetActiveDocument() : nullptr;
}

void CMDIFrameWnd::OnUpdateFrameTitle(bool addToTitle)
{
    QString title = m_strTitle;
    // A maximised document window's own title follows in brackets, a
    // restored one's document after a dash. (The MDI area rewrites the title
    // while it maximises a window; the children call again afterwards.)
    CMDIChildWnd* active = MDIGetActive();
    if (addToTitle && (m_dwStyle & FWS_ADDTOTITLE) && active) {
        if (active->isMaximized() && !active->windowTitle().isEmpty())
            title += QStringLiteral(" - [") + active->windowTitle() + ']';
        else if (CDocument* d = GetActiveDocument(); d && !d->GetTitle().isEmpty())
            title += QStringLiteral(" - ") + d->GetTitle();
    }
    setWindowTitle(title);
}

bool CMDIFrameWnd::OnCmdMsg(UINT id, CCmdUI* update)
{
    if (CMDIChildWnd* c = MDIGetActive(); c && c->OnCmdMsg(id, update))
        return true;
    if (CCmdTarget::OnCmdMsg(id, update))
        return true;
    return AfxGetApp() != nullptr && AfxGetApp()->OnCmdMsg(id, update);
}

void CMDIFrameWnd::RegisterWindowCommands()
{
    OnCommand(ID_WINDOW_CASCADE, [this] { MDICascade(); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { MDITile(true); });
    OnCommand(ID_WINDOW_TILE_VERT, [this] { MDITile(false); });
    OnCommand(ID_WINDOW_ARRANGE, [this] { MDIIconArrange(); });
    OnCommand(ID_WINDOW_NEW, [this] {
        // A second window on the active document, in a frame of its template.
        CMDIChildWnd* active = MDIGetActive();
        CDocument* doc = active ? active->GetActiveDocument() : nullptr;
        if (doc == nullptr || doc->GetDocTemplate() == nullptr)
            return;
        if (CFrameWnd* f = doc->GetDocTemplate()->CreateNewFrame(doc, active))
            doc->GetDocTemplate()->InitialUpdateFrame(f, doc, true);
    });
    auto needChild = [this](CCmdUI* ui) { ui->Enable(MDIGetActive() != nullptr); };
    for (UINT id : {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE, ID_WINDOW_NEW})
        OnUpdateCommand(id, needChild);
}

void CMDIFrameWnd::DragAcceptFiles(bool accept) { setAcceptDrops(accept); }

void CMDIFrameWnd::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        for (const QUrl& u : event->mimeData()->urls())
            if (u.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
    event->ignore();
}

void CMDIFrameWnd::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& u : event->mimeData()->urls())
        if (u.isLocalFile())
            files << u.toLocalFile();
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    OnDropFiles(files);
}

void CMDIFrameWnd::OnDropFiles(const QStringList& files)
{
    activateWindow();
    raise();
    for (const QString& f : files)
        if (AfxGetApp())
            AfxGetApp()->OpenDocumentFile(f);
}

void CMDIFrameWnd::ShowWindow(int nCmdShow) { ::ShowWindow(this, nCmdShow); }

void CMDIFrameWnd::UpdateWindow() { repaint(); }

void CMDIFrameWnd::closeEvent(QCloseEvent* event)
{
    if (m_bDestroying) {
        event->accept();
        return;
    }
    event->ignore();
    OnClose();
}

void CMDIFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && !app->SaveAllModified())
        return;
    if (app)
        app->CloseAllDocuments(false);
    m_bDestroying = true;
    hide();
    if (app && app->m_pMainWnd == this)
        app->OnMainWindowClosed();
}
