#pragma once
// An open registry key, closed however the caller leaves. Header-only so that the
// libraries which do not link the common code can still use it.
#include <windows.h>

#include <algorithm>
#include <string>

class CRegistryKey {
public:
    // Opens root\path, or creates it when `create` is set; Get() is null when that fails.
    CRegistryKey(HKEY root, const std::string& path, REGSAM access, bool create) {
        const LONG rc = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr,
                                                 &m_key, nullptr)
                               : RegOpenKeyExA(root, path.c_str(), 0, access, &m_key);
        if (rc != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~CRegistryKey() {
        if (m_key)
            RegCloseKey(m_key);
    }
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    HKEY Get() const { return m_key; }

    // Text is stored as REG_SZ with its terminating NUL.
    LONG SetText(const char* name, const std::string& text) const {
        return RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1));
    }

private:
    HKEY m_key = nullptr;
};

// A REG_SZ may or may not carry its terminating NUL; the text ends at the first one.
inline std::string RegText(const void* data, size_t size) {
    const char* text = static_cast<const char*>(data);
    return std::string(text, std::find(text, text + size, '\0'));
}
