#include "parameter_dlg.h"

#include "app_state.h"
#include "flight_plan_reduction.h"
#include "resource.h"

#include <vector>

BEGIN_MESSAGE_MAP(CParameterDlg, CDialog)
    ON_COMMAND(IDOK, &CParameterDlg::OnOK)
END_MESSAGE_MAP()

CParameterDlg::CParameterDlg() : CDialog(IDD_PARAMETER) {}

BOOL CParameterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const char* type : {"IFR", "VFR", "#"})
        SendDlgItemMessage(IDC_TYPE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    SendDlgItemMessage(IDC_TYPE_LIST, LB_SETCURSEL, 0);
    SetDlgItemText(IDC_PERCENTAGE, "30");
    SetDlgItemText(IDC_AIRPORT, "#");
    return TRUE;
}

void CParameterDlg::OnOK()
{
    std::string flightType;
    if (const LRESULT selected = SendDlgItemMessage(IDC_TYPE_LIST, LB_GETCURSEL); selected != LB_ERR) {
        std::vector<char> text(static_cast<std::size_t>(SendDlgItemMessage(IDC_TYPE_LIST, LB_GETTEXTLEN, selected)) + 1);
        SendDlgItemMessage(IDC_TYPE_LIST, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
        flightType = text.data();
    }
    std::string percentage;
    std::string airport;
    GetDlgItem(IDC_PERCENTAGE)->GetWindowText(percentage, 4);
    GetDlgItem(IDC_AIRPORT)->GetWindowText(airport, 5);

    const ReduceResult result = [&] {
        CWaitCursor wait;
        return ReduceFlightPlanFile(g_inputPath, MakeReduceParameters(percentage, airport, flightType));
    }();
    g_outputFileName = result.outputFileName;
    // A run that wrote nothing usable must not end like one that did.
    EndDialog(result.succeeded ? IDOK : IDABORT);
}
