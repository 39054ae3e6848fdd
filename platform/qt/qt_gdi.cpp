#include "qt_backend.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

namespace {

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

}  // namespace

int PointSizeToPixels(int tenthsOfPoint)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dotsPerInch = screen ? screen->logicalDotsPerInchY() : 96.0;
    return std::max(1, qRound(tenthsOfPoint * dotsPerInch / 720.0));
}

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName)
{
    if (m_font)
        return FALSE;
    QFont font(ToQString(lpszFaceName));
    font.setPixelSize(PointSizeToPixels(nPointSize));
    m_font = std::make_unique<FontObject>(FontObject{font});
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
    m_context->background = color;
    if (m_context->painter)
        m_context->painter->fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                                     ToQColor(color));
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    return std::exchange(m_context->background, color);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text)
{
    QPainter* painter = m_context->painter;
    if (!painter)
        return FALSE;
    const FontObject* font = m_context->selected ? m_context->selected->GetObject() : nullptr;
    painter->setFont(font ? font->font : QFont());
    const QFontMetrics metrics(painter->font(), painter->device());
    const QString string = ToQString(text);
    painter->fillRect(QRect(x, y, metrics.horizontalAdvance(string), metrics.height()),
                      ToQColor(m_context->background));
    painter->setPen(Qt::black);
    painter->drawText(x, y + metrics.ascent(), string);
    return TRUE;
}

CFont* CDC::SelectObject(CFont* font)
{
    return std::exchange(m_context->selected, font);
}

CPaintDC::CPaintDC(CWnd* wnd)
{
    WindowPeer* peer = wnd ? wnd->GetPeer() : nullptr;
    if (!peer || !peer->painter)
        return;
    m_context->painter = peer->painter;
    const QWidget* surface = peer->Client();
    m_context->defaultFont.Attach(std::make_unique<FontObject>(FontObject{surface ? surface->font() : QFont()}));
}
