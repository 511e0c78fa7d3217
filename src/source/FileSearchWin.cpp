#include "source/FileSearchWin.h"

#include <windows.h>

#include <cstring>

namespace {
bool IsDotEntry(const char* name) {
    return !std::strcmp(name, ".") || !std::strcmp(name, "..");
}

// Calls `visit` for every entry the pattern matches until it returns true; true when it did.
// Hidden and system entries count like any other: a disc's content is what it holds.
template <typename Visit> bool Search(const std::string& pattern, Visit visit) {
    // A drive without a medium would otherwise make the system ask the user.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
    bool stopped = false;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!IsDotEntry(entry.cFileName) && visit(entry)) {
                stopped = true;
                break;
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    SetErrorMode(oldMode);
    return stopped;
}

bool IsFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
} // namespace

bool CWinFileSearch::FindsFile(const std::string& pattern) {
    return Search(pattern, [](const WIN32_FIND_DATAA& entry) { return !IsFolder(entry); });
}

std::vector<std::string> CWinFileSearch::FolderNames(const std::string& pattern) {
    std::vector<std::string> names;
    Search(pattern, [&](const WIN32_FIND_DATAA& entry) {
        if (IsFolder(entry))
            names.push_back(entry.cFileName);
        return false;
    });
    return names;
}
