#include "controls/Separator.h"

#include "toolkit/Gdi.h"

namespace {
// Space between the heading and its line.
constexpr int kGap = 4;
} // namespace

void CSeparator::SetColour(COLORREF colour) {
    m_colour = colour;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSeparator::Paint(HDC dc) const {
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    SavedDc saved(dc);
    auto background = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(m_hWnd), WM_CTLCOLORSTATIC,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(m_hWnd)));
    FillRect(dc, &r, background ? background : GetSysColorBrush(COLOR_BTNFACE));

    SelectObject(dc, reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_colour);
    const std::string text = Text();
    RECT textRect = r;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
    const int textHeight = textRect.bottom - textRect.top;
    textRect.top = r.top + (r.bottom - r.top - textHeight) / 2;
    textRect.bottom = textRect.top + textHeight;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_NOPREFIX);

    const int lineLeft = text.empty() ? r.left : textRect.right + kGap;
    const int lineY = (r.top + r.bottom) / 2;
    if (lineLeft < r.right)
        FillSolidRect(dc, {lineLeft, lineY, r.right, lineY + 1}, m_colour);
}

LRESULT CSeparator::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDc dc(m_hWnd);
        Paint(dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = Default(message, wParam, lParam);
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return result;
    }
    default:
        return Default(message, wParam, lParam);
    }
}
