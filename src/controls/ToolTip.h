#pragma once
// The pages' tool tips: multi-line texts (line breaks in the string table are kept) that
// stay up for 20 seconds. Create it only when the user wants tool tips.
#include <windows.h>

#include <string>

class CToolTip {
public:
    static constexpr int kAutoPopMilliseconds = 20000;

    CToolTip() = default;
    ~CToolTip();
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;

    bool Create(HWND parent);
    // Shows `text` over the control. The control is subclassed by the tip, so the tip
    // works inside message loops the program does not own (property sheets, dialogs).
    bool AddTool(HWND control, const std::string& text);
    // For hosts that pre-translate their messages; a tool's own mouse messages already
    // reach the tip through its subclass.
    void RelayEvent(MSG* message) const;

    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};
