#include "COwUtilApp.h"

COwUtilApp& COwUtilApp::Instance()
{
    // Constructed at first use, which the library's load makes happen
    // before any client call (see below).
    static COwUtilApp app;
    return app;
}

COwUtilApp::COwUtilApp() { InitInstance(); }

COwUtilApp::~COwUtilApp() { ExitInstance(); }

bool COwUtilApp::InitInstance()
{
    m_bInitialised = true;
    return true;
}

int COwUtilApp::ExitInstance()
{
    m_bInitialised = false;
    return 0;
}

namespace {
// The object is made while the library loads, as the platform's library
// application object is.
const COwUtilApp& g_app = COwUtilApp::Instance();
} // namespace
