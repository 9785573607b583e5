// CLumivueView: from the image's size and resolution, the fit option and
// the zoom factor to a destination rectangle in device pixels, and the
// scroll range that follows it.
#include "CLumivueView.h"

#include "framework/app/CWinApp.h"
#include "platform/gdi/CDC.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/frame/CMainFrame.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The largest destination side: beyond it a scroll range or a device
// coordinate no longer fits the integers that carry it.
constexpr double kMaxSide = double(1 << 30);

int toSide(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(std::clamp(v, -kMaxSide, kMaxSide));
}

} // namespace

double CLumivueView::Round(double value, double step)
{
    if (step == 0)
        return value;
    const double sign = value > 0 ? 1.0 : -1.0;
    const double e = value / step * sign;
    const double whole = std::fmod(e, 1.0) < 0.5 ? std::floor(e) : std::ceil(e);
    return step * whole * sign;
}

void CLumivueView::SetZoom()
{
    const CLumivueDoc* doc = GetDocument();
    if (!doc)
        return;
    const double w = double(doc->m_sizeImage.cx) * m_dZoom / doc->m_sizeResolution.cx * DevPixelPerInch.cx;
    const double h = double(doc->m_sizeImage.cy) * m_dZoom / doc->m_sizeResolution.cy * DevPixelPerInch.cy;
    DestRect.right = toSide(Round(w, 1));
    DestRect.bottom = toSide(Round(h, 1));
}

bool CLumivueView::SetupRect(CDC* dc)
{
    PageRect.SetRectEmpty();
    DestRect.SetRectEmpty();
    m_sizePages = CSize(1, 1);
    if (!dc)
        return false;
    if (dc->IsPrinting())
        PageRect = CRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    else
        PageRect = GetClientRect();

    const CLumivueDoc* doc = GetDocument();
    // No image, or a resolution that gives no physical size: nothing to lay out.
    if (!doc || doc->m_sizeImage.cx == 0 || doc->m_sizeImage.cy == 0 || doc->m_sizeResolution.cx <= 0 ||
        doc->m_sizeResolution.cy <= 0)
        return false;

    DevPixelPerInch = CSize(dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
    if (DevPixelPerInch.cx <= 0 || DevPixelPerInch.cy <= 0)
        return false;
    DestRect = PageRect;

    const double W = PageRect.Width(), H = PageRect.Height();
    const CSize image = doc->m_sizeImage, res = doc->m_sizeResolution;
    const double widthFit = W / image.cx * res.cx / DevPixelPerInch.cx;
    const double heightFit = H / image.cy * res.cy / DevPixelPerInch.cy;
    const double naturalWidth = double(image.cx) / res.cx * 254.0;
    const double naturalHeight = double(image.cy) / res.cy * 254.0;
    const int fit = GetFitOption();
    switch (fit) {
    case FIT_ZOOM: break;
    case FIT_PAGE: m_dZoom = widthFit < heightFit ? widthFit : heightFit; break;
    case FIT_X: m_dZoom = widthFit; break;
    case FIT_Y: m_dZoom = heightFit; break;
    case FIT_GIVEN_X: m_dZoom = doc->m_sizeGiven.cx / naturalWidth; break;
    case FIT_GIVEN_Y: m_dZoom = doc->m_sizeGiven.cy / naturalHeight; break;
    default: break; // an unknown fit stretches the image over the page
    }
    if (fit >= FIT_ZOOM && fit <= FIT_GIVEN_Y)
        SetZoom();

    // An empty page (a minimised window) holds no page of the image.
    if (W > 0 && H > 0)
        m_sizePages = CSize(toSide(std::ceil(DestRect.Width() / W)), toSide(std::ceil(DestRect.Height() / H)));
    else
        m_sizePages = CSize(0, 0);
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->SetZoomFactor(m_dZoom);
    // What a screen reader says of the window: the picture and its zoom.
    if (!dc->IsPrinting())
        setAccessibleDescription(QStringLiteral("%1, %2").arg(doc->GetTitle(), CMainFrame::ZoomText(m_dZoom)));

    return !DestRect.IsRectEmpty() && m_sizePages.cx != 0 && m_sizePages.cy != 0;
}

void CLumivueView::UpdateScroll()
{
    StopPainting();
    std::unique_ptr<CDC> screen = screenDC();
    if (SetupRect(screen.get()))
        SetScrollSizes(MM_TEXT, DestRect.Size(), PageRect.Size(), CSize(PageRect.Width() / 5, PageRect.Height() / 5));
    else
        SetScrollSizes(MM_TEXT, CSize(1, 1));
}

int CLumivueView::GetFitOption() const
{
    const CLumivueDoc* doc = GetDocument();
    return doc ? doc->m_nFitOption : FIT_ZOOM;
}

void CLumivueView::ApplyFitOption(int option)
{
    if (CLumivueDoc* doc = GetDocument())
        doc->SetFitOption(option);
    UpdateScroll();
}

void CLumivueView::ZoomIn()
{
    m_dZoom += 0.25;
    if (m_dZoom > 100.0)
        m_dZoom = 100.0;
    ApplyFitOption(FIT_ZOOM);
}

void CLumivueView::ZoomOut()
{
    m_dZoom -= 0.25;
    if (m_dZoom < 0.05)
        m_dZoom = 0.05;
    ApplyFitOption(FIT_ZOOM);
}
