// zl5drive: configures the emulated drives of the drive access library.
#include "drive/DriveTool.h"
#include "drive/MediaAnnouncer.h"

#include <windows.h>

#include <vector>

namespace {
// Under Wine a path may be typed the Unix way; Wine's own export turns it into a DOS path.
std::string FromUnixPath(const std::string& path) {
    using ToDos = WCHAR*(CDECL*)(const char*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    if (!toDos)
        return path;
    WCHAR* wide = toDos(path.c_str());
    if (!wide)
        return path;
    char buffer[MAX_PATH * 4] = {};
    const int n =
        WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof(buffer), nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    return n > 0 ? std::string(buffer) : path;
}

std::string FullPath(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return FromUnixPath(path);
    char buffer[MAX_PATH * 4] = {};
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof(buffer), buffer, nullptr);
    return n > 0 && n < sizeof(buffer) ? std::string(buffer, n) : path;
}
} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CDriveRegistry registry;
    CDriveTool tool(
        registry, [](char letter, bool arrived) { CMediaAnnouncer::Announce(letter, arrived); },
        FullPath, stdout, stderr);
    return tool.Run(args);
}
