#include "settings/RegistryWin.h"

#include <windows.h>

namespace {
HKEY RootKey(RegRoot root) {
    return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}
} // namespace

bool CWinRegistry::WriteStrings(RegRoot root, const std::string& key, const RegStrings& values) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(RootKey(root), key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    for (const auto& v : values)
        RegSetValueExA(handle, v.first.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(v.second.c_str()),
                       static_cast<DWORD>(v.second.size() + 1));
    RegCloseKey(handle);
    return true;
}

bool CWinRegistry::ReadString(RegRoot root, const std::string& key, const std::string& name,
                              std::string& value) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    char buffer[1024];
    DWORD type = 0, size = sizeof buffer - 1;
    const bool ok = RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
                    type == REG_SZ;
    RegCloseKey(handle);
    if (!ok)
        return false;
    buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
    value = buffer;
    return true;
}
