#include "E2eHarness.h"

#include <commctrl.h>

#include <fstream>
#include <memory>

namespace e2e {

std::string Home() {
    char buffer[MAX_PATH] = {};
    if (GetEnvironmentVariableA("ZL_HOME_WIN", buffer, sizeof buffer) && buffer[0])
        return buffer;
    return "C:\\Program Files\\Kestrelin\\Zelvane 5\\";
}

std::string HomeFile(const std::string& relative) { return Home() + relative; }

IEnvStore& Store() {
    static std::unique_ptr<CZL5EnvStore> store = [] {
        SetDllDirectoryA(HomeFile("system").c_str());
        return std::make_unique<CZL5EnvStore>();
    }();
    return *store;
}

StoreScope::~StoreScope() {
    for (const auto& saved : m_saved)
        Store().WriteText(saved.first.c_str(), saved.second.first ? saved.second.second.c_str() : "");
}

void StoreScope::Set(const std::string& name, const std::string& text) {
    if (!m_saved.count(name)) {
        char buffer[4096] = {};
        const bool had = Store().ReadText(name.c_str(), buffer, sizeof buffer) != 0;
        m_saved[name] = {had, buffer};
    }
    Store().WriteText(name.c_str(), text.c_str());
}

namespace {
std::map<UINT, int> g_received;
}

BroadcastListener::BroadcastListener() {
    g_received.clear();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZelvaneE2eListener";
    RegisterClassA(&wc);
    // Broadcasts reach top-level windows only, hidden ones included.
    m_window = CreateWindowA(wc.lpszClassName, "listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

BroadcastListener::~BroadcastListener() { DestroyWindow(m_window); }

LRESULT CALLBACK BroadcastListener::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0xC000 && message <= 0xFFFF)
        ++g_received[message];
    return DefWindowProcA(window, message, wParam, lParam);
}

int BroadcastListener::Count(const char* registeredMessage) const {
    auto it = g_received.find(RegisterWindowMessageA(registeredMessage));
    return it == g_received.end() ? 0 : it->second;
}

void Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

ChildProcess::~ChildProcess() {
    if (m_info.hProcess) {
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
            Kill();
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
}

bool ChildProcess::Start(const std::string& exe, const std::string& arguments) {
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &m_info) != 0;
}

bool ChildProcess::WaitExit(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0) {
            Pump(50); // let the broadcasts it posted arrive
            return true;
        }
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return false;
        Pump(20);
    }
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void ChildProcess::Kill() {
    TerminateProcess(m_info.hProcess, 99);
    WaitForSingleObject(m_info.hProcess, 5000);
}

namespace {
struct WindowQuery {
    DWORD pid;
    std::string className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    auto* q = reinterpret_cast<WindowQuery*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != q->pid || (q->visibleOnly && !IsWindowVisible(window)))
        return TRUE;
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (q->className.empty() || q->className == name)
        q->found.push_back(window);
    return TRUE;
}
} // namespace

std::vector<HWND> WindowsOf(DWORD pid, const std::string& className, bool visibleOnly) {
    WindowQuery q{pid, className, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND WaitForWindow(DWORD pid, const std::string& className, DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        auto windows = WindowsOf(pid, className);
        if (!windows.empty())
            return windows.front();
        Pump(50);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
    return nullptr;
}

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string MessageBoxText(HWND box) {
    char text[4096] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the message's static control
    return text;
}

RemoteListView::RemoteListView(HWND list, DWORD pid)
    : m_list(list), m_process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {
    if (m_process)
        m_remote = static_cast<char*>(VirtualAllocEx(m_process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
}

RemoteListView::~RemoteListView() {
    if (m_remote)
        VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process)
        CloseHandle(m_process);
}

int RemoteListView::Count() const { return static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }

std::string RemoteListView::Text(int row, int column) const {
    if (!m_remote)
        return {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = m_remote + sizeof item;
    item.cchTextMax = 1024;
    WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote));
    char text[1025] = {};
    ReadProcessMemory(m_process, m_remote + sizeof item, text, 1024, nullptr);
    return text;
}

std::vector<std::string> RemoteListView::Rows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < Count(); ++i)
        rows.push_back(Text(i, 0));
    return rows;
}

void RemoteListView::Select(int row) const {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote));
}

namespace {
struct ControlQuery {
    int id;
    HWND found;
};
BOOL CALLBACK FindById(HWND window, LPARAM lParam) {
    auto* q = reinterpret_cast<ControlQuery*>(lParam);
    if (GetDlgCtrlID(window) == q->id) {
        q->found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND FindControl(HWND parent, int id) {
    ControlQuery q{id, nullptr};
    EnumChildWindows(parent, FindById, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

EnvScope::EnvScope(const char* name, const std::string& value) : m_name(name) {
    char old[4096] = {};
    m_had = GetEnvironmentVariableA(name, old, sizeof old) != 0;
    m_old = old;
    SetEnvironmentVariableA(name, value.c_str());
}

EnvScope::~EnvScope() { SetEnvironmentVariableA(m_name.c_str(), m_had ? m_old.c_str() : nullptr); }

bool WaitForWriterToEnd(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "ZL5_BUILD_WRITER");
        if (!mutex)
            return true;
        CloseHandle(mutex);
        Pump(50);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
    return false;
}

bool WaitForWriterReport(const std::string& reportPath, DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (GetFileAttributesA(reportPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return false;
        Pump(50);
    }
    return WaitForWriterToEnd(milliseconds);
}

ToolResult RunTool(const std::string& exe, const std::string& arguments, DWORD milliseconds) {
    ToolResult result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string commandLine = "\"" + exe + "\" " + arguments;
    PROCESS_INFORMATION pi = {};
    const bool started = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &si, &pi) != 0;
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n)
            result.output.append(buffer, n);
        WaitForSingleObject(pi.hProcess, milliseconds);
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(readEnd);
    return result;
}

std::map<std::string, std::string> JournalledJob(const std::string& journalPath) {
    const auto lines = ReadLines(journalPath);
    size_t start = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == "T\tZLXBuildDataReady\t0")
            start = i + 1;
    std::map<std::string, std::string> job;
    for (size_t i = start; i < lines.size(); ++i) {
        const size_t a = lines[i].find('\t'), b = lines[i].find('\t', a + 1);
        if (a == std::string::npos || b == std::string::npos)
            continue;
        job[lines[i].substr(a + 1, b - a - 1)] = lines[i].substr(b + 1);
    }
    return job;
}

} // namespace e2e
