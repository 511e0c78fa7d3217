#include "E2eHarness.h"

#include "settings/Registry.h"
#include "settings/ZlxBuildSettings.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>
#include <memory>

namespace e2e {

std::string Home() {
    char buffer[MAX_PATH] = {};
    if (GetEnvironmentVariableA("ZL_HOME_WIN", buffer, sizeof buffer) && buffer[0])
        return buffer;
    return "C:\\Program Files\\Kestrelin\\Zelvane 5\\";
}

std::string HomeFile(const std::string& relative) {
    return Home() + relative;
}

std::string TempFile(const char* name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(sizeof dir, dir);
    const std::string path = std::string(dir) + name;
    DeleteFileA(path.c_str());
    return path;
}

IEnvStore& Store() {
    static std::unique_ptr<CZL5EnvStore> store = [] {
        SetDllDirectoryA(HomeFile("system").c_str());
        return std::make_unique<CZL5EnvStore>();
    }();
    return *store;
}

StoreScope::~StoreScope() {
    for (const auto& saved : m_saved)
        Store().WriteText(saved.first.c_str(),
                          saved.second.first ? saved.second.second.c_str() : "");
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

LRESULT CALLBACK CountRegisteredMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0xC000 && message <= 0xFFFF)
        ++g_received[message];
    return DefWindowProcA(window, message, wParam, lParam);
}
} // namespace

BroadcastListener::BroadcastListener() {
    g_received.clear();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountRegisteredMessages;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZelvaneE2eListener";
    RegisterClassA(&wc);
    // Broadcasts reach top-level windows only, hidden ones included.
    m_window = CreateWindowA(wc.lpszClassName, "listener", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                             nullptr, wc.hInstance, nullptr);
}

int BroadcastListener::Count(const char* registeredMessage) const {
    auto it = g_received.find(RegisterWindowMessageA(registeredMessage));
    return it == g_received.end() ? 0 : it->second;
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition())
            return true;
        if (static_cast<LONG>(end - GetTickCount()) <= 0)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

ChildProcess::~ChildProcess() {
    if (!m_info.hProcess)
        return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 99);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
}

bool ChildProcess::Start(const std::string& exe) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &m_info) != 0;
}

bool ChildProcess::WaitExit(DWORD milliseconds) {
    if (!WaitFor([&] { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; },
                 milliseconds))
        return false;
    Pump(50); // let the broadcasts it posted arrive
    return true;
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
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid == q->pid && (!q->visibleOnly || IsWindowVisible(window)) &&
        (q->className.empty() || q->className == name))
        q->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK FindById(HWND window, LPARAM lParam) {
    auto* q = reinterpret_cast<std::pair<int, HWND>*>(lParam);
    if (GetDlgCtrlID(window) != q->first)
        return TRUE;
    q->second = window;
    return FALSE;
}
} // namespace

std::vector<HWND> WindowsOf(DWORD pid, const std::string& className, bool visibleOnly) {
    WindowQuery q{pid, className, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND WaitForWindow(DWORD pid, const std::string& className, DWORD milliseconds,
                   const std::function<bool(HWND)>& accept) {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND w : WindowsOf(pid, className))
                if (!found && (!accept || accept(w)))
                    found = w;
            return found != nullptr;
        },
        milliseconds);
    return found;
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

HWND FindControl(HWND parent, int id) {
    std::pair<int, HWND> q{id, nullptr};
    EnumChildWindows(parent, FindById, reinterpret_cast<LPARAM>(&q));
    return q.second;
}

RemoteListView::RemoteListView(HWND list, DWORD pid)
    : m_list(list), m_process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                          FALSE, pid)) {
    if (m_process)
        m_remote = static_cast<char*>(
            VirtualAllocEx(m_process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
}

RemoteListView::~RemoteListView() {
    if (m_remote)
        VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process)
        CloseHandle(m_process);
}

std::string RemoteListView::Text(int row, int column) const {
    if (!m_remote)
        return {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = m_remote + sizeof item;
    item.cchTextMax = 1024;
    WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(m_remote));
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
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(m_remote));
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string line;
    for (std::istringstream in(testproc::FileText(path)); std::getline(in, line);) {
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

bool WaitForWriterToEnd(DWORD milliseconds) {
    return WaitFor(
        [] {
            HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "ZL5_BUILD_WRITER");
            if (mutex)
                CloseHandle(mutex);
            return mutex == nullptr;
        },
        milliseconds);
}

bool WaitForWriterReport(const std::string& reportPath, DWORD milliseconds) {
    return WaitFor(
               [&] { return GetFileAttributesA(reportPath.c_str()) != INVALID_FILE_ATTRIBUTES; },
               milliseconds) &&
           WaitForWriterToEnd(milliseconds);
}

std::vector<std::string> JournalledJobLines(const std::string& journalPath) {
    // The newest job: from the wizard's "not ready" mark to its "ready" one. The writer
    // marks the job taken ("not ready" again) once it has read it; that comes after.
    const auto lines = ReadLines(journalPath);
    const auto ready = std::find(lines.rbegin(), lines.rend(), "T\tZLXBuildDataReady\t1");
    if (ready == lines.rend())
        return {};
    const auto start = std::find(ready, lines.rend(), "T\tZLXBuildDataReady\t0");
    return start == lines.rend() ? std::vector<std::string>()
                                 : std::vector<std::string>(start.base(), ready.base());
}

std::map<std::string, std::string> JournalledJob(const std::string& journalPath) {
    std::map<std::string, std::string> job;
    for (const std::string& line : JournalledJobLines(journalPath)) {
        const size_t a = line.find('\t'), b = line.find('\t', a + 1);
        if (b != std::string::npos)
            job[line.substr(a + 1, b - a - 1)] = line.substr(b + 1);
    }
    return job;
}

namespace {
const char kDrivesKey[] = "Software\\Kestrelin\\Zelvane 5\\E2eDrives";
} // namespace

PrivateDrives::PrivateDrives() : m_key("ZL5_DRIVES_KEY", kDrivesKey) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kDrivesKey);
}

PrivateDrives::~PrivateDrives() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kDrivesKey);
}

void PrivateDrives::Insert(char letter, const std::string& sample, const std::string& options) {
    Tool("insert " + std::string(1, letter) + ": \"" + HomeFile("samples\\") + sample + "\" " +
         options);
}

void PrivateDrives::Tool(const std::string& arguments) {
    const auto result = RunTool(HomeFile("system\\zl5drive.exe"), arguments);
    ASSERT_EQ(result.exitCode, 0u) << arguments << ": " << result.output;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND PageControl(HWND sheet, int id) {
    HWND page = CurrentPage(sheet);
    return page ? GetDlgItem(page, id) : nullptr;
}

std::string ControlText(HWND control) {
    char text[512] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void ChooseEntry(HWND sheet, int id, int index) {
    HWND combo = PageControl(sheet, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(CurrentPage(sheet), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

HWND StartWizardSheet(ChildProcess& wizard, DWORD milliseconds) {
    if (!wizard.Start(HomeFile("system\\zl5build.exe")))
        return nullptr;
    return WaitForWindow(wizard.Pid(), "#32770", milliseconds, [](HWND w) {
        return WindowText(w) == "Zelvane - Image Writer" && !GetDlgItem(w, 0xFFFF);
    });
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string name = found.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileA(path.c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveDirectoryA(folder.c_str());
}

std::string Journalled(std::string text) {
    for (size_t i = 0; (i = text.find('\\', i)) != std::string::npos; i += 2)
        text.insert(i, 1, '\\');
    return text;
}

void UseCopyMode(StoreScope& store, bool expert) {
    CMemoryRegistry registry;
    CZlxBuildSettings settings(Store(), registry);
    settings.EasyCopyMode = expert ? 0 : 1;
    settings.EjectAfterBuild = 0;
    store.Set("ZlxBuildSettings", settings.Text());
}

} // namespace e2e
