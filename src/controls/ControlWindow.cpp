#include "controls/ControlWindow.h"

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
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    // The window's last message: nothing may reach the object afterwards.
    if (message == WM_NCDESTROY)
        self->UnsubclassWindow();
    return result;
}
