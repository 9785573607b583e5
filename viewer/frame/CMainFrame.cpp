#include "CMainFrame.h"

#include "framework/app/CWinApp.h"
#include "framework/app/HelpIds.h"
#include "framework/cmd/CommandIds.h"
#include "framework/frame/CMDIChildWnd.h"
#include "framework/frame/ControlBarStyles.h"
#include "framework/view/CView.h"
#include "owutil/text/ResString.h"
#include "toolkit/COXCoolToolBar.h"
#include "toolkit/COXStatusBar.h"
#include "toolkit/COXTaskbarIcon.h"
#include "toolkit/COXTabClientWnd.h"
#include "toolkit/COXWorkspaceState.h"
#include "viewer/resources/Resource.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QTimer>
#include <QWindowStateChangeEvent>
#include <cmath>

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_ZOOM};

// The menu images, in the order they are registered: command, bitmap.
const UINT kMenuImages[][2] = {
    {ID_FILE_SAVE_AS, 172},     {32789, 164},
    {ID_FILE_CLOSE, 149},       {ID_EDIT_COPY, 150},
    {ID_FILE_SEND_MAIL, 170},   {ID_PREFERENCES, 151},
    {ID_FILE_PRINT_SETUP, 162}, {ID_APP_EXIT, 161},
    {ID_CAPTURE_WINDOW, 169},   {ID_CAPTURE_REGION, 168},
    {ID_FIT_GIVEN_X, 155},      {ID_FIT_GIVEN_Y, 156},
    {32786, 165},               {32787, 166},
    {32788, 167},               {ID_WINDOW_NEW, 159},
    {ID_WINDOW_CASCADE, 152},   {ID_WINDOW_TILE_HORZ, 153},
    {ID_WINDOW_TILE_VERT, 154}, {ID_WINDOW_ARRANGE, 160},
    {ID_WINDOW_SPLIT, 157},     {ID_HELP_FINDER, 163},
};

// The tabs: at the bottom, on several lines, highlighted under the mouse.
constexpr DWORD kTabStyle = TCS_MULTILINE | TCS_HOTTRACK | TCS_BOTTOM | TCS_SCROLLOPPOSITE;

int settingsInt(const char* name, int def)
{
    CWinApp* app = AfxGetApp();
    return app ? int(app->GetProfileInt(QStringLiteral("Settings"), QString::fromLatin1(name), def)) : def;
}

} // namespace

CMainFrame::CMainFrame() { registerCommands(); }

CMainFrame::~CMainFrame() = default;

void CMainFrame::registerCommands()
{
    OnCommand(ID_VIEW_TOOLBAR, [this] {
        if (m_wndToolBar)
            m_wndToolBar->setVisible(m_wndToolBar->isHidden());
    });
    OnUpdateCommand(ID_VIEW_TOOLBAR, [this](CCmdUI* ui) { ui->SetCheck(m_wndToolBar && !m_wndToolBar->isHidden()); });
    OnCommand(ID_VIEW_STATUS_BAR, [this] {
        if (m_wndStatusBar)
            m_wndStatusBar->setVisible(m_wndStatusBar->isHidden());
    });
    OnUpdateCommand(ID_VIEW_STATUS_BAR,
                    [this](CCmdUI* ui) { ui->SetCheck(m_wndStatusBar && !m_wndStatusBar->isHidden()); });
    OnCommand(ID_TRAY_RESTORE, [this] {
        ShowWindow(SW_RESTORE);
        activateWindow();
    });
    OnCommand(ID_TRAY_CLOSE, [this] { close(); });
    OnUpdateCommand(ID_INDICATOR_ZOOM, [](CCmdUI* ui) { ui->Enable(TRUE); });
    OnCommand(ID_HELP_FINDER, [this] { WinHelp(0, HELP_FINDER); });
    OnCommand(ID_DEFAULT_HELP, [this] { WinHelp(0, HELP_FINDER); });
    OnCommand(ID_HELP, [this] { OnHelp(); });
    OnCommand(ID_CONTEXT_HELP, [this] { OnContextHelp(); });
}

int CMainFrame::OnCreate(CCreateContext* context)
{
    // 1. The framework's creation.
    if (CMDIFrameWnd::OnCreate(context) == -1)
        return -1;
    resize(1024, 720);
    if (!createBars())
        return -1;

    // 4. The tray icon, with the 16 and 32 pixel application icon and title.
    HINSTANCE res = AfxGetResourceHandle();
    const QString* iconPath = res ? res->FindImage(IDR_MAINFRAME) : nullptr;
    QIcon small, large;
    if (iconPath) {
        const QIcon icon(*iconPath);
        small.addPixmap(icon.pixmap(16, 16));
        large.addPixmap(icon.pixmap(32, 32));
    }
    const QString text = OwUtil::ResString(IDR_MAINFRAME, res);
    if (!m_taskbarIcon.Create(this, small, large, text, 0, 0))
        return -1;

    // 5. The toolbar docks on every side and floats with its caption.
    m_wndToolBar->EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar->UpdateSizes();
    m_wndToolBar->SetWindowText(QStringLiteral("Toolbar"));
    m_wndToolBar->SetBarStyle(m_wndToolBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    setDockNestingEnabled(true);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);

    // 6. Menu images: the toolbar's, then the table's.
    m_menuOrganizer.AttachFrameWnd(this);
    m_menuOrganizer.AutoSetMenuImage();
    for (const auto& image : kMenuImages)
        m_menuOrganizer.SetMenuBitmap(image[0], image[1]);

    // F1 on an open menu and the context-help mode look at every click and key.
    qApp->installEventFilter(this);

    // 7. Tabs for the document windows.
    m_MTIClientWnd = new COXTabClientWnd;
    m_MTIClientWnd->Attach(this, kTabStyle);
    return 0;
}

bool CMainFrame::createBars()
{
    // 2. The status bar: message pane and zoom pane.
    m_wndStatusBar = new COXStatusBar;
    if (!m_wndStatusBar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar->SetIndicators(kIndicators, int(std::size(kIndicators))))
        return false;
    if (CWinApp* app = AfxGetApp())
        m_wndStatusBar->SetIdleMessage(app->LoadFrameworkString(AFX_IDS_IDLEMESSAGE));
    if (QLabel* zoom = m_wndStatusBar->GetPane(m_wndStatusBar->CommandToIndex(ID_INDICATOR_ZOOM))) {
        zoom->setObjectName(QStringLiteral("zoomPane"));
        zoom->setToolTip(QStringLiteral("Zoom factor (double-click to change)"));
    }
    m_wndStatusBar->m_notify = [this](UINT message, UINT paneId) -> LRESULT {
        return message == COXStatusBar::WM_OX_PANE_NOTIFY ? OnPaneNotify(paneId) : 0;
    };
    SetZoomFactor(m_dZoomFactor);

    // 3. The toolbar from resource 128.
    m_wndToolBar = new COXCoolToolBar;
    return m_wndToolBar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) &&
           m_wndToolBar->LoadToolBar(IDR_MAINFRAME);
}

QString CMainFrame::ZoomText(double zoom)
{
    const double percent = zoom * 100.0;
    // "%d" of a double converted to int: truncated toward zero.
    const int whole = std::isfinite(percent) && std::fabs(percent) < 2e9 ? int(percent) : 0;
    return QStringLiteral("%1 %").arg(whole);
}

void CMainFrame::SetZoomFactor(double zoom)
{
    m_dZoomFactor = zoom;
    if (m_wndStatusBar) {
        const int index = m_wndStatusBar->CommandToIndex(ID_INDICATOR_ZOOM);
        m_wndStatusBar->SetPaneText(index, ZoomText(zoom), QApplication::palette().color(QPalette::ButtonText), TRUE);
    }
}

LRESULT CMainFrame::OnPaneNotify(UINT paneId)
{
    if (paneId == ID_INDICATOR_ZOOM)
        if (CMDIChildWnd* child = MDIGetActive())
            child->SendCommand(ID_ZOOM_TO);
    return 1;
}

void CMainFrame::changeEvent(QEvent* event)
{
    CMDIFrameWnd::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    if (isMinimized()) {
        m_maximizedBeforeMinimize = (old & Qt::WindowMaximized) != 0 || isMaximized();
        OnSize(SIZE_MINIMIZED);
    } else if (old & Qt::WindowMinimized) {
        OnSize(isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED);
    }
}

void CMainFrame::OnSize(UINT type)
{
    // Read at every change: the preference may have changed meanwhile.
    if (settingsInt("MinToTaskTray", 0) == 0)
        return;
    if (type == SIZE_MINIMIZED) {
        // Without a notification area the window would have no way back.
        if (!COXTaskbarIcon::IsTrayAvailable())
            return;
        // After the state change is done: a minimise by the program itself
        // (showMinimized) shows the window again once the state is set.
        QTimer::singleShot(0, this, [this] {
            if (!isMinimized())
                return;
            if (m_maximizedBeforeMinimize)
                setWindowState(windowState() | Qt::WindowMaximized);
            hide();
            m_taskbarIcon.Show();
        });
    } else if (type == SIZE_RESTORED) {
        m_taskbarIcon.Hide();
    }
}

void CMainFrame::OnClose()
{
    COXWorkspaceState workspace;
    workspace.IncludeMainWindow(settingsInt("PersistentPos", 0) == 1);
    workspace.IncludeBarProperty(TRUE);
    workspace.IncludeChildFrame(FALSE);
    workspace.IncludeSplitterPane(FALSE);
    workspace.StoreToRegistry(QString(), QString(), TRUE, TRUE, TRUE);
    CMDIFrameWnd::OnClose();
}
