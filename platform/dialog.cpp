// The parts of dialogs that every backend shares: the OK and Cancel commands
// and the open-file dialog's filter strings.
#include "dialog.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_pParentWnd(pParentWnd), m_templateId(nIDTemplate) {}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

BOOL CDialog::DestroyWindow()
{
    // The window belongs to DoModal, which takes it down when its loop ends.
    if (!GetPeer())
        return FALSE;
    EndDialog(IDCANCEL);
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd),
      m_open(bOpenFileDialog),
      m_defaultExtension(lpszDefExt ? lpszDefExt : ""),
      m_fileName(lpszFileName ? lpszFileName : ""),
      m_flags(dwFlags),
      m_filters(ParseFilter(lpszFilter))
{
}

std::vector<std::pair<std::string, std::string>> CFileDialog::ParseFilter(LPCTSTR filter)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    if (!filter)
        return pairs;
    const std::string text(filter);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t bar = text.find('|', start);
        if (bar == std::string::npos || bar == start)
            break;
        const std::size_t end = text.find('|', bar + 1);
        pairs.emplace_back(text.substr(start, bar - start),
                           text.substr(bar + 1, (end == std::string::npos ? text.size() : end) - bar - 1));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return pairs;
}
