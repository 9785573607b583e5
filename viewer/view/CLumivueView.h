#pragma once
// The viewer's view of a document: lays the image out at the view's zoom
// factor or in the document's fit mode (CLumivueViewGeometry.cpp), scrolls
// and pans it, and draws it on a painting thread that any scroll, resize or
// new repaint interrupts between two metafile records
// (CLumivueViewPainting.cpp). The thread draws on an off-screen surface of
// the client area that this window presents as it fills.
#include "framework/view/CScrollView.h"
#include "platform/metafile/EmfPlayer.h"
#include "platform/types/CRect.h"
#include "platform/types/CSize.h"
#include "toolkit/COXIntelliMouse.h"
#include "viewer/view/CPaintSurface.h"
#include "viewer/view/ThreadInfo.h"

#include <mutex>

class COXDIB;
class CLumivueDoc;
class CWinThread;

// How a document's image is fitted (the document's m_nFitOption, and the
// default for new documents in "Settings").
enum FitOption : int {
    FIT_ZOOM = 0,
    FIT_PAGE = 1,
    FIT_X = 2,
    FIT_Y = 3,
    FIT_GIVEN_X = 4,
    FIT_GIVEN_Y = 5,
};

class CLumivueView : public CScrollView {
    Q_OBJECT
public:
    CLumivueView();
    ~CLumivueView() override;

    CLumivueDoc* GetDocument() const;

    // --- geometry ------------------------------------------------------------
    // The multiple of step nearest to value, halves away from zero.
    static double Round(double value, double step);
    // The destination's size from the zoom factor.
    void SetZoom();
    // Lays the image out for dc (the screen, a printer, or a page); true when
    // there is something to draw.
    bool SetupRect(CDC* dc);
    // Stops painting and sets the scroll sizes from the screen's layout.
    void UpdateScroll();
    int GetFitOption() const;
    void ApplyFitOption(int option);
    void ZoomIn();
    void ZoomOut();
    double GetZoom() const { return m_dZoom; }
    // The zoom factor the registry's "Zoom" text gives a new view.
    static double ZoomFromSetting(const QString& text);

    // --- painting --------------------------------------------------------------
    void OnDraw(CDC* dc) override;
    // Stops this view's painting thread, if any, and waits for it.
    void StopPainting();
    static UINT ThreadProc(void* info);
    static int EnhMetaFileProc(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles, void* data);
    // A painting thread is running.
    bool IsPainting() const;
    const ThreadInfo& PaintingInfo() const { return m_ThreadInfo; }
    CPaintSurface& Surface() { return m_surface; }

    // --- printing (CLumivueViewPrinting.cpp) -----------------------------------
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnPrint(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    // Where the image starts on page pageIndex (from 0, down each column
    // first), centred where it is smaller than the page when center is set.
    CPoint PageOrigin(int pageIndex, bool center) const;
    // The "CenterPrintedImage" preference, read afresh for every page.
    virtual bool CenterPrintedImage() const;

    // --- clipboard and capture (CLumivueViewClipboard.cpp, CLumivueViewCapture.cpp)
    void OnEditCopy();
    void OnEditCaptureWnd();
    void OnEditCaptureRect();
    // Asks where the bitmap goes and delivers it there; true when delivered.
    bool SelectImageDestination(COXDIB* dib, int helpId);
    bool CopyDIBToClipboard(COXDIB* dib);
    bool WriteDIBFile(COXDIB* dib, const QString& path);
    void OnLButtonDown(UINT flags, CPoint point) override;

    // --- framework overrides ------------------------------------------------------
    int OnCreate(CCreateContext* context) override;
    // The window goes before the document: the painting stops first.
    void OnDestroy() override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, intptr_t hint, CObject* hintObject) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE) override;
    BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

    // --- commands ------------------------------------------------------------------
    void OnFitPage() { ApplyFitOption(FIT_PAGE); }
    void OnFitX() { ApplyFitOption(FIT_X); }
    void OnFitY() { ApplyFitOption(FIT_Y); }
    void OnFitGivenX();
    void OnFitGivenY();
    void OnZoomTo();
    void OnRefresh();

    // Members in the order the view's design lists them.
    int m_nViewNumber = 0;
    COXIntelliMouse m_IntelliMouse;
    double m_dZoom = 1.0;
    CRect PageRect;
    CRect DestRect;
    CSize m_sizePages{1, 1};
    CSize DevPixelPerInch{96, 96};
    bool m_bCaptureRegion = false;
    ThreadInfo m_ThreadInfo;
    CWinThread* PaintingThread = nullptr;

protected:
    void OnPaint(QPainter& painter, const QRegion& exposed, const QRegion& requested) override;
    void OnScrollWindow(int dx, int dy) override;

private:
    void registerCommands();
    // Lets the repaint that a closing menu causes finish before a capture.
    void settleBeforeGrab();
    // Asks for the given width (or height), then fits to it.
    void askGivenSize(bool horizontal);
    // The screen's resolution and size as a device context sees them.
    std::unique_ptr<CDC> screenDC() const;
    void drawNoImage(QPainter& painter, const QString& reason);
    // Event names of this view and its document, fixed when a painting starts.
    QString eventName(const QString& prefix) const;

    CPaintSurface m_surface;
    // Guards ThreadInfo.pDC between the painting thread's release of its
    // context and StopPainting's cancel of it.
    std::mutex m_dcLock;
    QString m_stopEventName;
    QString m_startEventName;
    QString m_docEventName;
};
