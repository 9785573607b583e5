#include "CLumivueView.h"

#include "framework/app/CWinApp.h"
#include "framework/cmd/CommandIds.h"
#include "framework/thread/CWinThread.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/InfoBackend.h"
#include "platform/ui/KeyState.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/resources/Resource.h"

#include <QPainter>
#include <QScreen>
#include <charconv>

double CLumivueView::ZoomFromSetting(const QString& text)
{
    // The leading decimal number in the C locale, as the run-time
    // library's atof reads it.
    const QByteArray bytes = text.trimmed().toLatin1();
    double v = 0;
    const auto [end, ec] = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), v);
    // Below 0.01 (which includes an empty or unreadable text) is no zoom.
    return ec == std::errc() && v >= 0.01 ? v : 1.0;
}

CLumivueView::CLumivueView()
{
    QString zoom;
    if (CWinApp* app = AfxGetApp())
        zoom = app->GetProfileString(QStringLiteral("Settings"), QStringLiteral("Zoom"), QString());
    m_dZoom = ZoomFromSetting(zoom);
    m_bCenter = true;

    setAccessibleName(QStringLiteral("Image"));
    viewport()->setAccessibleName(QStringLiteral("Image"));
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
    m_surface.SetPresentRequest([vp = viewport()](const QRect& logical) {
        // Progress is only presented: the surface is copied, no painting
        // starts. The call is dropped if the window has gone meanwhile.
        QMetaObject::invokeMethod(vp, [vp, logical] { vp->update(logical); }, Qt::QueuedConnection);
    });
    registerCommands();
}

CLumivueView::~CLumivueView()
{
    StopPainting();
    m_IntelliMouse.Detach();
}

CLumivueDoc* CLumivueView::GetDocument() const { return dynamic_cast<CLumivueDoc*>(CView::GetDocument()); }

void CLumivueView::registerCommands()
{
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });

    OnCommand(ID_FIT_PAGE, [this] { OnFitPage(); });
    OnCommand(ID_FIT_X, [this] { OnFitX(); });
    OnCommand(ID_FIT_Y, [this] { OnFitY(); });
    OnCommand(ID_FIT_GIVEN_X, [this] { OnFitGivenX(); });
    OnCommand(ID_FIT_GIVEN_Y, [this] { OnFitGivenY(); });
    OnCommand(ID_ZOOM_IN, [this] { ZoomIn(); });
    OnCommand(ID_ZOOM_OUT, [this] { ZoomOut(); });
    OnCommand(ID_ZOOM_TO, [this] { OnZoomTo(); });
    OnCommand(ID_REFRESH, [this] { OnRefresh(); });
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(ID_CAPTURE_WINDOW, [this] { OnEditCaptureWnd(); });
    OnCommand(ID_CAPTURE_REGION, [this] { OnEditCaptureRect(); });
    // The fit commands are checked while the document uses their fit.
    const struct {
        UINT id;
        int fit;
    } checks[] = {{ID_FIT_PAGE, FIT_PAGE}, {ID_FIT_X, FIT_X}, {ID_FIT_Y, FIT_Y},
                  {ID_FIT_GIVEN_X, FIT_GIVEN_X}, {ID_FIT_GIVEN_Y, FIT_GIVEN_Y}};
    for (const auto& c : checks)
        OnUpdateCommand(c.id, [this, fit = c.fit](CCmdUI* ui) {
            ui->Enable(TRUE);
            ui->SetCheck(GetFitOption() == fit ? 1 : 0);
        });
}

int CLumivueView::OnCreate(CCreateContext* context)
{
    if (CScrollView::OnCreate(context) == -1)
        return -1;
    if (CLumivueDoc* doc = GetDocument())
        m_nViewNumber = doc->NextViewNumber();
    m_IntelliMouse.Attach(this, WM_MBUTTONDOWN, 0);
    return 0;
}

void CLumivueView::OnDestroy()
{
    StopPainting();
    m_IntelliMouse.Detach();
    CScrollView::OnDestroy();
}

void CLumivueView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

void CLumivueView::OnUpdate(CView* sender, intptr_t hint, CObject* hintObject)
{
    CScrollView::OnUpdate(sender, hint, hintObject);
    UpdateScroll();
}

void CLumivueView::OnSize(UINT type, int cx, int cy)
{
    CScrollView::OnSize(type, cx, cy);
    ApplyFitOption(GetFitOption());
}

BOOL CLumivueView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    return CScrollView::OnScroll(nScrollCode, nPos, bDoScroll);
}

BOOL CLumivueView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    if (sizeScroll.cx != 0 || sizeScroll.cy != 0)
        StopPainting();
    const BOOL scrolled = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
    // The uncovered strip is painted before the scroll returns.
    if (scrolled && bDoScroll)
        UpdateWindow();
    return scrolled;
}

void CLumivueView::OnScrollWindow(int dx, int dy)
{
    // The painting thread has stopped: the surface moves with the window.
    if (!m_surface.Scroll(dx, dy))
        Invalidate(true);
}

void CLumivueView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const CSize page = m_pageDev, line = m_lineDev;
    const CPoint pos = GetScrollPosition();
    switch (nChar) {
    case VK_PRIOR: OnScrollBy(control ? CSize(-page.cx, 0) : CSize(0, -page.cy), TRUE); break;
    case VK_NEXT: OnScrollBy(control ? CSize(page.cx, 0) : CSize(0, page.cy), TRUE); break;
    case VK_HOME: ScrollToPosition(control ? CPoint(0, pos.y) : CPoint(pos.x, 0)); break;
    case VK_END:
        ScrollToPosition(control ? CPoint(GetTotalSize().cx, pos.y) : CPoint(pos.x, GetTotalSize().cy));
        break;
    case VK_LEFT: OnScrollBy(CSize(-line.cx, 0), TRUE); break;
    case VK_RIGHT: OnScrollBy(CSize(line.cx, 0), TRUE); break;
    case VK_UP: OnScrollBy(CSize(0, -line.cy), TRUE); break;
    case VK_DOWN: OnScrollBy(CSize(0, line.cy), TRUE); break;
    case VK_ADD: ZoomIn(); break;
    case VK_SUBTRACT: ZoomOut(); break;
    default: break;
    }
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CLumivueView::OnRefresh() { Invalidate(true); }

std::unique_ptr<CDC> CLumivueView::screenDC() const
{
    InfoBackend::Device device;
    if (const QScreen* s = screen())
        device.pixels = s->size();
    device.logPixelsX = logicalDpiX();
    device.logPixelsY = logicalDpiY();
    return std::make_unique<CDC>(std::make_unique<InfoBackend>(device));
}

void CLumivueView::OnPaint(QPainter& painter, const QRegion& exposed, const QRegion& requested)
{
    QRegion toDraw = requested;
    const qreal ratio = viewport()->devicePixelRatioF();
    if (m_surface.LogicalSize() != viewport()->size() || m_surface.DevicePixelRatio() != ratio) {
        StopPainting();
        m_surface.SetBackground(palette().color(QPalette::Base));
        if (m_surface.Resize(viewport()->size(), ratio))
            toDraw = viewport()->rect();
    }
    const CLumivueDoc* doc = GetDocument();
    if (doc && !doc->IsLoaded()) {
        drawNoImage(painter, doc->m_strLoadError);
        return;
    }
    if (!toDraw.isEmpty()) {
        std::unique_ptr<CDC> dc = screenDC();
        const QRect box = toDraw.boundingRect();
        CRgn clip;
        clip.CreateRectRgn(box.left(), box.top(), box.left() + box.width(), box.top() + box.height());
        dc->SelectClipRgn(&clip);
        OnPrepareDC(dc.get());
        OnDraw(dc.get());
    }
    m_surface.Present(painter, exposed);
}

void CLumivueView::drawNoImage(QPainter& painter, const QString& reason)
{
    // A document without an image stays open; a blank window would read as
    // a picture that failed silently.
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    if (reason.isEmpty())
        return;
    const QString text = QStringLiteral("This file holds no image that Lumivu can show.\n") + reason;
    painter.setPen(palette().color(QPalette::Text));
    const QRect area = viewport()->rect().adjusted(16, 16, -16, -16);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
    viewport()->setAccessibleDescription(text);
}
