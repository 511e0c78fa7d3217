#pragma once
// Drives the installed product from outside: starts its programs, watches their windows
// and the broadcasts they post, and prepares the settings store they share.
#include "../win/TestProcess.h"
#include "settings/ZL5EnvStore.h"

#include <commctrl.h>
#include <functional>
#include <map>
#include <vector>

namespace e2e {

// The product's home folder (ending with a backslash) and a file below it.
std::string Home();
std::string HomeFile(const std::string& relative);
// A path in the temporary folder where no file is yet.
std::string TempFile(const char* name);

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

// Sets an environment variable for this process and the programs it starts; restores it.
class EnvScope {
public:
    EnvScope(const char* name, const std::string& value);
    ~EnvScope() { SetEnvironmentVariableA(m_name.c_str(), m_had ? m_old.c_str() : nullptr); }

private:
    std::string m_name, m_old;
    bool m_had = false;
};

// Drives of one test, below a key of their own that the wizard, the writer and the drive
// tool all use; the key is empty at the start and removed at the end.
class PrivateDrives {
public:
    PrivateDrives();
    ~PrivateDrives();
    PrivateDrives(const PrivateDrives&) = delete;
    PrivateDrives& operator=(const PrivateDrives&) = delete;

    // The letters are those the sample discs are mapped to, so the shell shows their files.
    void Insert(char letter, const std::string& sample,
                const std::string& options = "--profile modern");
    void Eject(char letter) { Tool("eject " + std::string(1, letter) + ":"); }
    void AddEmpty(char letter) { Tool("add " + std::string(1, letter) + ":"); }
    void AddVirtual(char letter) { Tool("add " + std::string(1, letter) + ": --virtual"); }

private:
    static void Tool(const std::string& arguments);
    EnvScope m_key;
};

// A hidden top-level window that counts the registered messages it receives.
class BroadcastListener {
public:
    BroadcastListener();
    ~BroadcastListener() { DestroyWindow(m_window); }
    int Count(const char* registeredMessage) const;

private:
    HWND m_window = nullptr;
};

// Handles this thread's messages (so broadcasts reach the listener) until the condition
// holds or the time is up; whether it held.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds);
inline void Pump(DWORD milliseconds) {
    WaitFor([] { return false; }, milliseconds);
}

class ChildProcess {
public:
    ~ChildProcess();
    bool Start(const std::string& exe);
    // Pumps messages while waiting; true when the process ended in time.
    bool WaitExit(DWORD milliseconds);
    DWORD Pid() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
};

// Top-level windows of a process; `className` filters when not empty.
std::vector<HWND> WindowsOf(DWORD pid, const std::string& className = {}, bool visibleOnly = true);
// Waits (pumping) for a top-level window of the process with that class that `accept`s.
HWND WaitForWindow(DWORD pid, const std::string& className, DWORD milliseconds,
                   const std::function<bool(HWND)>& accept = nullptr);
std::string WindowText(HWND window);
// The text of a message box.
std::string MessageBoxText(HWND box);
// The first descendant window with this control id.
HWND FindControl(HWND parent, int id);

// A report-view list in another process (its item memory lives over there).
class RemoteListView {
public:
    RemoteListView(HWND list, DWORD pid);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;
    int Count() const { return static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }
    std::string Text(int row, int column) const;
    std::vector<std::string> Rows() const; // column 0 of every row
    void Select(int row) const;            // selected and focused

private:
    HWND m_list;
    HANDLE m_process = nullptr;
    char* m_remote = nullptr;
};

// The wizard of another process: its current page, a control on it, a control's text
// (WM_GETTEXT is carried across processes, GetWindowText is not), and a list entry chosen
// as the user does (with the selection-change notice).
HWND CurrentPage(HWND sheet);
HWND PageControl(HWND sheet, int id);
std::string ControlText(HWND control);
void ChooseEntry(HWND sheet, int id, int index);
// Starts the installed wizard and waits for its sheet (not its work dialog or a message box).
HWND StartWizardSheet(ChildProcess& wizard, DWORD milliseconds = 30000);
// Removes a folder and everything below it (the writer makes a folder of each image).
void RemoveTree(const std::string& folder);
// A text as the store's journal writes it (backslashes doubled).
std::string Journalled(std::string text);
// Easy or Expert Copy Mode for the wizard the test starts, without ejecting discs after the
// build: the sample drives serve the tests that follow.
void UseCopyMode(StoreScope& store, bool expert);

// Lines of a text file (CR and LF stripped).
std::vector<std::string> ReadLines(const std::string& path);

// Waits until no writer program holds its lock.
bool WaitForWriterToEnd(DWORD milliseconds);
// The writer is started asynchronously: waits for its report, then for it to end.
bool WaitForWriterReport(const std::string& reportPath, DWORD milliseconds);

// Runs a program to its end.
inline testproc::ProcessResult RunTool(const std::string& exe, const std::string& arguments) {
    return testproc::RunProcess("\"" + exe + "\" " + arguments);
}

// The lines a store journalled for a job since it was last marked not ready, and the
// values among them by name (text, or hex for binary values).
std::vector<std::string> JournalledJobLines(const std::string& journalPath);
std::map<std::string, std::string> JournalledJob(const std::string& journalPath);

} // namespace e2e
