#include "writer/QuickCopyWriter.h"

#include "app/QuickCopyRecord.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {
// The most files one label can have; beyond that something is wrong with the folder.
constexpr int kMaxAttempts = 999;

std::string Text(const CEnvLibrary& env, const char* name) {
    std::string text;
    return env.ReadText(name, text) ? text : std::string();
}

long Number(const CEnvLibrary& env, const char* name) {
    return std::strtol(Text(env, name).c_str(), nullptr, 10);
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder that holds files named "<prefix>NAME", with all missing parents.
bool CreateFolderOf(const std::string& prefix) {
    const size_t end = prefix.find_last_of("\\/");
    if (end == std::string::npos)
        return true; // the current folder
    const std::string folder = prefix.substr(0, end + 1);
    for (size_t at = folder.find_first_of("\\/"); at != std::string::npos;
         at = folder.find_first_of("\\/", at + 1)) {
        const std::string part = folder.substr(0, at);
        // Drive roots ("C:") need no creating; a network path's server part cannot be
        // created, which is harmless: only whether the whole folder exists counts.
        if (part.empty() || part.back() == ':' || IsFolder(part))
            continue;
        CreateDirectoryA(part.c_str(), nullptr);
    }
    return IsFolder(folder);
}

QuickCopyRecord RecordFromJob(const CEnvLibrary& env) {
    QuickCopyOptions options;
    options.fastRead = Number(env, "ZlxBuildFastReadMethod") == 1;
    options.dynamicErrorHandling = Number(env, "ZlxBuildDynamicErrorHandling") == 1;
    options.raw = Number(env, "ZlxBuildSectorSize") == 2352;
    options.subChannel = Number(env, "ZlxBuildReadSZQ") == 1;
    options.audioAsData = Number(env, "ZlxBuildAudioRecordMode") == 2;

    QuickCopyRecord record;
    record.flags = EncodeQuickCopyFlags(options);
    record.skipRange = static_cast<uint32_t>(Number(env, "ZlxBuildSkipRange"));
    record.cdType = static_cast<uint16_t>(Number(env, "ZlxBuildCDType"));
    record.label = Text(env, "ZLXBuildZLXLabel");
    record.description = Text(env, "ZlxBuildDescription");
    record.imageFile = Text(env, "ZLXBuildDestinationFile");
    return record;
}

// Creates the file only when no file of that name exists, so two writers (or a file that
// appears meanwhile) never overwrite each other.
enum class Created { Ok, Exists, Failed };
Created WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Created::Exists
                                                                           : Created::Failed;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (ok && written == bytes.size())
        return Created::Ok;
    DeleteFileA(path.c_str());
    return Created::Failed;
}
} // namespace

QuickCopyWriteResult WriteQuickCopyFile(const CEnvLibrary& env, const CRegistryStore& registry) {
    QuickCopyWriteResult result;
    result.requested = Text(env, "ZlxBuildWriteZQCFile") == "1";
    if (!result.requested)
        return result;

    // The folder is a prefix, as the wizard uses it when it looks for the files.
    const std::string folder = Text(env, "ZlxZQCPath");
    if (folder.empty()) {
        result.problem = "no Quick Copy folder (ZlxZQCPath)";
        return result;
    }
    // Without the disc's table of contents the file could never match a disc again.
    std::string toc;
    if (!registry.ReadBinary("ZlxBuildTOC", toc) || toc.size() != kQuickCopyTocSize) {
        result.problem = "the job has no table of contents";
        return result;
    }
    QuickCopyRecord record = RecordFromJob(env);
    env.ReadBinary("ZlxBuildTOC", record.toc.data(), static_cast<int>(record.toc.size()));

    if (!CreateFolderOf(folder)) {
        result.problem = "cannot create the folder " + folder;
        return result;
    }
    const std::vector<uint8_t> bytes = BuildQuickCopyRecord(record);
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const std::string path = folder + QuickCopyFileName(record.label, attempt);
        switch (WriteNewFile(path, bytes)) {
        case Created::Ok:
            result.written = true;
            result.path = path;
            return result;
        case Created::Exists:
            continue;
        case Created::Failed:
            result.problem = "cannot write " + path;
            return result;
        }
    }
    result.problem = "too many Quick Copy files for this label in " + folder;
    return result;
}

std::string QuickCopyReportLine(const QuickCopyWriteResult& result) {
    if (!result.requested)
        return {};
    return "QuickCopyFile=" + (result.written ? result.path : "not written: " + result.problem) +
           "\r\n";
}
