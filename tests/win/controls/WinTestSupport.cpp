#include "WinTestSupport.h"

#include <commctrl.h>

#include <fstream>
#include <vector>

void EnsureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&init) != 0;
    }();
    (void)done;
}

namespace {
const char kHostClass[] = "ZlControlsTestHost";
}

CTestHost::CTestHost(const char* title, int width, int height) {
    EnsureCommonControls();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    m_font = CreateFontIndirectA(&metrics.lfMessageFont);
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
    m_hWnd = CreateWindowExA(0, kHostClass, title,
                             WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             GetModuleHandleA(nullptr), this);
    SetForegroundWindow(m_hWnd);
}

CTestHost::~CTestHost() {
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    DeleteObject(m_font);
}

HWND CTestHost::AddChild(const char* windowClass, const char* text, DWORD style, int id, int x,
                         int y, int width, int height) const {
    HWND child = CreateWindowExA(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    return child;
}

LRESULT CALLBACK CTestHost::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<CTestHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND)
        self->m_lastCommand = LOWORD(wParam);
    if (self && message == WM_NCDESTROY)
        self->m_hWnd = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

CClientPicture::CClientPicture(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bitmap);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
}

CClientPicture::~CClientPicture() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

bool CClientPicture::Contains(COLORREF colour, const RECT& area) const {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(x, y) == colour)
                return true;
    return false;
}

std::string SaveScreenshot(HWND window, const std::string& name) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(300);
    RECT r = {};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(dc, old);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<char> pixels(((static_cast<size_t>(width) * 3 + 3) & ~size_t{3}) *
                             static_cast<size_t>(height));
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    CreateDirectoryA("screenshots", nullptr);
    const std::string path = "screenshots\\" + name + ".bmp";
    BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof file + sizeof info}; // "BM"
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return out ? path : std::string();
}
