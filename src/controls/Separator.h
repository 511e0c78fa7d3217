#pragma once
// A section heading: its text, then a line to the right edge, both in one colour
// (the active-caption colour unless the owner sets another). Bind to a static.
#include "controls/ControlWindow.h"

class CSeparator : public CControlWindow {
public:
    void SetColour(COLORREF colour);
    COLORREF Colour() const { return m_colour; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) const;
    COLORREF m_colour = GetSysColor(COLOR_ACTIVECAPTION);
};
