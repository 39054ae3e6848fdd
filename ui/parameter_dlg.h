#pragma once

#include "framework.h"

// The dialog "Parameter": asks for the three settings and, on OK, runs the reduce.
class CParameterDlg : public CDialog {
public:
    CParameterDlg();

    // Called before the dialog shows: fills in the defaults 30, # and #.
    BOOL OnInitDialog() override;

protected:
    // Called for OK and the Enter key: reduces g_inputPath with the settings.
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
