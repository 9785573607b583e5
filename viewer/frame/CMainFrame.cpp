#include "CMainFrame.h"

#include "framework/app/CWinApp.h"
#include "toolkit/COXWorkspaceState.h"

#include <QLabel>
#include <QStatusBar>
#include <cmath>

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

int CMainFrame::OnCreate(CCreateContext* context)
{
    if (CMDIFrameWnd::OnCreate(context) == -1)
        return -1;
    resize(1024, 720);
    m_zoomPane = new QLabel(this);
    m_zoomPane->setObjectName(QStringLiteral("zoomPane"));
    m_zoomPane->setAccessibleName(QStringLiteral("Zoom"));
    m_zoomPane->setAlignment(Qt::AlignCenter);
    m_zoomPane->setMinimumWidth(m_zoomPane->fontMetrics().horizontalAdvance(QStringLiteral("10000 %")) + 12);
    statusBar()->addPermanentWidget(m_zoomPane);
    statusBar()->setAccessibleName(QStringLiteral("Status bar"));
    return 0;
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
    if (m_zoomPane) {
        m_zoomPane->setText(ZoomText(zoom));
        m_zoomPane->setAccessibleDescription(m_zoomPane->text());
    }
}

void CMainFrame::OnClose()
{
    COXWorkspaceState workspace;
    const bool persistentPos =
        AfxGetApp() && AfxGetApp()->GetProfileInt(QStringLiteral("Settings"), QStringLiteral("PersistentPos"), 0) == 1;
    workspace.IncludeMainWindow(persistentPos);
    workspace.IncludeBarProperty(TRUE);
    workspace.IncludeChildFrame(FALSE);
    workspace.IncludeSplitterPane(FALSE);
    workspace.StoreToRegistry(QString(), QString(), TRUE, TRUE, TRUE);
    CMDIFrameWnd::OnClose();
}
