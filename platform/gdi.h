// Drawing: fonts, device contexts and the paint context of WM_PAINT.
#pragma once

#include "types.h"

#include <memory>

class CWnd;
struct FontObject;
struct DeviceContext;

class CFont {
public:
    CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont();

    // pointSize in tenths of a point, converted at the screen's logical resolution.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName);

    FontObject* GetObject() const { return m_font.get(); }
    void Attach(std::unique_ptr<FontObject> font);

private:
    std::unique_ptr<FontObject> m_font;
};

class CDC {
public:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    // Fills the rectangle and makes the colour the text background colour.
    void FillSolidRect(const RECT& rect, COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    // Paints the text with its cell's top-left corner at (x, y), on an opaque
    // box of the background colour.
    BOOL TextOut(int x, int y, LPCTSTR text);
    // Selects the font for later text and returns the one selected before;
    // at first that is the context's own default font.
    CFont* SelectObject(CFont* font);

protected:
    CDC();
    std::unique_ptr<DeviceContext> m_context;
};

// The device context of one WM_PAINT: valid only inside the paint handler.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
};
