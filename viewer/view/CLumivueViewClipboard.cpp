// CLumivueView: Copy to Clipboard, and where a captured bitmap goes (the
// clipboard or a bitmap file). Failures are told with the library's message
// box, with no caption and the plain OK style.
#include "CLumivueView.h"

#include "framework/except/CException.h"
#include "owutil/debug/MsgBox.h"
#include "platform/clipboard/Clipboard.h"
#include "toolkit/COXDIB.h"
#include "toolkit/COXMetaFile.h"
#include "viewer/dialogs/CImageDestinationDlg.h"
#include "viewer/document/CLumivueDoc.h"

#include <memory>

namespace {

void tell(const char* text) { OWDebug::MsgBox(QString::fromLatin1(text), QString(), 0); }

} // namespace

void CLumivueView::OnEditCopy()
{
    if (!OpenClipboard(this)) {
        tell("Cannot open the Clipboard!");
        return;
    }
    if (!EmptyClipboard()) {
        tell("Cannot empty the Clipboard!");
        CloseClipboard();
        return;
    }
    CLumivueDoc* doc = GetDocument();
    std::unique_ptr<COXMetaFile> copy(doc ? doc->CreateMetaFileCopy() : nullptr);
    if (!copy) {
        tell("Unable to make a copy of the metafile!");
    } else if (!SetEnhMetaFileClipboardData(copy->GethEMF())) {
        // A raster document's copy holds no metafile: the clipboard refuses it.
        tell("Unable to set Clipboard data!");
    } else {
        // The clipboard owns the handle now.
        copy->Detach();
    }
    CloseClipboard();
}

bool CLumivueView::SelectImageDestination(COXDIB* dib, int helpId)
{
    try {
        CImageDestinationDlg dlg;
        dlg.SetHelpID(helpId);
        switch (dlg.DoModal()) {
        case IDYES: return CopyDIBToClipboard(dib);
        case IDNO: return WriteDIBFile(dib, dlg.m_strPathName);
        default: return false;
        }
    } catch (const CException& e) {
        e.ReportError(MB_OK);
    }
    return false;
}

bool CLumivueView::CopyDIBToClipboard(COXDIB* dib)
{
    if (!OpenClipboard(this)) {
        tell("Cannot open the Clipboard!");
        return false;
    }
    bool copied = false;
    if (!EmptyClipboard()) {
        tell("Cannot empty the Clipboard!");
    } else {
        const QByteArray packed = dib ? dib->MakeCopy() : QByteArray();
        if (packed.isEmpty())
            tell("Unable to make a copy of the image!");
        else if (!SetDibClipboardData(packed))
            tell("Unable to set Clipboard data!");
        else
            copied = true;
    }
    CloseClipboard();
    return copied;
}

bool CLumivueView::WriteDIBFile(COXDIB* dib, const QString& path)
{
    // Written beside the target and renamed over it: a failure leaves no
    // partial file and an existing file as it was.
    if (dib == nullptr || path.isEmpty())
        return false;
    return dib->Write(path) != FALSE;
}
