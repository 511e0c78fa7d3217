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

void CSeparator::Paint(HDC dc) {
    SavedDc saved(dc);
    const RECT r = BeginTextPaint(dc, m_colour);
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
