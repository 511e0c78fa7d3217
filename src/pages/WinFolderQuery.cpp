#include "pages/WinFolderQuery.h"

#include "toolkit/FileSystem.h"

#include <windows.h>

bool CWinFolderQuery::DirectoryExists(const std::string& path) {
    FileSystem::CriticalErrorBoxesOff quiet;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CWinFolderQuery::CurrentDirectory() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    std::string folder(buffer, length);
    // A drive's root comes back as "C:\"; the caller adds the separator itself.
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

bool CWinFolderQuery::FreeBytes(const std::string& path, uint64_t& bytes) {
    FileSystem::CriticalErrorBoxesOff quiet;
    FileSystem::DiskSpace space;
    if (!FileSystem::QueryDiskSpace(path, space))
        return false;
    bytes = space.freeBytes;
    return true;
}
