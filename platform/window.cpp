// The parts of windows that every backend shares: message routing through the
// message maps, and the frame window's defaults.
#include "window.h"

const CRect CFrameWnd::rectDefault(0, 0, 0, 0);

void CWnd::SetDlgItemText(int id, LPCTSTR text)
{
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* item = GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (OnCmdMsg(message, message == WM_COMMAND ? static_cast<UINT>(wParam & 0xFFFF) : 0))
        return 0;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

void CWnd::PostNcDestroy() {}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}
