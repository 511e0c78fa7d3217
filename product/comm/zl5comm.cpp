// The product's common library: where the product lives and small file checks.
#include "zl5comm.h"

#include "comm/AnalogAudioDrives.h"
#include "common/HomeFolder.h"

#include <windows.h>

#include <cstring>

namespace {
// The library is installed in <home>\system\, so its own location names the home folder.
std::string InstallPath() {
    return HomeFromSystemFile(ModuleFilePath(ThisModule()));
}
} // namespace

ZL5COMM_API int ZLXGetInstallPath(char* buffer, int size) {
    std::string home = InstallPath();
    if (!buffer || size <= 0 || home.empty() || home.size() >= static_cast<size_t>(size))
        return 0;
    memcpy(buffer, home.c_str(), home.size() + 1);
    return 1;
}

ZL5COMM_API int ZLXCheckZLXPlay(void) {
    std::string home = InstallPath();
    if (home.empty())
        return 0;
    DWORD attributes = GetFileAttributesA((home + "system\\zl5play.exe").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ZL5COMM_API int ZLXCheckAccessFile(const char* path, unsigned long desiredAccess) {
    if (!path)
        return ERROR_INVALID_PARAMETER;
    // Windows refuses write access to a read-only file even to administrators, but not
    // every file system under the open call does (Wine run as root opens it), so the
    // attribute is checked here to give the same answer everywhere.
    const DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;
    DWORD attributes = GetFileAttributesA(path);
    if ((desiredAccess & kWriteAccess) && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_ACCESS_DENIED;
    HANDLE file = CreateFileA(path, desiredAccess, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    CloseHandle(file);
    return 0;
}

ZL5COMM_API int ZLXIsAnalogAudio(char letter) {
    const CAnalogAudioDrives drives; // not kept: the drive configuration may change
    return drives.IsAnalog(letter) ? 1 : 0;
}
