#include "writer/ProgressWindow.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {
const char kClass[] = "Zl5WriteProgress";
constexpr UINT kDone = WM_APP + 1;
constexpr UINT_PTR kTimer = 1;
constexpr int kCancelId = 2;

struct ThreadCall {
    void (*work)(void*);
    void* argument;
    HWND window;
};

DWORD WINAPI Worker(LPVOID p) {
    ThreadCall* call = static_cast<ThreadCall*>(p);
    call->work(call->argument);
    PostMessageA(call->window, kDone, 0, 0);
    return 0;
}

std::string Clock(DWORD seconds) {
    char text[32];
    snprintf(text, sizeof(text), "%lu:%02lu:%02lu", seconds / 3600, seconds / 60 % 60,
             seconds % 60);
    return text;
}
} // namespace

bool CProgressWindow::Progress(const BuildProgress& progress) {
    EnterCriticalSection(&m_lock);
    m_progress = progress;
    LeaveCriticalSection(&m_lock);
    return !m_cancelled;
}

void CProgressWindow::RunThread(HINSTANCE instance, void (*work)(void*), void* argument) {
    InitializeCriticalSection(&m_lock);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    m_start = GetTickCount();
    const std::string title = "Zelvane Image Writer - " + m_name;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const SIZE size = WindowSize(style);
    m_window = CreateWindowExA(0, kClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                               size.cx, size.cy, nullptr, nullptr, instance, this);
    ThreadCall call{work, argument, m_window};
    HANDLE thread = m_window ? CreateThread(nullptr, 0, Worker, &call, 0, nullptr) : nullptr;
    if (!thread) {
        if (m_window)
            DestroyWindow(m_window);
        work(argument); // no window or no thread: build without showing progress
        DeleteCriticalSection(&m_lock);
        return;
    }
    ShowWindow(m_window, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(m_window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    DeleteCriticalSection(&m_lock);
}

namespace {
// Layout in pixels of the client area: a margin, the name, the bar, then one row per figure
// with its label in a column of its own, and Cancel at the bottom right.
constexpr int kMargin = 12, kWidth = 420, kRow = 18, kLabelWidth = 76;
constexpr int kBarTop = 32, kRowsTop = 62, kButtonWidth = 88, kButtonHeight = 26;
constexpr int kButtonTop = kRowsTop + CProgressWindow::kRows * kRow + 10;
const char* const kLabels[CProgressWindow::kRows] = {
    "Track:", "Speed:", "Elapsed:", "Remaining:", "Errors:"};

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           int id = 0) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}
} // namespace

SIZE CProgressWindow::WindowSize(DWORD style) {
    RECT r = {0, 0, 2 * kMargin + kWidth, kButtonTop + kButtonHeight + kMargin};
    AdjustWindowRect(&r, style, FALSE);
    return {r.right - r.left, r.bottom - r.top};
}

void CProgressWindow::Create(HWND window) {
    m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    std::vector<HWND> controls;
    // A long name is cut with an ellipsis rather than at the window's edge.
    controls.push_back(Child(window, "STATIC", m_name.c_str(), SS_NOPREFIX | SS_ENDELLIPSIS,
                             kMargin, 10, kWidth, 16));
    m_bar = Child(window, PROGRESS_CLASSA, "", 0, kMargin, kBarTop, kWidth, 18);
    SendMessageA(m_bar, PBM_SETRANGE32, 0, 1000);
    controls.push_back(m_bar);
    for (int i = 0; i < kRows; ++i) {
        const int y = kRowsTop + i * kRow;
        controls.push_back(
            Child(window, "STATIC", kLabels[i], SS_NOPREFIX, kMargin, y, kLabelWidth, 16));
        m_values[i] = Child(window, "STATIC", "", SS_NOPREFIX | SS_ENDELLIPSIS,
                            kMargin + kLabelWidth, y, kWidth - kLabelWidth, 16);
        controls.push_back(m_values[i]);
    }
    m_status = Child(window, "STATIC", "", SS_NOPREFIX, kMargin, kButtonTop + 6,
                     kWidth - kButtonWidth - 8, 16);
    m_cancel =
        Child(window, "BUTTON", "Cancel", WS_TABSTOP | BS_DEFPUSHBUTTON,
              kMargin + kWidth - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight, kCancelId);
    controls.push_back(m_status);
    controls.push_back(m_cancel);
    for (HWND control : controls)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SetTimer(window, kTimer, 250, nullptr);
    Refresh();
}

void CProgressWindow::Refresh() {
    EnterCriticalSection(&m_lock);
    BuildProgress p = m_progress;
    LeaveCriticalSection(&m_lock);
    const DWORD ms = GetTickCount() - m_start;
    const double seconds = ms / 1000.0;
    // 1x reads 75 sectors a second on a CD and about 675 on a DVD.
    const double factor =
        seconds > 0.5 ? double(p.doneSectors) / seconds / (m_dvd ? 675.0 : 75.0) : 0.0;
    const DWORD remaining =
        p.doneSectors > 0 && p.totalSectors >= p.doneSectors
            ? DWORD(seconds * double(p.totalSectors - p.doneSectors) / double(p.doneSectors))
            : 0;
    const int permille = p.totalSectors ? int(p.doneSectors * 1000 / p.totalSectors) : 0;
    SendMessageA(m_bar, PBM_SETPOS, permille, 0);
    char texts[kRows][64];
    snprintf(texts[0], sizeof(texts[0]), "%d, sector %lu (%d.%d %% of the disc)", p.track,
             static_cast<unsigned long>(p.sector), permille / 10, permille % 10);
    snprintf(texts[1], sizeof(texts[1]), "%.1fx", factor);
    snprintf(texts[2], sizeof(texts[2]), "%s", Clock(ms / 1000).c_str());
    snprintf(texts[3], sizeof(texts[3]), "%s", p.doneSectors ? Clock(remaining).c_str() : "-");
    snprintf(texts[4], sizeof(texts[4]), "%lu", static_cast<unsigned long>(p.errors));
    for (int i = 0; i < kRows; ++i)
        SetWindowTextA(m_values[i], texts[i]);
    SetWindowTextA(m_status, m_cancelled ? "Cancelling..." : "");
}

LRESULT CALLBACK CProgressWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<CProgressWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self)
            return DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
        case WM_CREATE:
            self->Create(window);
            return 0;
        case WM_TIMER:
            self->Refresh();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCancelId) {
                self->m_cancelled = true;
                EnableWindow(self->m_cancel, FALSE);
                self->Refresh();
            }
            return 0;
        case WM_CLOSE: // closing the window is a Cancel; it goes when the build has stopped
            self->m_cancelled = true;
            EnableWindow(self->m_cancel, FALSE);
            return 0;
        case kDone:
            KillTimer(window, kTimer);
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
