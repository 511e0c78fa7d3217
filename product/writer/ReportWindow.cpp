#include "writer/ReportWindow.h"

namespace {
const char kClassName[] = "Zl5WriteReport";
const char kCaption[] = "Zelvane Image Writer - job report";
} // namespace

int CReportWindow::Run(HINSTANCE instance, int show) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc))
        return 2;
    HWND window = CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 720, 520, nullptr, nullptr, instance, this);
    if (!window)
        return 2;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

void CReportWindow::Create(HWND window) {
    m_edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                 ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                             0, 0, 0, 0, window, nullptr, nullptr, nullptr);
    m_font =
        CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    SendMessageA(m_edit, WM_SETFONT,
                 reinterpret_cast<WPARAM>(m_font ? m_font : GetStockObject(ANSI_FIXED_FONT)),
                 FALSE);
    // A job with many track titles can pass the edit control's default 32K limit.
    SendMessageA(m_edit, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextA(m_edit, m_report.c_str());
}

LRESULT CReportWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_toFront && m_toFront) {
        if (IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        Create(window);
        return 0;
    case WM_SIZE:
        MoveWindow(m_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(m_edit);
        return 0;
    case WM_DESTROY:
        if (m_font)
            DeleteObject(m_font);
        m_font = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CReportWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CReportWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->Handle(window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}
