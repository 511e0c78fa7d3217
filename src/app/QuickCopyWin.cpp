#include "app/QuickCopyWin.h"

#include <windows.h>

#include <algorithm>
#include <climits>

std::vector<std::string> CWinQuickCopyFiles::List(const std::string& pattern) {
    std::vector<std::string> names;
    // A folder on a drive without a medium must not make the system ask the user.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(entry.cFileName);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    SetErrorMode(oldMode);
    return names;
}

long CWinQuickCopyFiles::Read(const std::string& path, uint8_t* buffer, size_t size,
                              bool exclusive) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, exclusive ? 0 : FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    // Until the buffer is full or the file ends: one read may return less than asked.
    size_t total = 0;
    while (total < size) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size - total, 1u << 20));
        if (!ReadFile(file, buffer + total, want, &got, nullptr)) {
            CloseHandle(file);
            return -1;
        }
        if (got == 0)
            break;
        total += got;
    }
    CloseHandle(file);
    return static_cast<long>(std::min<size_t>(total, LONG_MAX));
}

bool CWinQuickCopyFiles::Delete(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}
