// Windows: the CWnd base with its operations and default message handling,
// and the frame window that carries a menu and a client area.
#pragma once

#include "message_map.h"

#include <memory>
#include <string>

// Backend state of one window; each backend defines it.
struct WindowPeer;

#ifndef _WIN32
struct CREATESTRUCT {
    LPCTSTR lpszClass;
    LPCTSTR lpszName;
    DWORD style;
    DWORD dwExStyle;
    int x, y, cx, cy;
};
#endif

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    BOOL ShowWindow(int nCmdShow);
    // Paints what is invalid at once instead of at the next turn of the message loop.
    void UpdateWindow();
    void Invalidate(BOOL bErase = TRUE);
    void GetClientRect(RECT* rect) const;
    virtual BOOL DestroyWindow();

    void SetWindowText(LPCTSTR text);
    // Copies at most maxCount - 1 characters of the window's text; returns how many.
    int GetWindowText(std::string& text, int maxCount) const;

    // Asks the user and returns IDOK or IDCANCEL (IDOK for MB_OK).
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, LPCTSTR text);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // The backend's state of this window, or null before it is created and
    // after it is destroyed.
    WindowPeer* GetPeer() const { return m_peer.get(); }
    void AttachPeer(std::unique_ptr<WindowPeer> peer);

protected:
    // Called for every message sent to the window: the message maps first,
    // then the default handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called for messages that no message map handles.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called when a window is about to be created, to adjust how.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called last when the window has been destroyed.
    virtual void PostNcDestroy();

    BOOL CreateTopLevel(CREATESTRUCT& cs, CWnd* parent, UINT menuId);

private:
    // Where a backend's window procedure hands the window its messages.
    friend LRESULT AfxCallWndProc(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<WindowPeer> m_peer;
};

class CFrameWnd : public CWnd {
public:
    static const CRect rectDefault;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0);

protected:
    // Called before creation; gives the client area its sunken edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Called when the window has been destroyed; the frame object goes with it.
    void PostNcDestroy() override;
};
