#include "win32_backend.h"

#include <commctrl.h>

#include <cstdio>
#include <set>

namespace {

HCURSOR g_cursorBeforeWait = nullptr;

}  // namespace

std::wstring Widen(LPCTSTR text)
{
    if (!text || !*text)
        return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleW(nullptr);
}

HWND OwnerWindow(CWnd* parent)
{
    if (!parent)
        parent = AfxGetMainWnd();
    return parent && parent->GetPeer() ? parent->GetPeer()->hwnd : nullptr;
}

int CWinApp::Run()
{
    MSG message;
    while (m_pMainWnd && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return ExitInstance();
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(reinterpret_cast<UINT_PTR>(lpszCursorName)));
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nIDResource));
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class for each combination, named after it as MFC names its classes.
    static std::set<std::string> names;
    char name[128];
    std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    const auto [entry, added] = names.insert(name);
    if (added) {
        const std::wstring className = Widen(name);
        WNDCLASSW windowClass{};
        windowClass.style = nClassStyle;
        windowClass.lpfnWndProc = AfxWndProc;
        windowClass.hInstance = AfxGetInstanceHandle();
        windowClass.hIcon = hIcon;
        windowClass.hCursor = hCursor;
        windowClass.hbrBackground = hbrBackground;
        windowClass.lpszClassName = className.c_str();
        if (!::RegisterClassW(&windowClass)) {
            names.erase(entry);
            return nullptr;
        }
    }
    return names.find(name)->c_str();
}

CWaitCursor::CWaitCursor()
{
    g_cursorBeforeWait = ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
}

CWaitCursor::~CWaitCursor()
{
    ::SetCursor(g_cursorBeforeWait);
}

int AfxWinMain(int, char*[])
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW)
        app->m_nCmdShow = startup.wShowWindow;
    // Visual styles for the dialogs' controls, as the manifest asks for.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
