#pragma once

#include "framework.h"

class CMainApp : public CWinApp {
public:
    // Called once at start: opens the main window.
    BOOL InitInstance() override;
};

extern CMainApp theApp;
