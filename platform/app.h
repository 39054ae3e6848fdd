// The application object, window classes, resources and the entry point.
#pragma once

#include "message_map.h"
#include "resource_script.h"

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

int GetSystemMetrics(int nIndex);

// The program's resource script, read once from the executable.
const ResourceScript& AfxGetResourceScript();

// The backend's entry: starts the window system, calls InitInstance and runs
// the message loop.
int AfxWinMain(int argc, char* argv[]);
