#include "win32_backend.h"

#include <algorithm>
#include <cstring>

namespace {

CWnd* FromHandle(HWND hwnd)
{
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

std::wstring WindowTextOf(HWND hwnd)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ListBoxTextOf(HWND hwnd, WPARAM index)
{
    const LRESULT length = ::SendMessageW(hwnd, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::SendMessageW(hwnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// Copies UTF-8 text with its NUL into a caller's buffer of `size` bytes.
LRESULT CopyOut(const std::string& text, LPARAM buffer, std::size_t size)
{
    const std::size_t count = std::min(text.size(), size > 0 ? size - 1 : 0);
    if (size > 0) {
        std::memcpy(reinterpret_cast<char*>(buffer), text.data(), count);
        reinterpret_cast<char*>(buffer)[count] = '\0';
    }
    return static_cast<LRESULT>(count);
}

}  // namespace

LRESULT AfxCallWndProc(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        HWND hwnd = wnd->m_peer->hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        wnd->m_peer.reset();
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == wnd) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
        wnd->AttachPeer(std::make_unique<WindowPeer>(hwnd));
    }
    CWnd* wnd = FromHandle(hwnd);
    return wnd ? AfxCallWndProc(wnd, message, wParam, lParam) : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // A window that outlives its object must not reach it any more.
    if (m_peer && FromHandle(m_peer->hwnd) == this) {
        ::SetWindowLongPtrW(m_peer->hwnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_peer->hwnd);
    }
}

void CWnd::AttachPeer(std::unique_ptr<WindowPeer> peer)
{
    m_peer = std::move(peer);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return m_peer ? ::ShowWindow(m_peer->hwnd, nCmdShow) : FALSE;
}

void CWnd::UpdateWindow()
{
    if (m_peer)
        ::UpdateWindow(m_peer->hwnd);
}

void CWnd::Invalidate(BOOL bErase)
{
    if (m_peer)
        ::InvalidateRect(m_peer->hwnd, nullptr, bErase);
}

void CWnd::GetClientRect(RECT* rect) const
{
    *rect = CRect();
    if (m_peer)
        ::GetClientRect(m_peer->hwnd, rect);
}

BOOL CWnd::DestroyWindow()
{
    return m_peer ? ::DestroyWindow(m_peer->hwnd) : FALSE;
}

void CWnd::SetWindowText(LPCTSTR text)
{
    if (m_peer)
        ::SetWindowTextW(m_peer->hwnd, Widen(text).c_str());
}

int CWnd::GetWindowText(std::string& text, int maxCount) const
{
    std::wstring full = m_peer ? WindowTextOf(m_peer->hwnd) : std::wstring();
    // Counted in characters, so that no character is cut in half: a
    // surrogate pair is one.
    std::size_t end = 0;
    int count = 0;
    for (; end < full.size() && count < maxCount - 1; ++count)
        end += IS_HIGH_SURROGATE(full[end]) && end + 1 < full.size() && IS_LOW_SURROGATE(full[end + 1]) ? 2 : 1;
    full.resize(end);
    text = Narrow(full);
    return count;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    const std::wstring wideText = Widen(text);
    const std::wstring wideCaption = Widen(caption);
    return ::MessageBoxW(m_peer ? m_peer->hwnd : OwnerWindow(nullptr), wideText.c_str(),
                         caption ? wideCaption.c_str() : nullptr, type);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    if (!m_peer)
        return nullptr;
    HWND item = ::GetDlgItem(m_peer->hwnd, id);
    if (!item)
        return nullptr;
    for (const auto& control : m_peer->controls) {
        if (control->GetPeer() && control->GetPeer()->hwnd == item)
            return control.get();
    }
    auto control = std::make_unique<CWnd>();
    control->AttachPeer(std::make_unique<WindowPeer>(item));
    return m_peer->controls.emplace_back(std::move(control)).get();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_peer)
        return 0;
    HWND hwnd = m_peer->hwnd;
    // Messages that carry text carry UTF-8 in this layer and UTF-16 in the system.
    switch (message) {
    case WM_SETTEXT:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
        const std::wstring text = Widen(reinterpret_cast<LPCTSTR>(lParam));
        return ::SendMessageW(hwnd, message, wParam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Narrow(WindowTextOf(hwnd)).size());
    case WM_GETTEXT:
        return CopyOut(Narrow(WindowTextOf(hwnd)), lParam, wParam);
    case LB_GETTEXTLEN: {
        if (::SendMessageW(hwnd, LB_GETTEXTLEN, wParam, 0) == LB_ERR)
            return LB_ERR;
        return static_cast<LRESULT>(Narrow(ListBoxTextOf(hwnd, wParam)).size());
    }
    case LB_GETTEXT: {
        if (::SendMessageW(hwnd, LB_GETTEXTLEN, wParam, 0) == LB_ERR)
            return LB_ERR;
        const std::string text = Narrow(ListBoxTextOf(hwnd, wParam));
        return CopyOut(text, lParam, text.size() + 1);
    }
    default:
        return ::SendMessageW(hwnd, message, wParam, lParam);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_peer ? ::DefWindowProcW(m_peer->hwnd, message, wParam, lParam) : 0;
}

BOOL CWnd::CreateTopLevel(CREATESTRUCT& cs, CWnd* parent, UINT menuId)
{
    if (!PreCreateWindow(cs))
        return FALSE;
    const std::wstring className = Widen(cs.lpszClass);
    const std::wstring title = Widen(cs.lpszName);
    HMENU menu = menuId ? ::LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(menuId)) : nullptr;
    HWND hwnd = ::CreateWindowExW(cs.dwExStyle, className.c_str(), title.c_str(), static_cast<DWORD>(cs.style), cs.x,
                                  cs.y, cs.cx, cs.cy, parent && parent->GetPeer() ? parent->GetPeer()->hwnd : nullptr,
                                  menu, AfxGetInstanceHandle(), this);
    if (!hwnd && menu)
        ::DestroyMenu(menu);
    return hwnd != nullptr;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle)
{
    const bool useDefault = CRect(rect.left, rect.top, rect.right, rect.bottom) == rectDefault;
    CREATESTRUCT cs{};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.dwExStyle = dwExStyle;
    cs.x = useDefault ? CW_USEDEFAULT : static_cast<int>(rect.left);
    cs.y = useDefault ? CW_USEDEFAULT : static_cast<int>(rect.top);
    cs.cx = useDefault ? CW_USEDEFAULT : static_cast<int>(rect.right - rect.left);
    cs.cy = useDefault ? CW_USEDEFAULT : static_cast<int>(rect.bottom - rect.top);
    const UINT menuId = lpszMenuName && IS_INTRESOURCE(lpszMenuName)
                            ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszMenuName))
                            : 0;
    return CreateTopLevel(cs, pParentWnd, menuId);
}
