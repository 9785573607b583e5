#include "CLumivueView.h"

#include "framework/cmd/CommandIds.h"
#include "viewer/document/CLumivueDoc.h"

CLumivueView::CLumivueView()
{
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

CLumivueView::~CLumivueView() = default;

CLumivueDoc* CLumivueView::GetDocument() const { return dynamic_cast<CLumivueDoc*>(CView::GetDocument()); }
