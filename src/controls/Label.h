#pragma once
// A static text whose owner sets its text, colour and weight. Bind it to the template's
// static with SubclassDlgItem; alignment and prefix handling follow the static's style.
#include "controls/ControlWindow.h"
#include "toolkit/Gdi.h"

#include <string>

class CLabel : public CPaintedStatic {
public:
    ~CLabel() override;
    void SetTextColour(COLORREF colour);
    // Bold (weight 700) or the dialog's normal weight; kept until the label is bound.
    void SetBold(bool bold);
    bool IsBold() const { return m_bold; }
    COLORREF TextColour() const { return m_colour; }

protected:
    void OnSubclassed() override;
    void Paint(HDC dc) override;

private:
    void ApplyFont();
    bool m_bold = false;
    COLORREF m_colour = GetSysColor(COLOR_WINDOWTEXT);
    HFONT m_normalFont = nullptr; // the dialog's, not ours
    Font m_boldFont;
};
