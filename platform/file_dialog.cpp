#include "dialog.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd),
      m_open(bOpenFileDialog),
      m_defaultExtension(lpszDefExt ? lpszDefExt : ""),
      m_fileName(lpszFileName ? lpszFileName : ""),
      m_flags(dwFlags),
      m_filters(ParseFilter(lpszFilter))
{
}

std::vector<std::pair<std::string, std::string>> CFileDialog::ParseFilter(LPCTSTR filter)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    if (!filter)
        return pairs;
    const std::string text(filter);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t bar = text.find('|', start);
        if (bar == std::string::npos || bar == start)
            break;
        const std::size_t end = text.find('|', bar + 1);
        pairs.emplace_back(text.substr(start, bar - start),
                           text.substr(bar + 1, (end == std::string::npos ? text.size() : end) - bar - 1));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return pairs;
}
