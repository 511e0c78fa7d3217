// zl5write: the product's writer. It takes the writer mutex, takes the build job from the
// store (and marks it taken, so a second start never builds it again), writes the Quick Copy
// file the job asks for, reads the disc into the .zl4 image (and sound files) with a
// progress window, writes the job report plus the result to <home>system\zl5write.log and
// shows it. Exit codes: 0 done, 1 no job ready, 2 store library or report file unusable,
// 3 another writer is running (it was asked to come forward), 4 the image could not be
// made, 5 cancelled (ZL5WRITE_CANCEL_AT cancels a quiet run part way, see below).
#include "common/EnvLibrary.h"
#include "common/HomeFolder.h"
#include "common/RegistryStore.h"
#include "settings/StoreJournal.h"
#include "writer/DriveReader.h"
#include "writer/ImageBuild.h"
#include "writer/JobReport.h"
#include "writer/PasswordHash.h"
#include "writer/ProgressWindow.h"
#include "writer/QuickCopyWriter.h"
#include "writer/ReportWindow.h"
#include "writer/WriterLock.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

// The image's folder, made with its parents when the job allows it.
bool PrepareFolder(const std::string& file, bool create) {
    size_t slash = file.find_last_of("\\/");
    if (slash == std::string::npos)
        return true;
    const std::string folder = file.substr(0, slash);
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!create || folder.size() < 3)
        return false;
    return PrepareFolder(folder, true) && CreateDirectoryA(folder.c_str(), nullptr) != 0;
}

// A quiet run has no Cancel button. ZL5WRITE_CANCEL_AT=N (1 to 100) cancels it as soon as
// N % of the sectors are read, just as a click on Cancel would, so that scripts and tests
// can see what a cancelled build leaves behind. 0: not set or not a percentage.
int CancelPercentage() {
    char value[8] = {};
    DWORD length = GetEnvironmentVariableA("ZL5WRITE_CANCEL_AT", value, sizeof(value));
    if (length == 0 || length >= sizeof(value))
        return 0;
    char* end = nullptr;
    const long percent = strtol(value, &end, 10);
    return *end == '\0' && percent >= 1 && percent <= 100 ? static_cast<int>(percent) : 0;
}

class CQuietProgress : public IBuildObserver {
public:
    explicit CQuietProgress(int cancelAt) : m_cancelAt(cancelAt) {}
    bool Progress(const BuildProgress& p) override {
        return m_cancelAt == 0 || p.doneSectors * 100 < uint64_t(m_cancelAt) * p.totalSectors;
    }

private:
    int m_cancelAt;
};

std::string ResultLines(const BuildOutcome& out) {
    const char* result = out.result == BuildResult::Done        ? "done"
                         : out.result == BuildResult::Cancelled ? "cancelled"
                                                                : "failed";
    std::string lines =
        std::string("ImageResult=") + result + "\r\nImageMessage=" + out.message + "\r\n";
    for (size_t i = 0; i < out.files.size(); ++i)
        lines += (i == 0 ? "ImageFile=" : "SoundFile=") + out.files[i] + "\r\n";
    if (out.result == BuildResult::Done)
        lines += "ImageBytes=" + std::to_string(out.imageBytes) + "\r\n";
    for (const std::string& source : out.sources)
        lines += "CompilationTrack=" + source + "\r\n";
    for (const zl4::Range& r : out.unreadable)
        lines +=
            "UnreadableRange=" + std::to_string(r.first) + "+" + std::to_string(r.count) + "\r\n";
    return lines;
}

// Reads the disc into the image as the job says. The job's values are in `values` as the
// report shows them (binary ones in hex).
BuildOutcome Build(HINSTANCE instance, const std::vector<JobValue>& values, bool quiet) {
    std::map<std::string, std::string> texts;
    std::string toc;
    for (const JobValue& v : values) {
        if (v.name == "ZlxBuildTOC")
            ParseHexBytes(v.shown, toc);
        else if (v.name.rfind("CDE", 0) == 0 && v.name.size() > 4 &&
                 v.name.compare(v.name.size() - 4, 4, "_TOC") == 0)
            ParseHexBytes(v.shown, texts[v.name]); // the compilation's tables as raw bytes
        else
            texts[v.name] = v.shown;
    }
    BuildOutcome out;
    BuildJob job;
    if (!ParseBuildJob(texts, toc, job, out.message))
        return out;
    zl4::PasswordHash hash;
    if (!job.password.empty() && !HashPassword(job.password, hash)) {
        out.message = "The password cannot be protected on this system; no image was made.";
        return out;
    }
    if (!PrepareFolder(job.destination, job.autoCreateFolder)) {
        out.message = "The image's folder does not exist: " + job.destination;
        return out;
    }
    // One reader per drive; a compilation may take several discs from the same drive only
    // if they are the same disc.
    std::vector<char> letters;
    if (job.sources.empty())
        letters.push_back(job.drive);
    for (const SourceDisc& disc : job.sources)
        letters.push_back(disc.drive);
    std::map<char, std::unique_ptr<CDriveReader>> drives;
    std::vector<IDiscReader*> readers;
    auto closeAll = [&](bool eject) {
        for (auto& d : drives)
            eject ? (void)d.second->Eject() : d.second->Close();
    };
    for (char letter : letters) {
        std::unique_ptr<CDriveReader>& drive = drives[letter];
        if (!drive) {
            drive = std::make_unique<CDriveReader>(letter, job.rawAudioType);
            if (!drive->Open()) {
                closeAll(false);
                out.message = std::string("No disc is ready in drive ") + letter + ":.";
                return out;
            }
        }
        readers.push_back(drive.get());
    }
    auto build = [&](IBuildObserver& observer) { return BuildImage(job, readers, observer, hash); };
    if (quiet) {
        CQuietProgress observer(CancelPercentage());
        out = build(observer);
    } else {
        const std::string name = job.label.empty() ? job.destination : job.label;
        out = CProgressWindow(name, (job.discType & 0xFF) == 32).Run(instance, build);
    }
    closeAll(out.result == BuildResult::Done && job.eject);
    return out;
}
// The wizard writes these only when they apply to its job, so a value left from an earlier
// job would pass for this one's: once taken, they leave the store with the job.
void ClearConditionalValues(CEnvLibrary& env, const std::vector<JobValue>& values) {
    static const char* const kConditional[] = {
        "ZlxBuildTrackOrder",      "ZlxBuildZLXType",          "ZlxBuildStartProgram",
        "ZlxBuildStartPath",       "ZlxBuildAutoInsertDrive",  "ZlxBuildHotkeyVirtualCode",
        "ZlxBuildHotkeyModifiers", "ZlxBuildInfoText",         "ZlxBuildAudioArtist",
        "ZlxBuildAudioRecord",     "ZlxBuildZQCFileName",      "ZlxBuildMaxReadSpeed",
        "ZlxBuildSelReadSpeed",    "ZlxBuildDynamicReadSpeed", "ZlxBuildRAWDataType",
        "ZlxBuildRAWAudioType"};
    for (const JobValue& v : values) {
        const bool trackName = v.name.rfind("ZlxBuildNameOfAudioTrack", 0) == 0;
        bool conditional = trackName;
        for (const char* name : kConditional)
            conditional |= v.name == name;
        if (conditional)
            env.WriteText(v.name.c_str(), "");
    }
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

    // Taken: a second start must not build this job again, and the password leaves the
    // store as soon as it is read (the image keeps only a salted hash of it).
    std::vector<JobValue> values = job.Read();
    // Without a table of contents the tracks come from the editor's hand-over; it stays in
    // the store, since it belongs to the editor.
    bool hasToc = false;
    for (const JobValue& v : values)
        hasToc |= v.name == "ZlxBuildTOC" && !v.shown.empty();
    if (!hasToc) {
        std::vector<JobValue> handover = job.ReadEditorHandover();
        values.insert(values.end(), handover.begin(), handover.end());
    }
    env.WriteText("ZLXBuildDataReady", "0");
    ClearConditionalValues(env, values);
    std::string password;
    for (JobValue& v : values) {
        if (v.name == "ZlxBuildPassword") {
            env.WriteText("ZlxBuildPassword", "");
            password = v.shown;
            v.shown = v.shown.empty() ? "" : "(set)";
        }
    }
    std::string report =
        FormatJobReport(values) + QuickCopyReportLine(WriteQuickCopyFile(env, registry));
    for (JobValue& v : values)
        if (v.name == "ZlxBuildPassword")
            v.shown = password;
    const BuildOutcome outcome = Build(instance, values, quiet);
    report += ResultLines(outcome);
    const int exitCode = outcome.result == BuildResult::Done        ? 0
                         : outcome.result == BuildResult::Cancelled ? 5
                                                                    : 4;
    const std::string reportPath = HomeFromSystemFile(exePath) + "system\\zl5write.log";
    if (!WriteReportFile(reportPath, report)) {
        Refuse(quiet, "Cannot write the job report (" + reportPath + ").");
        return 2;
    }
    if (quiet) {
        if (exitCode != 0)
            Refuse(true, outcome.message);
        return exitCode;
    }
    CReportWindow(report, toFront).Run(instance, show);
    return exitCode;
}
