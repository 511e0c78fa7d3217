#pragma once
// Drives the installed product from outside: starts its programs, watches their windows
// and the broadcasts they post, and prepares the settings store they share.
#include "settings/ZL5EnvStore.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

// The product's home folder (ending with a backslash) and a file below it.
std::string Home();
std::string HomeFile(const std::string& relative);

// The installed settings store, loaded from the home folder.
IEnvStore& Store();

// Sets store values for one test and puts the previous ones back afterwards.
class StoreScope {
public:
    ~StoreScope();
    void Set(const std::string& name, const std::string& text);
    void Clear(const std::string& name) { Set(name, ""); }

private:
    std::map<std::string, std::pair<bool, std::string>> m_saved;
};

// A hidden top-level window that counts the registered messages it receives.
class BroadcastListener {
public:
    BroadcastListener();
    ~BroadcastListener();
    int Count(const char* registeredMessage) const;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_window = nullptr;
};

// Pumps this thread's messages for a while (so broadcasts reach the listener).
void Pump(DWORD milliseconds);

class ChildProcess {
public:
    ~ChildProcess();
    bool Start(const std::string& exe, const std::string& arguments = {});
    // Pumps messages while waiting; true when the process ended in time.
    bool WaitExit(DWORD milliseconds);
    DWORD ExitCode() const;
    DWORD Pid() const { return m_info.dwProcessId; }
    void Kill();

private:
    PROCESS_INFORMATION m_info = {};
};

// Top-level windows of a process; `className` filters when not empty.
std::vector<HWND> WindowsOf(DWORD pid, const std::string& className = {}, bool visibleOnly = true);
// Waits (pumping) for a top-level window of the process with that class.
HWND WaitForWindow(DWORD pid, const std::string& className, DWORD milliseconds);
std::string WindowText(HWND window);
// The text of a message box.
std::string MessageBoxText(HWND box);

// A report-view list in another process (its item memory lives over there).
class RemoteListView {
public:
    RemoteListView(HWND list, DWORD pid);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;
    int Count() const;
    std::string Text(int row, int column) const;
    std::vector<std::string> Rows() const; // column 0 of every row
    void Select(int row) const;            // selected and focused

private:
    HWND m_list;
    HANDLE m_process = nullptr;
    char* m_remote = nullptr;
};

// The first descendant window with this control id.
HWND FindControl(HWND parent, int id);

// Lines of a text file (CR and LF stripped).
std::vector<std::string> ReadLines(const std::string& path);

// Sets an environment variable for this process and the programs it starts; restores it.
class EnvScope {
public:
    EnvScope(const char* name, const std::string& value);
    ~EnvScope();

private:
    std::string m_name;
    std::string m_old;
    bool m_had = false;
};

// Waits until no writer program holds its lock.
bool WaitForWriterToEnd(DWORD milliseconds);
// The writer is started asynchronously: waits for its report, then for it to end.
bool WaitForWriterReport(const std::string& reportPath, DWORD milliseconds);

// Runs a program to its end; its standard output and error together.
struct ToolResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};
ToolResult RunTool(const std::string& exe, const std::string& arguments, DWORD milliseconds = 30000);

// Values of a job the store journalled, by name (text, or hex for binary values), from the
// last time the job was marked not ready.
std::map<std::string, std::string> JournalledJob(const std::string& journalPath);

} // namespace e2e
