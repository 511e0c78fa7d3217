#pragma once
// The writer program's window: the job report in a read-only, fixed-width text box that
// follows the window's size.
#include "common/InfoWindow.h"

#include <string>

class CReportWindow : public CInfoWindow {
public:
    // `toFront` is the registered message that asks a running writer to come forward.
    CReportWindow(std::string report, UINT toFront);
    // Shows the window and runs its message loop; returns the program's exit code.
    int Run(HINSTANCE instance, int show) { return CInfoWindow::Run(instance, nullptr, show); }

protected:
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Create(HWND window);

    UINT m_toFront;
    HWND m_edit = nullptr;
    HFONT m_font = nullptr;
};
