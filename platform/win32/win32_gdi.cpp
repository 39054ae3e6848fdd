#include "win32_backend.h"

#include <cwchar>
#include <utility>

namespace {

// The screen's device context, for as long as it is needed.
class ScreenDC {
public:
    ScreenDC() : m_dc(::GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() { ::ReleaseDC(nullptr, m_dc); }
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

}  // namespace

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName)
{
    if (m_font)
        return FALSE;
    LOGFONTW description{};
    // Tenths of a point at the screen's logical resolution, rounded down as MFC does.
    description.lfHeight = -(::GetDeviceCaps(ScreenDC().Get(), LOGPIXELSY) * nPointSize / 720);
    description.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = Widen(lpszFaceName);
    std::wcsncpy(description.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&description);
    if (!font)
        return FALSE;
    m_font = std::make_unique<FontObject>(font, true);
    return TRUE;
}

void CFont::Attach(std::unique_ptr<FontObject> font)
{
    m_font = std::move(font);
}

CDC::CDC() : m_context(std::make_unique<DeviceContext>())
{
    m_context->selected = &m_context->defaultFont;
}

CDC::~CDC() = default;

void CDC::FillSolidRect(const RECT& rect, COLORREF color)
{
    if (!m_context->dc)
        return;
    ::SetBkColor(m_context->dc, color);
    ::ExtTextOutW(m_context->dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    return m_context->dc ? ::SetBkColor(m_context->dc, color) : CLR_INVALID;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text)
{
    if (!m_context->dc)
        return FALSE;
    const std::wstring wide = Widen(text);
    return ::TextOutW(m_context->dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

CFont* CDC::SelectObject(CFont* font)
{
    if (m_context->dc && font && font->GetObject())
        ::SelectObject(m_context->dc, font->GetObject()->font);
    return std::exchange(m_context->selected, font);
}

CPaintDC::CPaintDC(CWnd* wnd)
{
    WindowPeer* peer = wnd ? wnd->GetPeer() : nullptr;
    if (!peer)
        return;
    m_context->dc = ::BeginPaint(peer->hwnd, &m_context->paint);
    m_context->paintedWindow = peer->hwnd;
    auto ownFont = static_cast<HFONT>(::GetCurrentObject(m_context->dc, OBJ_FONT));
    m_context->defaultFont.Attach(std::make_unique<FontObject>(ownFont, false));
}
