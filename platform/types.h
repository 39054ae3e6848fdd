// The plain types of the window-system layer: integer aliases, colours in
// blue-green-red order, rectangles and handles. On Windows they are the
// system's own, from <windows.h>, as in MFC; elsewhere the layer defines them
// with the same names and values.
//
// LPCTSTR and LPTSTR carry UTF-8 text in this layer, on every system. On
// Windows the program is built without UNICODE, so they are the system's
// char strings; the backend converts them to UTF-16 at the boundary and calls
// only the W functions.
#pragma once

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commdlg.h>

#else

#include <cstdint>

using BOOL = int;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPCTSTR = const char*;
using LPTSTR = char*;

// A colour as 0x00BBGGRR.
using COLORREF = DWORD;

constexpr COLORREF RGB(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF color) { return static_cast<int>(color & 0xFF); }
constexpr int GetGValue(COLORREF color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF color) { return static_cast<int>((color >> 16) & 0xFF); }

// A resource named by number instead of by text, as the resource script does.
inline LPCTSTR MAKEINTRESOURCE(UINT id) { return reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(id)); }
inline bool IS_INTRESOURCE(LPCTSTR name) { return (reinterpret_cast<UINT_PTR>(name) >> 16) == 0; }

struct RECT {
    int left;
    int top;
    int right;
    int bottom;
};

// Opaque handles; the Qt backend defines what they stand for.
struct CursorObject;
struct IconObject;
struct BrushObject;
using HCURSOR = CursorObject*;
using HICON = IconObject*;
using HBRUSH = BrushObject*;

#endif

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};
