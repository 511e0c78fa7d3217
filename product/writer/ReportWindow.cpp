#include "writer/ReportWindow.h"

CReportWindow::CReportWindow(std::string report, UINT toFront)
    : CInfoWindow("Zelvane Image Writer - job report", std::move(report),
                  {"Zl5WriteReport", 720, 520, 2}),
      m_toFront(toFront) {}

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
    SetWindowTextA(m_edit, Text().c_str());
}

// The text box covers the client area, so nothing of the painted text is wanted here.
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
