// CView: the framework's print loop. The print command prepares the job
// (the print dialog, or none for the shell's print command), lets the view
// count its pages on the printer's context, then prints each page of the
// range in order through OnPrepareDC and OnPrint. Print preview runs the
// same overrides on the preview's printer.
#include "CView.h"

#include "framework/app/CWinApp.h"
#include "framework/doc/CDocument.h"
#include "framework/except/CException.h"
#include "framework/frame/CFrameWnd.h"
#include "framework/print/CPrintInfo.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/QPainterBackend.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>

namespace {

QPrinter* appPrinter()
{
    static QPrinter fallback(QPrinter::HighResolution);
    CWinApp* app = AfxGetApp();
    return app ? app->GetPrinter() : &fallback;
}

// A native printer needs a queue; a printer set to write a file does not.
bool hasDestination(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() || !QPrinterInfo::defaultPrinterName().isEmpty();
}

} // namespace

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    QPrinter* printer = appPrinter();
    info->m_pPrinter = printer;
    if (info->m_bDirect || info->m_bPreview)
        return TRUE;
    QPrintDialog dialog(printer, window());
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setMinMax(int(info->GetMinPage()), int(info->GetMaxPage()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    if (printer->printRange() == QPrinter::PageRange)
        info->SetChosenRange(UINT(printer->fromPage()), UINT(printer->toPage()));
    return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

bool CView::PrintPages(QPrinter* printer, CPrintInfo& info, QString* error)
{
    info.m_pPrinter = printer;
    if (!info.m_bPreview && !hasDestination(*printer)) {
        *error = QStringLiteral("No printer is available. Add a printer to the system, or choose one in Print Setup.");
        return false;
    }
    auto backend = std::make_unique<QPainterBackend>(printer);
    QPainterBackend* device = backend.get();
    CDC dc(std::move(backend));
    dc.SetPrinting(true);
    // The job opens here, on this thread; the pages are drawn by the view.
    if (!device->Begin()) {
        *error = QStringLiteral("The printer \"%1\" could not be opened.").arg(printer->printerName());
        return false;
    }
    info.m_rectDraw = CRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    OnBeginPrinting(&dc, &info);
    const UINT from = info.GetFromPage(), to = info.GetToPage();
    for (UINT page = from; page <= to && info.m_bContinuePrinting; ++page) {
        if (page != from && !printer->newPage()) {
            *error = QStringLiteral("The printer stopped before page %1.").arg(page);
            break;
        }
        info.m_nCurPage = page;
        OnPrepareDC(&dc, &info);
        OnPrint(&dc, &info);
    }
    OnEndPrinting(&dc, &info);
    dc.Flush();
    if (error->isEmpty() && (printer->printerState() == QPrinter::Error || printer->printerState() == QPrinter::Aborted))
        *error = QStringLiteral("The printer \"%1\" did not accept the document.").arg(printer->printerName());
    return error->isEmpty();
}

void CView::OnFilePrint() { print(false); }

void CView::OnFilePrintDirect() { print(true); }

void CView::print(bool direct)
{
    CPrintInfo info;
    info.m_bDirect = direct;
    if (!OnPreparePrinting(&info))
        return;
    // The job carries the document's name (the queue shows it, a PDF
    // printer names its file after it).
    if (m_pDocument && info.m_pPrinter)
        info.m_pPrinter->setDocName(m_pDocument->GetTitle());
    QString error;
    if (PrintPages(info.m_pPrinter, info, &error))
        return;
    CWinApp* app = AfxGetApp();
    // A print the shell asked for answers the shell: no window waits for
    // anyone, the exit status says it failed.
    if (direct && app && app->m_pCmdInfo) {
        std::fprintf(stderr, "Lumivu: %s\n", qPrintable(error));
        app->m_nExitCode = 1;
        return;
    }
    AfxMessageBox(error, MB_ICONEXCLAMATION);
}

void CView::OnFilePrintPreview()
{
    QPrinter* printer = appPrinter();
    QPrintPreviewDialog preview(printer, window());
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    preview.setAccessibleName(QStringLiteral("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        CPrintInfo info;
        info.m_bPreview = true;
        info.m_pPrinter = target;
        QString error;
        if (!PrintPages(target, info, &error))
            AfxMessageBox(error, MB_ICONEXCLAMATION);
    });
    preview.exec();
}
