#pragma once
// A window handle with the few operations the pages use; owns nothing.
#include <windows.h>

#include <string>

class CWindow {
public:
    CWindow() = default;
    explicit CWindow(HWND window) : m_hWnd(window) {}
    virtual ~CWindow() = default;

    HWND Handle() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    void Attach(HWND window) { m_hWnd = window; }

    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    std::string Text() const;
    void SetText(const std::string& text) const { SetWindowTextA(m_hWnd, text.c_str()); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const {
        SetDlgItemTextA(m_hWnd, id, text.c_str());
    }
    void EnableItem(int id, bool enable) const { EnableWindow(Item(id), enable); }
    void ShowItem(int id, bool show) const { ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }
    void SetCheck(int id, bool checked) const {
        CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(m_hWnd, message, wParam, lParam);
    }
    // Centres the window over another one (or the screen).
    void CenterOver(HWND other) const;

protected:
    HWND m_hWnd = nullptr;
};
