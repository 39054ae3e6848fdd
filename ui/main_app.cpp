#include "main_app.h"

#include "app_state.h"
#include "main_frame.h"
#include "resource.h"

CMainApp theApp;

int g_screen = SCREEN_WELCOME;
std::string g_inputPath;
std::string g_outputFileName;

BOOL CMainApp::InitInstance()
{
    LPCTSTR className = AfxRegisterWndClass(0, LoadStandardCursor(IDC_ARROW), nullptr, LoadIcon(IDI_MAINICON));
    m_pMainWnd = new CMainFrame(className);
    m_pMainWnd->ShowWindow(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}
