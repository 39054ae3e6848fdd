// The application object's parts that every backend shares.
#include "app.h"

namespace {

CWinApp* g_application = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    g_application = this;
}

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

CWinApp* AfxGetApp()
{
    return g_application;
}

CWnd* AfxGetMainWnd()
{
    return g_application ? g_application->m_pMainWnd : nullptr;
}
