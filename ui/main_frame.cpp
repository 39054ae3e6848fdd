#include "main_frame.h"

#include "parameter_dlg.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_PAINT()
    ON_COMMAND(ID_CMD_START, &CMainFrame::OnCmdStart)
    ON_COMMAND(ID_CMD_INFO, &CMainFrame::OnCmdInfo)
    ON_COMMAND(ID_CMD_CLOSE, &CMainFrame::OnCmdClose)
END_MESSAGE_MAP()

CMainFrame::CMainFrame(LPCTSTR className)
    : m_rectWindow(0, 0, 800, 600),
      m_rectBackground(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))
{
    m_fontLarge.CreatePointFont(200, "Arial Black Kursiv");
    m_fontSmall.CreatePointFont(120, "Arial Black Kursiv");
    Create(className, "Reduce Flightplans File", WS_OVERLAPPEDWINDOW, m_rectWindow, nullptr,
           MAKEINTRESOURCE(IDR_MAINMENU));
}

void CMainFrame::ShowScreen(ScreenState screen)
{
    g_screen = screen;
    Invalidate(TRUE);
}

void CMainFrame::OnCmdStart()
{
    ShowScreen(SCREEN_CHOOSE_FILE);
    CFileDialog fileDialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "TextFiles (*.txt)|*.txt||");
    if (fileDialog.DoModal() != IDOK) {
        ShowScreen(SCREEN_FAILED);
        return;
    }
    g_inputPath = fileDialog.GetPathName();
    ShowScreen(SCREEN_PARAMETERS);
    CParameterDlg parameterDialog;
    ShowScreen(parameterDialog.DoModal() == IDOK ? SCREEN_DONE : SCREEN_FAILED);
}

void CMainFrame::OnCmdInfo()
{
    ShowScreen(SCREEN_INFO);
}

void CMainFrame::OnCmdClose()
{
    if (MessageBox("Programm beenden?", "", MB_OKCANCEL) == IDOK)
        DestroyWindow();
}
