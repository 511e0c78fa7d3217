#include "toolkit/FileSystem.h"

#include "toolkit/ResourceModule.h"

#include <windows.h>

namespace FileSystem {

bool CreateFolderTree(const std::string& folder) {
    std::string path = folder;
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    if (path.empty())
        return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t slash = path.find_last_of("\\/");
    // "C:" and "\\server\share" stop the walk up; the root must already exist.
    if (slash != std::string::npos && slash > 2)
        CreateFolderTree(path.substr(0, slash));
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CriticalErrorBoxesOff::CriticalErrorBoxesOff()
    : m_previous(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}

CriticalErrorBoxesOff::~CriticalErrorBoxesOff() {
    SetErrorMode(m_previous);
}

namespace {
using GetDiskFreeSpaceExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                           PULARGE_INTEGER);

// Looked up at run time: the first Windows 95 release has only GetDiskFreeSpaceA.
GetDiskFreeSpaceExFn DiskFreeSpaceEx() {
    HMODULE kernel = GetModuleHandleA("Kernel32.dll");
    return kernel ? ProcAs<GetDiskFreeSpaceExFn>(GetProcAddress(kernel, "GetDiskFreeSpaceExA"))
                  : nullptr;
}
} // namespace

bool QueryDiskSpace(const std::string& root, DiskSpace& space) {
    space = {};
    CriticalErrorBoxesOff quiet;
    if (GetDiskFreeSpaceExFn query = DiskFreeSpaceEx()) {
        ULARGE_INTEGER available, total, free;
        if (query(root.c_str(), &available, &total, &free)) {
            space.totalBytes = total.QuadPart;
            space.freeBytes = available.QuadPart;
            return true;
        }
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return false;
    const uint64_t cluster = uint64_t{sectorsPerCluster} * bytesPerSector;
    space.totalBytes = cluster * totalClusters;
    space.freeBytes = cluster * freeClusters;
    return true;
}

std::string VolumeLabel(const std::string& root) {
    CriticalErrorBoxesOff quiet;
    char label[256] = {};
    if (!GetVolumeInformationA(root.c_str(), label, 255, nullptr, nullptr, nullptr, nullptr, 0))
        return {};
    return label;
}

bool CanCreateTempFile(const std::string& folder) {
    CriticalErrorBoxesOff quiet;
    char path[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "zlx", 0, path))
        return false;
    return DeleteFileA(path) != 0;
}

} // namespace FileSystem
