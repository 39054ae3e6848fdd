// Modal dialogs built from the resource script's dialog templates, and the
// open-file dialog.
#pragma once

#include "window.h"

#include <string>
#include <utility>
#include <vector>

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Shows the dialog and runs its own message loop until EndDialog; returns
    // the code given to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    // A modal dialog's window lives as long as its DoModal: destroying it ends
    // the dialog with IDCANCEL.
    BOOL DestroyWindow() override;

    // Called when the controls exist, before the dialog shows; TRUE puts the
    // focus on the first control that takes it.
    virtual BOOL OnInitDialog();

protected:
    // Called for the OK button and the Enter key.
    virtual void OnOK();
    // Called for the Cancel button, the Esc key and the close box.
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

    // The owner given at construction; null means the main window.
    CWnd* m_pParentWnd;

private:
    UINT m_templateId;
};

class CFileDialog : public CDialog {
public:
    // filter: pairs of "description|pattern|", ended by a second "|".
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    // The full path of the chosen file.
    std::string GetPathName() const { return m_pathName; }

    // The description and pattern pairs of a filter string.
    static std::vector<std::pair<std::string, std::string>> ParseFilter(LPCTSTR filter);

private:
    BOOL m_open;
    std::string m_defaultExtension;
    std::string m_fileName;
    DWORD m_flags;
    std::vector<std::pair<std::string, std::string>> m_filters;
    std::string m_pathName;
};
