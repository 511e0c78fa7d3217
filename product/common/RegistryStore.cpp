#include "common/RegistryStore.h"

#include "common/RegistryKey.h"

#include <algorithm>

std::string StoreKeyPath() {
    char key[512] = {};
    const DWORD n = GetEnvironmentVariableA("ZL5ENV_KEY", key, sizeof key);
    return n > 0 && n < sizeof key ? std::string(key) : std::string(kStoreKeyPath);
}

bool CRegistryStore::Read(const char* name, unsigned long wantedType, std::string& data) const {
    if (!name)
        return false;
    CRegistryKey key(HKEY_CURRENT_USER, m_keyPath, KEY_QUERY_VALUE, false);
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
    text = RegText(data.data(), data.size());
    return true;
}

bool CRegistryStore::ReadBinary(const char* name, std::string& bytes) const {
    return Read(name, REG_BINARY, bytes);
}

bool CRegistryStore::WriteText(const char* name, const char* text) const {
    if (!name || !text)
        return false;
    CRegistryKey key(HKEY_CURRENT_USER, m_keyPath, KEY_SET_VALUE, true);
    if (!key.Get())
        return false;
    if (!*text) {
        LONG rc = RegDeleteValueA(key.Get(), name);
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    return key.SetText(name, text) == ERROR_SUCCESS;
}

bool CRegistryStore::WriteBinary(const char* name, const void* data, size_t count) const {
    if (!name || (!data && count))
        return false;
    CRegistryKey key(HKEY_CURRENT_USER, m_keyPath, KEY_SET_VALUE, true);
    return key.Get() &&
           RegSetValueExA(key.Get(), name, 0, REG_BINARY, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(count)) == ERROR_SUCCESS;
}

std::vector<StoreValue> CRegistryStore::List() const {
    std::vector<StoreValue> values;
    CRegistryKey key(HKEY_CURRENT_USER, m_keyPath, KEY_QUERY_VALUE, false);
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
