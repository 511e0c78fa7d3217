#pragma once
// Tells cheaply whether a registry key or anything below it has changed, so the library can
// pick up drive changes made by another program without reading the registry on every call.
#include <windows.h>

#include <string>

class CRegistryWatch {
public:
    explicit CRegistryWatch(std::string keyPath) : m_path(std::move(keyPath)) {}
    ~CRegistryWatch();
    CRegistryWatch(const CRegistryWatch&) = delete;
    CRegistryWatch& operator=(const CRegistryWatch&) = delete;

    // True the first time and whenever the key may have changed since the last call. When
    // the key cannot be watched (it does not exist yet, or access is denied) this answers
    // true at most once a second instead.
    bool Changed();

private:
    bool Arm();
    void Disarm();

    std::string m_path;
    HKEY m_key = nullptr;
    HANDLE m_event = nullptr;
    bool m_first = true;
    DWORD m_lastPoll = 0;
};
