#include "win32_backend.h"

#include <vector>

namespace {

// Where a dialog without a position of its own goes: centred over its owner,
// or over the screen's work area when it has none.
void CenterOverOwner(HWND dialog)
{
    RECT area{};
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    if (!owner || !::GetWindowRect(owner, &area))
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT own{};
    ::GetWindowRect(dialog, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    ::SetWindowPos(dialog, nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// The dialog procedure of every modal dialog: the CDialog comes with
// WM_INITDIALOG, and commands go through its message map.
INT_PTR CALLBACK AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->AttachPeer(std::make_unique<WindowPeer>(hwnd));
        RECT before{};
        ::GetWindowRect(hwnd, &before);
        const BOOL setFocus = dialog->OnInitDialog();
        RECT after{};
        if (::GetWindowRect(hwnd, &after) && before.left == after.left && before.top == after.top)
            CenterOverOwner(hwnd);
        return setFocus;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!dialog)
        return FALSE;
    if (message == WM_COMMAND)
        return dialog->OnCmdMsg(WM_COMMAND, LOWORD(wParam)) ? TRUE : FALSE;
    if (message == WM_NCDESTROY)
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    return FALSE;
}

INT_PTR CDialog::DoModal()
{
    const INT_PTR result = ::DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_templateId),
                                             OwnerWindow(m_pParentWnd), AfxDlgProc, reinterpret_cast<LPARAM>(this));
    AttachPeer(nullptr);
    return result;
}

void CDialog::EndDialog(int nResult)
{
    if (GetPeer())
        ::EndDialog(GetPeer()->hwnd, nResult);
}

INT_PTR CFileDialog::DoModal()
{
    std::wstring filter;
    for (const auto& [description, pattern] : m_filters) {
        filter += Widen(description.c_str()) + L'\0';
        filter += Widen(pattern.c_str()) + L'\0';
    }
    // Room for the longest path the system takes.
    std::vector<wchar_t> path(32768, L'\0');
    const std::wstring initial = Widen(m_fileName.c_str());
    initial.copy(path.data(), path.size() - 1);
    const std::wstring extension = Widen(m_defaultExtension.c_str());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OwnerWindow(m_pParentWnd);
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = m_flags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL chosen = m_open ? ::GetOpenFileNameW(&dialog) : ::GetSaveFileNameW(&dialog);
    if (!chosen)
        return IDCANCEL;
    m_pathName = Narrow(path.data());
    return IDOK;
}
