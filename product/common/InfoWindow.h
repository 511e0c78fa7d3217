#pragma once
// A plain window that names a program and says what it is; used by the stand-in programs
// whose only job is to exist and be recognisable.
#include <windows.h>

class CInfoWindow {
public:
    CInfoWindow(const char* caption, const char* text) : m_caption(caption), m_text(text) {}
    // Shows the window and runs its message loop; returns the program's exit code.
    int Run(HINSTANCE instance, HICON icon, int show);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window);

    const char* m_caption;
    const char* m_text;
};
