#include "scsi/DriveRegistry.h"

#include "common/RegistryKey.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
std::string KeyFromEnvironment() {
    char buffer[512] = {};
    const DWORD length = GetEnvironmentVariableA("ZL5_DRIVES_KEY", buffer, sizeof(buffer));
    return length > 0 && length < sizeof(buffer) ? std::string(buffer, length) : kDrivesKeyPath;
}

// Flags and counters are DWORDs so that they read naturally in a registry editor.
bool IsNumberValue(const std::string& name) {
    return name == "virtual" || name == "analog" || name == "changes";
}

// Names are compared case-blind but written the way people read them.
std::string DisplayName(const std::string& name) {
    static const char* const kNames[] = {
        "Image",  "Media",   "Profile",  "Virtual",  "Analog",   "BadSectors", "Changes",
        "Vendor", "Product", "Revision", "Commands", "MaxSpeed", "SpeedSteps", "ReportedSpeed"};
    for (const char* n : kNames)
        if (_stricmp(n, name.c_str()) == 0)
            return n;
    return name;
}
} // namespace

char NormalizeLetter(const std::string& text) {
    if (text.empty() || text.size() > 3 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return 0;
    if ((text.size() >= 2 && text[1] != ':') || (text.size() == 3 && text[2] != '\\'))
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
}

CDriveRegistry::CDriveRegistry() : m_keyPath(KeyFromEnvironment()) {}

std::string CDriveRegistry::DriveKey(char letter) const {
    return m_keyPath + "\\" + std::string(1, letter);
}

std::string CDriveRegistry::Letters() const {
    std::string letters;
    CRegistryKey key(HKEY_LOCAL_MACHINE, m_keyPath, KEY_ENUMERATE_SUB_KEYS, false);
    if (!key.Get())
        return letters;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const char letter = NormalizeLetter(std::string(name, length));
        if (letter && letters.find(letter) == std::string::npos)
            letters += letter;
    }
    std::string sorted;
    for (char c = 'A'; c <= 'Z'; ++c)
        if (letters.find(c) != std::string::npos)
            sorted += c;
    return sorted;
}

bool CDriveRegistry::Exists(char letter) const {
    CRegistryKey key(HKEY_LOCAL_MACHINE, DriveKey(letter), KEY_QUERY_VALUE, false);
    return key.Get() != nullptr;
}

bool CDriveRegistry::Read(char letter, ConfigValues& values) const {
    values.clear();
    CRegistryKey key(HKEY_LOCAL_MACHINE, DriveKey(letter), KEY_QUERY_VALUE, false);
    if (!key.Get())
        return false;
    std::vector<char> name(16384);
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key.Get(), i, name.data(), &nameLength, nullptr, &type, data.data(),
                          &dataLength) != ERROR_SUCCESS)
            break;
        std::string text;
        if (type == REG_DWORD && dataLength == sizeof(DWORD)) {
            DWORD v = 0;
            memcpy(&v, data.data(), sizeof(v));
            text = std::to_string(v);
        } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
            text = RegText(data.data(), dataLength);
        } else {
            continue;
        }
        std::string lower(name.data(), nameLength);
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        values[lower] = text;
    }
    return true;
}

// Values are changed in place, never by dropping the key first, so a reader in another
// process never sees the drive missing halfway through.
bool CDriveRegistry::Write(char letter, const ConfigValues& values) const {
    ConfigValues old;
    Read(letter, old);
    CRegistryKey key(HKEY_LOCAL_MACHINE, DriveKey(letter), KEY_SET_VALUE, true);
    if (!key.Get())
        return false;
    bool ok = true;
    for (const auto& v : old)
        if (!values.count(v.first))
            ok = RegDeleteValueA(key.Get(), v.first.c_str()) == ERROR_SUCCESS && ok;
    for (const auto& v : values) {
        LONG rc;
        if (IsNumberValue(v.first)) {
            const DWORD n = static_cast<DWORD>(strtoul(v.second.c_str(), nullptr, 10));
            rc = RegSetValueExA(key.Get(), DisplayName(v.first).c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&n), sizeof(n));
        } else {
            rc = key.SetText(DisplayName(v.first).c_str(), v.second);
        }
        ok = rc == ERROR_SUCCESS && ok;
    }
    return ok;
}

bool CDriveRegistry::Remove(char letter) const {
    const LONG rc = RegDeleteKeyA(HKEY_LOCAL_MACHINE, DriveKey(letter).c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}
