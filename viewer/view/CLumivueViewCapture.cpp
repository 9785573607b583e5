// CLumivueView: Capture Window and Capture Rectangle Region. The grabbed
// bitmap goes where the user chooses (CLumivueViewClipboard.cpp).
#include "CLumivueView.h"

#include "framework/app/CWinApp.h"
#include "framework/frame/CFrameWnd.h"
#include "owutil/debug/MsgBox.h"
#include "owutil/debug/Trace.h"
#include "platform/types/QtGeometry.h"
#include "toolkit/COXDIB.h"
#include "toolkit/COXScreenGrabber.h"
#include "viewer/resources/Resource.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>

namespace {

// A command id as the help identifier the dialog takes: a signed 16-bit number.
int helpIdOf(UINT command) { return int(int16_t(uint16_t(command))); }

// The arrow again, whatever override cursors a command left.
void restoreArrow()
{
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
}

// This module's trace level (0: off). A tracing build with a level also
// keeps each grab in the temporary folder for a look at what was grabbed.
[[maybe_unused]] int s_nTraceLevel = 0;

[[maybe_unused]] void keepForTrace(COXDIB* dib, const char* name)
{
    if (s_nTraceLevel != 0 && dib != nullptr)
        dib->Write(QDir::temp().filePath(QString::fromLatin1(name)));
}

// How long Capture Window waits for a painting to finish.
constexpr qint64 kCaptureSettleMs = 3000;

} // namespace

void CLumivueView::OnEditCaptureWnd()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    settleBeforeGrab();
    COXScreenGrabber grabber;
    grabber.GrabClientWindow(this);
    // The dialog is no place for the wait cursor.
    restoreArrow();
    OW_TRACE_DO(keepForTrace(grabber.GetGrabDIB(), "GVWnd.bmp"));
    SelectImageDestination(grabber.GetGrabDIB(), helpIdOf(ID_CAPTURE_WINDOW));
    restoreArrow();
}

void CLumivueView::settleBeforeGrab()
{
    // The menu that chose the command has just closed. Unlike the platform
    // this program stands in for, the window system does not put back the
    // pixels under it: the view repaints that part, which restarts the
    // painting. Let that repaint happen and finish (within a bound) so
    // that the grab holds the picture the user sees, not the menu or half
    // a drawing.
    QElapsedTimer waited;
    waited.start();
    do
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    while (waited.elapsed() < 60 || (IsPainting() && waited.elapsed() < kCaptureSettleMs));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CLumivueView::OnEditCaptureRect()
{
    m_bCaptureRegion = true;
    // The next left click anywhere on the screen comes to this view.
    viewport()->grabMouse(Qt::CrossCursor);
}

void CLumivueView::OnLButtonDown(UINT flags, CPoint point)
{
    CScrollView::OnLButtonDown(flags, point);
    if (!m_bCaptureRegion)
        return;
    viewport()->releaseMouse();
    m_bCaptureRegion = false;
    CFrameWnd* main = AfxGetMainWnd();
    QWidget* mainWidget = main ? main->GetWidget() : nullptr;
    const QPoint screenPoint = viewport()->mapToGlobal(toQPoint(point));
    if (mainWidget != nullptr && mainWidget->frameGeometry().contains(screenPoint)) {
        COXScreenGrabber grabber;
        if (grabber.GrabTracker(this, toCPoint(screenPoint), mainWidget)) {
            OW_TRACE_DO(keepForTrace(grabber.GetGrabDIB(), "GVRect.bmp"));
            SelectImageDestination(grabber.GetGrabDIB(), helpIdOf(ID_CAPTURE_REGION));
        } else if (!grabber.WasCancelled())
            OWDebug::MsgBox(QStringLiteral("Error: Unable to grab the image!"), QString(), 0);
    }
    restoreArrow();
}
