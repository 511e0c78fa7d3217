#pragma once
// Windows the control tests create, message pumping and screenshots.
#include <windows.h>

#include <string>

// Registers the common controls once (list views, tool tips).
void EnsureCommonControls();

// A visible top-level window with the dialog font that hosts the controls under test
// and remembers the last WM_COMMAND it received.
class CTestHost {
public:
    CTestHost(const char* title, int width, int height);
    ~CTestHost();
    CTestHost(const CTestHost&) = delete;
    CTestHost& operator=(const CTestHost&) = delete;

    HWND Handle() const { return m_hWnd; }
    // A child window with the host's font.
    HWND AddChild(const char* windowClass, const char* text, DWORD style, int id, int x, int y,
                  int width, int height) const;
    int LastCommand() const { return m_lastCommand; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    HFONT m_font = nullptr;
    int m_lastCommand = 0;
};

// Handles whatever is queued for up to `milliseconds`.
void PumpMessages(DWORD milliseconds);

// What a window draws through WM_PRINTCLIENT, as a bitmap of its client size, for
// pixel checks that do not depend on the screen.
class CClientPicture {
public:
    explicit CClientPicture(HWND window);
    ~CClientPicture();
    CClientPicture(const CClientPicture&) = delete;
    CClientPicture& operator=(const CClientPicture&) = delete;
    COLORREF Pixel(int x, int y) const { return GetPixel(m_dc, x, y); }
    bool Contains(COLORREF colour, const RECT& area) const;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// Copies the window as it is on screen into screenshots\<name>.bmp below the working
// folder; returns the path written, or empty on failure.
std::string SaveScreenshot(HWND window, const std::string& name);
