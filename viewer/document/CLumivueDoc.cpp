#include "CLumivueDoc.h"

#include "viewer/app/CLumivueApp.h"

CLumivueDoc::CLumivueDoc()
{
    if (CLumivueApp* app = CLumivueApp::Get())
        m_nDocNumber = app->m_nDocCounter++;
}

CLumivueDoc::~CLumivueDoc() = default;

void CLumivueDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        return;
    m_strFileName = ar.GetFile()->GetFilePath();
}
