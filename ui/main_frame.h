#pragma once

#include "app_state.h"
#include "framework.h"

class CMainFrame : public CFrameWnd {
public:
    explicit CMainFrame(LPCTSTR className);

protected:
    // Called whenever the client area needs painting: draws the current screen.
    afx_msg void OnPaint();
    // Called when the user picks Start: file, parameters, reduce, result.
    afx_msg void OnCmdStart();
    // Called when the user picks Info: shows the information page.
    afx_msg void OnCmdInfo();
    // Called when the user picks Close: ends the program after asking.
    afx_msg void OnCmdClose();

    DECLARE_MESSAGE_MAP()

private:
    void ShowScreen(ScreenState screen);

    CRect m_rectWindow;
    CRect m_rectClient;
    CRect m_rectBackground;
    CFont m_fontSmall;
    CFont m_fontLarge;
    int m_cxClient = 0;
    int m_cyClient = 0;
};
