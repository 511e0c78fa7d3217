#include "controls/Label.h"

CLabel::~CLabel() {
    // The bold font is about to go: a label that outlives us must not keep using it.
    if (m_hWnd && IsWindow(m_hWnd) && m_bold)
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_normalFont), FALSE);
}

void CLabel::OnSubclassed() {
    m_normalFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    if (m_bold)
        ApplyFont();
}

void CLabel::SetTextColour(COLORREF colour) {
    m_colour = colour;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CLabel::SetBold(bool bold) {
    m_bold = bold;
    if (m_hWnd)
        ApplyFont();
}

void CLabel::ApplyFont() {
    if (m_bold && !m_boldFont) {
        LOGFONTA font = {};
        HFONT base =
            m_normalFont ? m_normalFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        GetObjectA(base, sizeof font, &font);
        font.lfWeight = FW_BOLD;
        m_boldFont.Reset(CreateFontIndirectA(&font));
    }
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_bold ? m_boldFont.Get() : m_normalFont), TRUE);
}

void CLabel::Paint(HDC dc) {
    SavedDc saved(dc);
    RECT r = BeginTextPaint(dc, IsWindowEnabled(m_hWnd) ? m_colour : GetSysColor(COLOR_GRAYTEXT));
    const LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        format |= DT_CENTER;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        format |= DT_RIGHT;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    const std::string text = Text();
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}
