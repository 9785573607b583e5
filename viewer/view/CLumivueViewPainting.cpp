// CLumivueView: every repaint stops the previous painting thread and starts
// a new one, which draws the image on the view's surface (or on the
// printer's context) record by record, polling the view's stop request
// between two records.
#include "CLumivueView.h"

#include "framework/thread/CWinThread.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CRgn.h"
#include "platform/sync/NamedEvent.h"
#include "raster/CRasterImage.h"
#include "viewer/document/CLumivueDoc.h"

#include <cmath>

QString CLumivueView::eventName(const QString& prefix) const
{
    // The document qualifies the name, so that view 1 of one document never
    // meets view 1 of another.
    if (const CLumivueDoc* doc = GetDocument())
        return doc->EventName(prefix, m_nViewNumber);
    return QualifiedEventName(UniqueOwnerId(this), prefix);
}

bool CLumivueView::IsPainting() const
{
    DWORD code = 0;
    return PaintingThread && PaintingThread->GetExitCode(&code) && code == STILL_ACTIVE;
}

void CLumivueView::OnDraw(CDC* dc)
{
    StopPainting();
    ThreadInfo& info = m_ThreadInfo;
    const bool printing = dc->IsPrinting();
    if (printing)
        info.pDC = dc;
    else
        SetupRect(dc);

    info.pView = this;
    info.DestRect = DestRect;
    info.Origin = dc->GetViewportOrg();
    info.PageRect = PageRect;

    if (!printing) {
        CRect clip;
        dc->GetClipBox(&clip);
        if (info.UpdateRect.IsRectEmpty())
            info.UpdateRect = clip;
        else
            info.UpdateRect.UnionRect(info.UpdateRect, clip);
    }

    CLumivueDoc* doc = GetDocument();
    if (!doc || !doc->IsLoaded())
        return;
    if (doc->m_bIsMetafile) {
        info.hEmf = doc->m_MetaFile.GethEMF();
        info.xImage = nullptr;
        info.Rect = doc->m_MetaFile.GetBoundingRect();
    } else {
        info.hEmf = nullptr;
        info.xImage = &doc->m_Image;
        info.Rect = CRect(0, 0, LONG(doc->m_Image.GetWidth()), LONG(doc->m_Image.GetHeight()));
    }
    info.ForceDirect = printing;
    info.Interruptable = doc->m_bIsMetafile;

    m_docEventName = doc->AvailabilityEventName();
    m_stopEventName = eventName(QStringLiteral("Painting"));
    // The document is a lock across its views: one painting at a time.
    if (HANDLE available = OpenEvent(EVENT_ALL_ACCESS, false, m_docEventName)) {
        WaitForSingleObject(available, INFINITE);
        ResetEvent(available);
        CloseHandle(available);
    }

    m_startEventName = eventName(QStringLiteral("StartPainting"));
    HANDLE started = CreateEvent(true, false, m_startEventName);
    // Created suspended so that the object cannot delete itself before the
    // view owns it.
    PaintingThread = AfxBeginThread(&CLumivueView::ThreadProc, &info, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!PaintingThread) {
        if (started)
            CloseHandle(started);
        if (HANDLE available = OpenEvent(EVENT_ALL_ACCESS, false, m_docEventName)) {
            SetEvent(available);
            CloseHandle(available);
        }
        return;
    }
    PaintingThread->m_bAutoDelete = false;
    PaintingThread->ResumeThread();
    if (started) {
        WaitForSingleObject(started, INFINITE);
        CloseHandle(started);
    }
    if (info.ForceDirect)
        PaintingThread->Wait(INFINITE);
}

void CLumivueView::StopPainting()
{
    if (PaintingThread) {
        DWORD code = 0;
        if (!PaintingThread->GetExitCode(&code))
            code = DWORD(-1);
        if (code != DWORD(-1)) {
            HANDLE stop = OpenEvent(EVENT_ALL_ACCESS, false, m_stopEventName);
            if (stop)
                SetEvent(stop);
            {
                // The thread may be releasing its own context right now.
                std::lock_guard<std::mutex> guard(m_dcLock);
                if (m_ThreadInfo.pDC)
                    m_ThreadInfo.pDC->CancelDC();
            }
            PaintingThread->Wait(INFINITE);
            if (stop)
                CloseHandle(stop);
        }
        delete PaintingThread;
        PaintingThread = nullptr;
    }
    if (m_ThreadInfo.Completed)
        m_ThreadInfo.UpdateRect.SetRectEmpty();
}

UINT CLumivueView::ThreadProc(void* param)
{
    auto* info = static_cast<ThreadInfo*>(param);
    CLumivueView* view = info->pView;
    HANDLE stop = CreateEvent(true, false, view->m_stopEventName);
    info->Completed = false;
    if (HANDLE started = OpenEvent(EVENT_ALL_ACCESS, false, view->m_startEventName)) {
        SetEvent(started);
        CloseHandle(started);
    }

    std::unique_ptr<CSurfaceDC> own;
    if (!info->pDC) {
        own = view->m_surface.CreateDC();
        std::lock_guard<std::mutex> guard(view->m_dcLock);
        info->pDC = own.get();
    }

    // Without a context there is nothing to draw on; the document is still
    // handed back below.
    if (CDC* dc = info->pDC) {
        dc->SetViewportOrg(info->Origin.x, info->Origin.y);
        if (own && !info->ForceDirect) {
            CRect device = info->UpdateRect;
            dc->LPtoDP(&device);
            CRgn clip;
            clip.CreateRectRgnIndirect(&device);
            dc->SelectClipRgn(&clip);
            const QColor background = view->m_surface.Background();
            CBrush window(RGB(background.red(), background.green(), background.blue()));
            CBrush* previous = dc->SelectObject(&window);
            dc->PatBlt(info->UpdateRect.left, info->UpdateRect.top, info->UpdateRect.Width(),
                       info->UpdateRect.Height(), PATCOPY);
            dc->SelectObject(previous);
            const qreal ratio = view->m_surface.DevicePixelRatio();
            view->m_surface.SetPublishArea(QRectF(device.left * ratio, device.top * ratio, device.Width() * ratio,
                                                  device.Height() * ratio)
                                               .toAlignedRect());
        }

        dc->SetMapMode(MM_ANISOTROPIC);
        dc->SetWindowOrg(info->Rect.left, info->Rect.top);
        dc->SetWindowExt(info->Rect.Width(), info->Rect.Height());
        dc->SetViewportExt(info->DestRect.Width(), info->DestRect.Height());

        if (info->Interruptable) {
            const RECT frame = info->Rect;
            info->Completed = EnumEnhMetaFile(dc, info->hEmf, &CLumivueView::EnhMetaFileProc, stop, &frame) == TRUE;
        } else if (info->xImage) {
            info->xImage->Draw2(dc, info->Rect);
        }
        // The thread's own surface is finished here; a printer's job stays
        // open for the pages that follow.
        if (own)
            dc->Flush();
        // A stopped painting is repainted by the next one: showing its last
        // part would only delay the stop.
        if (own && WaitForSingleObject(stop, 0) != WAIT_OBJECT_0)
            view->m_surface.Publish(true);
    }

    {
        std::lock_guard<std::mutex> guard(view->m_dcLock);
        info->pDC = nullptr;
    }
    own.reset();
    if (stop)
        CloseHandle(stop);
    if (HANDLE available = OpenEvent(EVENT_ALL_ACCESS, false, view->m_docEventName)) {
        SetEvent(available);
        CloseHandle(available);
    }
    return 0;
}

int CLumivueView::EnhMetaFileProc(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles, void* data)
{
    if (WaitForSingleObject(static_cast<HANDLE>(data), 0) == WAIT_OBJECT_0)
        return 0;
    const int played = PlayEnhMetaFileRecord(dc, table, record, UINT(handles));
    // A long drawing shows its progress as it goes.
    if (auto* surface = dynamic_cast<CSurfaceDC*>(dc))
        surface->Surface()->Publish(false);
    return played;
}
