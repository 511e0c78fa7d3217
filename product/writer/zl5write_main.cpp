// zl5write: the writer program as far as the wizard meets it. It takes the writer mutex,
// reads the build job from the store, writes the Quick Copy file the job asks for, writes
// the job report to <home>system\zl5write.log and shows it. Exit codes: 0 done, 1 no job
// ready, 2 store library or report file unusable, 3 another writer is running (it was
// asked to come forward).
#include "common/EnvLibrary.h"
#include "common/HomeFolder.h"
#include "common/RegistryStore.h"
#include "writer/JobReport.h"
#include "writer/QuickCopyWriter.h"
#include "writer/ReportWindow.h"
#include "writer/WriterLock.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {
const char kAppName[] = "Zelvane Image Writer";

// "/quiet" anywhere on the command line, or ZL5WRITE_QUIET=1: no window, no message box.
bool QuietRequested(const char* commandLine) {
    char value[4] = {};
    DWORD length = GetEnvironmentVariableA("ZL5WRITE_QUIET", value, sizeof(value));
    if (length == 1 && value[0] == '1')
        return true;
    std::string line = commandLine ? commandLine : "";
    size_t start = 0;
    while (start < line.size()) {
        size_t end = line.find_first_of(" \t", start);
        if (end == std::string::npos)
            end = line.size();
        if (_stricmp(line.substr(start, end - start).c_str(), "/quiet") == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// A quiet run reports on standard error only; it may have no console, so the handle is
// used as the parent passed it.
void Refuse(bool quiet, const std::string& message) {
    if (!quiet) {
        MessageBoxA(nullptr, message.c_str(), kAppName, MB_OK | MB_ICONSTOP);
        return;
    }
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err && err != INVALID_HANDLE_VALUE) {
        std::string line = "zl5write: " + message + "\r\n";
        DWORD written = 0;
        WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
}

bool WriteReportFile(const std::string& path, const std::string& report) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == report.size();
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    const bool quiet = QuietRequested(commandLine);
    const UINT toFront = RegisterWindowMessageA("WM_ZL5_IMAGE_WRITER_TO_FRONT");

    CWriterLock lock;
    if (!lock.Acquire()) {
        PostMessageA(HWND_BROADCAST, toFront, 0, 0);
        return 3;
    }

    const std::string exePath = ModuleFilePath(nullptr);
    const std::string libraryPath = FolderOf(exePath) + "ZL5Env.dll";
    CEnvLibrary env;
    if (!env.Load(libraryPath)) {
        Refuse(quiet, "Cannot load the settings store library (" + libraryPath + ").");
        return 2;
    }
    CRegistryStore registry;
    CJobReader job(env, registry);
    if (!job.IsReady()) {
        Refuse(quiet, "No image job is ready to be written.");
        return 1;
    }

    const std::string report =
        FormatJobReport(job.Read()) + QuickCopyReportLine(WriteQuickCopyFile(env, registry));
    const std::string reportPath = HomeFromSystemFile(exePath) + "system\\zl5write.log";
    if (!WriteReportFile(reportPath, report)) {
        Refuse(quiet, "Cannot write the job report (" + reportPath + ").");
        return 2;
    }
    if (quiet)
        return 0;
    return CReportWindow(report, toFront).Run(instance, show);
}
