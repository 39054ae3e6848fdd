// The Win32 backend's side of the layer's opaque types, and the conversions
// between the layer's UTF-8 and the system's UTF-16.
#pragma once

#include "framework.h"

#include <memory>
#include <string>
#include <vector>

// UTF-8 to UTF-16 and back; a null text is the empty text.
std::wstring Widen(LPCTSTR text);
std::string Narrow(const std::wstring& text);

struct WindowPeer {
    explicit WindowPeer(HWND window) : hwnd(window) {}
    HWND hwnd;
    std::vector<std::unique_ptr<CWnd>> controls;  // the dialog items that GetDlgItem has handed out
};

// A font handle, owned unless it is a device context's own default font.
struct FontObject {
    FontObject(HFONT handle, bool owned) : font(handle), owned(owned) {}
    FontObject(const FontObject&) = delete;
    FontObject& operator=(const FontObject&) = delete;
    ~FontObject()
    {
        if (owned && font)
            ::DeleteObject(font);
    }
    HFONT font;
    bool owned;
};

struct DeviceContext {
    DeviceContext() = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    ~DeviceContext()
    {
        if (paintedWindow)
            ::EndPaint(paintedWindow, &paint);
    }
    HDC dc = nullptr;
    HWND paintedWindow = nullptr;  // set between BeginPaint and EndPaint
    PAINTSTRUCT paint{};
    CFont defaultFont;  // the context's own font, selected before any other
    CFont* selected = nullptr;
};

HINSTANCE AfxGetInstanceHandle();

// The window that a window without an explicit parent belongs to: the main window.
HWND OwnerWindow(CWnd* parent);

// The window procedure of every window class the layer registers: finds the
// CWnd stored at creation and hands it the message.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
