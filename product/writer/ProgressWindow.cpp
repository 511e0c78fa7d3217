#include "writer/ProgressWindow.h"

#include <commctrl.h>

#include <cstdio>

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
    m_window = CreateWindowExA(
        0, kClass, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        CW_USEDEFAULT, CW_USEDEFAULT, 460, 250, nullptr, nullptr, instance, this);
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

void CProgressWindow::Create(HWND window) {
    m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND name = CreateWindowExA(0, "STATIC", m_name.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX,
                                12, 10, 420, 18, window, nullptr, nullptr, nullptr);
    m_bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 12, 32, 420, 18, window,
                            nullptr, nullptr, nullptr);
    SendMessageA(m_bar, PBM_SETRANGE32, 0, 1000);
    m_lines = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 12, 58, 420,
                              100, window, nullptr, nullptr, nullptr);
    m_cancel = CreateWindowExA(0, "BUTTON", "Cancel",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 172, 170, 100,
                               26, window, reinterpret_cast<HMENU>(kCancelId), nullptr, nullptr);
    for (HWND control : {name, m_bar, m_lines, m_cancel})
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
    char text[512];
    snprintf(text, sizeof(text),
             "Track %d, sector %lu  (%d.%d %%)\nSpeed: %.1fx\nElapsed: %s    Remaining: %s\n"
             "Errors: %lu%s",
             p.track, static_cast<unsigned long>(p.sector), permille / 10, permille % 10, factor,
             Clock(ms / 1000).c_str(), p.doneSectors ? Clock(remaining).c_str() : "-",
             static_cast<unsigned long>(p.errors), m_cancelled ? "\nCancelling..." : "");
    SetWindowTextA(m_lines, text);
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
