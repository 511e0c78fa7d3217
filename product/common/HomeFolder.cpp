#include "common/HomeFolder.h"

#include <vector>

namespace {
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Keeps everything up to and including the last separator before `end`.
std::string UpToSeparator(const std::string& path, size_t end) {
    while (end > 0 && !IsSeparator(path[end - 1]))
        --end;
    return path.substr(0, end);
}

const char kThisModuleMarker = 0;
} // namespace

std::string ModuleFilePath(HMODULE module) {
    // Paths may exceed MAX_PATH; grow until the name fits.
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<char> buffer(size);
        DWORD length = GetModuleFileNameA(module, buffer.data(), size);
        if (length == 0)
            return "";
        if (length < size)
            return std::string(buffer.data(), length);
        if (size >= 32768)
            return "";
    }
}

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       &kThisModuleMarker, &module);
    return module;
}

std::string FolderOf(const std::string& path) {
    return UpToSeparator(path, path.size());
}

std::string HomeFromSystemFile(const std::string& path) {
    std::string folder = FolderOf(path);
    if (folder.empty())
        return folder;
    std::string home = UpToSeparator(folder, folder.size() - 1);
    if (home.empty() || home.back() == ':')
        home = folder; // no folder above: the file's own folder is the best guess
    if (home.back() == '/')
        home.back() = '\\';
    return home;
}
