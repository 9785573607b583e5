#include "tools/ViewRender.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/InfoBackend.h"
#include "platform/gdi/QPainterBackend.h"
#include "viewer/document/CLumivueDoc.h"
#include "viewer/view/CLumivueView.h"
#include "framework/print/CPrintInfo.h"

#include "platform/sync/NamedEvent.h"

#include <QElapsedTimer>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

// The view of a converter: centring a printed picture is its own option,
// not a preference of whoever runs the converter.
class RenderView : public CLumivueView {
public:
    bool m_center = false;
    bool CenterPrintedImage() const override { return m_center; }
};

namespace {

int fitOption(const QString& fit)
{
    static const struct {
        const char* name;
        int option;
    } fits[] = {{"page", FIT_PAGE}, {"x", FIT_X}, {"y", FIT_Y}, {"given-x", FIT_GIVEN_X}, {"given-y", FIT_GIVEN_Y}};
    for (const auto& f : fits)
        if (fit == QLatin1String(f.name))
            return f.option;
    return -1;
}

QPageSize pageSize(const QString& paper)
{
    if (paper.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::Letter);
    static const QRegularExpression custom(QStringLiteral("^(\\d+(?:\\.\\d+)?)x(\\d+(?:\\.\\d+)?)mm$"));
    const QRegularExpressionMatch m = custom.match(paper);
    if (m.hasMatch())
        return QPageSize(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), QPageSize::Millimeter);
    return QPageSize(QPageSize::A4);
}

} // namespace

ViewRender::ViewRender(CLumivueDoc& document) : m_doc(document), m_view(std::make_unique<RenderView>())
{
    m_doc.AddView(m_view.get());
}

ViewRender::~ViewRender()
{
    m_view->StopPainting();
    m_doc.RemoveView(m_view.get());
}

bool ViewRender::Layout(const QString& fit, CSize page, double givenWidthCm, double givenHeightCm, int dpi,
                        CSize* size, QString* error)
{
    const int option = fitOption(fit);
    if (option < 0) {
        *error = QStringLiteral("unknown fit %1").arg(fit);
        return false;
    }
    m_doc.m_nFitOption = option;
    m_doc.m_sizeGiven = CSize(LONG(std::trunc(givenWidthCm * 100)), LONG(std::trunc(givenHeightCm * 100)));

    // The page stands where the window's client area stands: a context
    // that reports it as the printable area, at the screen's resolution.
    InfoBackend::Device device;
    device.pixels = QSize(page.cx, page.cy);
    device.logPixelsX = device.logPixelsY = dpi;
    CDC info(std::make_unique<InfoBackend>(device));
    info.SetPrinting(true);
    if (!m_view->SetupRect(&info)) {
        *error = QStringLiteral("the image has no size");
        return false;
    }
    const CRect dest = m_view->DestRect;
    if (dest.Width() > 32768 || dest.Height() > 32768) {
        *error = QStringLiteral("the output would be larger than 32768 pixels on a side");
        return false;
    }
    *size = dest.Size();
    return true;
}

qint64 ViewRender::Paint(QPaintDevice* device, bool white)
{
    CDC dc(std::make_unique<QPainterBackend>(device));
    dc.SetPrinting(true);
    if (white) {
        const CRect all(0, 0, m_view->DestRect.Width(), m_view->DestRect.Height());
        dc.FillSolidRect(&all, RGB(255, 255, 255));
    }
    QElapsedTimer timer;
    timer.start();
    // A printing context: the view's painting thread draws on it and the
    // call returns once the picture is complete.
    m_view->OnDraw(&dc);
    m_view->StopPainting();
    dc.Flush();
    return timer.nsecsElapsed() / 1000;
}

// A second thread that, once the limit has passed, does what a scroll does
// to a window's painting: it raises the view's stop request, polled between
// two records, and the context's abort flag, which makes a long record
// return early. It repeats both until the painting has ended, since a
// playback that starts after the first cancel clears the abort flag.
class ViewRender::Watchdog {
public:
    Watchdog(CDC& dc, QString stopEventName, int limitMs)
        : m_thread([this, &dc, name = std::move(stopEventName), limitMs] {
              std::unique_lock<std::mutex> lock(m_lock);
              if (m_ended.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return m_done; }))
                  return;
              do {
                  if (HANDLE stop = OpenEvent(EVENT_ALL_ACCESS, false, name)) {
                      SetEvent(stop);
                      CloseHandle(stop);
                  }
                  dc.CancelDC();
                  m_fired = true;
              } while (!m_ended.wait_for(lock, std::chrono::milliseconds(5), [this] { return m_done; }));
          })
    {
    }
    ~Watchdog() { Finish(); }
    // The painting has ended; true when the watchdog had to stop it.
    bool Finish()
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_done = true;
        }
        m_ended.notify_all();
        if (m_thread.joinable())
            m_thread.join();
        return m_fired;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_ended;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread;
};

bool ViewRender::PaintBounded(QPaintDevice* device, bool white, int limitMs)
{
    CDC dc(std::make_unique<QPainterBackend>(device));
    dc.SetPrinting(true);
    if (white) {
        const CRect all(0, 0, m_view->DestRect.Width(), m_view->DestRect.Height());
        dc.FillSolidRect(&all, RGB(255, 255, 255));
    }
    bool stopped = false;
    {
        Watchdog watchdog(dc, m_doc.EventName(QStringLiteral("Painting"), m_view->m_nViewNumber), limitMs);
        m_view->OnDraw(&dc);
        m_view->StopPainting();
        stopped = watchdog.Finish();
    }
    // What was drawn before the stop is kept: the abort flag only refuses
    // further drawing, so lift it to finish the device.
    dc.ResetCancel();
    dc.Flush();
    const ThreadInfo& info = m_view->PaintingInfo();
    return !stopped && (info.Completed || !info.Interruptable);
}

int ViewRender::PrintPdf(const QString& output, const QString& fit, double zoom, const QString& paper, bool landscape,
                         bool center, QString* error)
{
    if (fit.isEmpty()) {
        m_doc.m_nFitOption = FIT_ZOOM;
        m_view->m_dZoom = zoom;
    } else {
        m_doc.m_nFitOption = fitOption(fit);
    }
    m_view->m_center = center;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output);
    printer.setPageSize(pageSize(paper));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    CPrintInfo info;
    info.m_bDirect = true;
    if (!m_view->PrintPages(&printer, info, error))
        return 0;
    return int(info.GetToPage() - info.GetFromPage() + 1);
}
