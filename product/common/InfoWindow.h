#pragma once
// A plain window that names a program and says what it is; used by the stand-in programs
// whose only job is to exist and be recognisable. Programs whose window shows its text
// another way derive from it and handle the messages themselves.
#include <windows.h>

#include <string>

class CInfoWindow {
public:
    CInfoWindow(const char* caption, std::string text)
        : CInfoWindow(caption, std::move(text), {"Zl5InfoWindow", 480, 220, 1}) {}
    virtual ~CInfoWindow() = default;
    CInfoWindow(const CInfoWindow&) = delete;
    CInfoWindow& operator=(const CInfoWindow&) = delete;

    // Shows the window and runs its message loop; returns the program's exit code.
    int Run(HINSTANCE instance, HICON icon, int show);

protected:
    struct Frame {
        const char* className;
        int width, height;
        int failureCode; // the exit code when the window cannot be made
    };
    CInfoWindow(const char* caption, std::string text, const Frame& frame)
        : m_caption(caption), m_text(std::move(text)), m_frame(frame) {}

    const std::string& Text() const { return m_text; }
    // Every message from WM_NCCREATE on. The text is painted into the client area.
    virtual LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window);

    const char* m_caption;
    std::string m_text;
    Frame m_frame;
};
