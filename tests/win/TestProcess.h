#pragma once
// Runs one of the product's programs to its end and collects what it writes. This
// thread's messages are handled meanwhile, so what the program broadcasts reaches the
// test's windows.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace testproc {

// The test executable's folder, with its trailing backslash.
inline std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

inline std::string FileText(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

struct ProcessResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output; // standard output and error together, carriage returns left out
};

// `commandLine` starts with the program's quoted path.
inline ProcessResult RunProcess(std::string commandLine) {
    ProcessResult result;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    // Reads until the child ends, not until the pipe closes: a process the child causes
    // to start (Wine's desktop, say) may inherit the pipe and keep it open.
    for (DWORD deadline = GetTickCount() + 30000; started;) {
        const bool ended =
            MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        char chunk[4096];
        DWORD available = 0, got = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available &&
               ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got)
            for (DWORD i = 0; i < got; ++i)
                if (chunk[i] != '\r')
                    result.output += chunk[i];
        if (ended || GetTickCount() > deadline) {
            if (!ended)
                TerminateProcess(pi.hProcess, 99);
            GetExitCodeProcess(pi.hProcess, &result.exitCode);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            break;
        }
    }
    CloseHandle(readEnd);
    return result;
}

} // namespace testproc
