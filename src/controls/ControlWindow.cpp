#include "controls/ControlWindow.h"

#include "toolkit/Gdi.h"

#include <commctrl.h>

CControlWindow::~CControlWindow() {
    UnsubclassWindow();
}

bool CControlWindow::SubclassDlgItem(int id, HWND parent) {
    HWND item = GetDlgItem(parent, id);
    return item && Subclass(item);
}

bool CControlWindow::Subclass(HWND window) {
    if (m_hWnd || !window)
        return false;
    if (!SetWindowSubclass(window, SubclassProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = window;
    OnSubclassed();
    return true;
}

void CControlWindow::UnsubclassWindow() {
    if (m_hWnd && IsWindow(m_hWnd))
        RemoveWindowSubclass(m_hWnd, SubclassProc, reinterpret_cast<UINT_PTR>(this));
    m_hWnd = nullptr;
}

LRESULT CControlWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CControlWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CControlWindow::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CControlWindow*>(data);
    LRESULT result = 0;
    try { // nothing may unwind through the system's code
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = DefSubclassProc(self->Handle(), message, wParam, lParam);
    }
    // The window's last message: nothing may reach the object afterwards.
    if (message == WM_NCDESTROY)
        self->UnsubclassWindow();
    return result;
}

LRESULT CPaintedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintDc dc(m_hWnd);
        Paint(dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

LRESULT CPaintedStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SETTEXT)
        return CPaintedControl::WindowProc(message, wParam, lParam);
    // The static paints its new text at once; ours must replace it.
    const LRESULT result = Default(message, wParam, lParam);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

RECT CPaintedStatic::BeginTextPaint(HDC dc, COLORREF colour) const {
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    auto background = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(m_hWnd), WM_CTLCOLORSTATIC,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(m_hWnd)));
    FillRect(dc, &r, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    SelectObject(dc, reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    return r;
}
