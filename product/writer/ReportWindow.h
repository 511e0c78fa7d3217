#pragma once
// The writer program's window: the job report in a read-only, fixed-width text box that
// follows the window's size.
#include <windows.h>

#include <string>

class CReportWindow {
public:
    // `toFront` is the registered message that asks a running writer to come forward.
    CReportWindow(std::string report, UINT toFront)
        : m_report(std::move(report)), m_toFront(toFront) {}
    // Shows the window and runs its message loop; returns the program's exit code.
    int Run(HINSTANCE instance, int show);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Create(HWND window);

    std::string m_report;
    UINT m_toFront;
    HWND m_edit = nullptr;
    HFONT m_font = nullptr;
};
