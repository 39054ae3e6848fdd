// The Qt backend's side of the layer's opaque types, shared by its sources
// and by tests that look at the real widgets.
#pragma once

#include "framework.h"
#include "resource_script.h"

#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

struct WindowPeer {
    QPointer<QWidget> widget;        // the window itself: frame, dialog or control
    QPointer<QWidget> paintSurface;  // where WM_PAINT draws: the frame's client area
    QPainter* painter = nullptr;     // set while WM_PAINT is dispatched
    QRect requestedFrame;            // the outer rectangle asked for at creation, until the frame is known
    QSize fittedSize;                // the inner size last set to fit it
    int controlId = 0;
    DWORD style = 0;
    std::vector<std::unique_ptr<CWnd>> controls;  // a dialog's controls, in template order

    // Where the window's client area is: the paint surface, else the window.
    QWidget* Client() const { return paintSurface ? paintSurface.data() : widget.data(); }
};

struct FontObject {
    QFont font;
};

struct IconObject {
    QIcon icon;
};

struct CursorObject {
    Qt::CursorShape shape;
};

struct DeviceContext {
    QPainter* painter = nullptr;  // null outside a paint: drawing then does nothing
    COLORREF background = RGB(255, 255, 255);
    CFont defaultFont;
    CFont* selected = nullptr;
};

// The program's resource script, read once from the executable.
const ResourceScript& AfxGetResourceScript();

// The CWnd whose window a widget is, or null once that window is destroyed.
CWnd* OwnerOf(const QWidget* widget);
void SetOwner(QWidget* widget, CWnd* owner);

// Sends WM_COMMAND with `id` to the window `widget` belongs to; false when
// that window is already destroyed.
bool SendCommand(const QWidget* widget, UINT id);

// Pixels for a font size in tenths of a point, at the screen's logical resolution.
int PointSizeToPixels(int tenthsOfPoint);

inline QString ToQString(LPCTSTR text) { return QString::fromUtf8(text ? text : ""); }

// The widget that a window without an explicit parent belongs to: the main window's.
QWidget* OwnerWidget(CWnd* parent);

// Sizes a top-level window so that its outer frame fills the rectangle asked
// for at creation. A window manager's frame is known only once it has framed
// the window, after showing; this is called again until then, and gives up
// when the window has been resized by other means.
void FitRequestedFrame(QWidget* widget, WindowPeer& peer);

// Ends CWinApp::Run's message loop, if it is running.
void AfxEndMessageLoop();

struct WindowClassInfo {
    UINT style;
    HCURSOR cursor;
    HBRUSH background;
    HICON icon;
};

// The class AfxRegisterWndClass registered under that name, or null.
const WindowClassInfo* FindWindowClass(LPCTSTR name);
