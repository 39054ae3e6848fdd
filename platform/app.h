// The application object, window classes, resources and the entry point.
#pragma once

#include "message_map.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // The one application object registers itself here, at static construction.
    CWinApp();
    ~CWinApp() override;

    // Called once at start; FALSE ends the program at once.
    virtual BOOL InitInstance();
    // Runs the message loop until the main window is destroyed.
    virtual int Run();
    // Called when the message loop has ended; returns the exit code.
    virtual int ExitInstance();

    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HICON LoadIcon(UINT nIDResource) const;

    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// Registers a window class and returns its name for CFrameWnd::Create.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);

#ifndef _WIN32
int GetSystemMetrics(int nIndex);
#endif

// Shows the wait cursor for as long as it lives, over every window of the
// program: for work that keeps the user waiting.
class CWaitCursor {
public:
    CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor();
};

// The backend's entry: starts the window system, calls InitInstance and runs
// the message loop. The show command the process was started with becomes
// m_nCmdShow.
int AfxWinMain(int argc, char* argv[]);
