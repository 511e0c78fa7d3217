#include "common/RegistryStore.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {
// Closes the key however the caller leaves.
class CKey {
public:
    CKey(const std::string& path, bool write) {
        LONG rc = write
                      ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                        KEY_SET_VALUE, nullptr, &m_key, nullptr)
                      : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &m_key);
        if (rc != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~CKey() {
        if (m_key)
            RegCloseKey(m_key);
    }
    CKey(const CKey&) = delete;
    CKey& operator=(const CKey&) = delete;
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// A REG_SZ may or may not carry its terminating NUL; the text ends at the first one.
std::string TextOf(const std::string& data) {
    return std::string(data.c_str());
}
} // namespace

bool CRegistryStore::Read(const char* name, unsigned long wantedType, std::string& data) const {
    if (!name)
        return false;
    CKey key(m_keyPath, false);
    if (!key.Get())
        return false;
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size);
    // Another program may grow the value between the size query and the read.
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        if (type != wantedType)
            return false;
        data.assign(size, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key.Get(), name, nullptr, &type,
                              reinterpret_cast<BYTE*>(data.empty() ? nullptr : &data[0]), &got);
        if (rc == ERROR_SUCCESS && type == wantedType) {
            data.resize(got);
            return true;
        }
        size = got;
    }
    return false;
}

bool CRegistryStore::ReadText(const char* name, std::string& text) const {
    std::string data;
    if (!Read(name, REG_SZ, data))
        return false;
    text = TextOf(data);
    return true;
}

bool CRegistryStore::ReadBinary(const char* name, std::string& bytes) const {
    return Read(name, REG_BINARY, bytes);
}

bool CRegistryStore::WriteText(const char* name, const char* text) const {
    if (!name || !text)
        return false;
    CKey key(m_keyPath, true);
    if (!key.Get())
        return false;
    if (!*text) {
        LONG rc = RegDeleteValueA(key.Get(), name);
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    return RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(strlen(text) + 1)) == ERROR_SUCCESS;
}

bool CRegistryStore::WriteBinary(const char* name, const void* data, size_t count) const {
    if (!name || (!data && count))
        return false;
    CKey key(m_keyPath, true);
    return key.Get() &&
           RegSetValueExA(key.Get(), name, 0, REG_BINARY, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(count)) == ERROR_SUCCESS;
}

std::vector<StoreValue> CRegistryStore::List() const {
    std::vector<StoreValue> values;
    CKey key(m_keyPath, false);
    if (!key.Get())
        return values;
    // Value names are at most 16383 characters; the data is read by name afterwards so its
    // size never has to be guessed here.
    std::vector<char> name(16384);
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueA(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    std::sort(names.begin(), names.end());
    for (const auto& n : names) {
        StoreValue v;
        v.name = n;
        if (ReadText(n.c_str(), v.data))
            values.push_back(v);
        else if (ReadBinary(n.c_str(), v.data)) {
            v.binary = true;
            values.push_back(v);
        }
    }
    return values;
}
