#pragma once
// A section heading: its text, then a line to the right edge, both in one colour
// (the active-caption colour unless the owner sets another). Bind to a static.
#include "controls/ControlWindow.h"

class CSeparator : public CPaintedStatic {
public:
    void SetColour(COLORREF colour);
    COLORREF Colour() const { return m_colour; }

protected:
    void Paint(HDC dc) override;

private:
    COLORREF m_colour = GetSysColor(COLOR_ACTIVECAPTION);
};
