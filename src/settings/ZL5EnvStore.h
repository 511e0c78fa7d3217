#pragma once
// The settings store through the product's ZL5Env.dll, resolved by ordinal.
#include "settings/EnvStore.h"

#include <windows.h>

class CZL5EnvStore : public IEnvStore {
public:
    CZL5EnvStore();
    ~CZL5EnvStore() override;
    CZL5EnvStore(const CZL5EnvStore&) = delete;
    CZL5EnvStore& operator=(const CZL5EnvStore&) = delete;

    // False when the library or one of its operations is missing.
    bool Loaded() const { return m_readText && m_writeText && m_readBinary && m_writeBinary; }

    int ReadText(const char* name, char* buffer, int size) override;
    void WriteText(const char* name, const char* text) override;
    void WriteBinary(const char* name, const void* data, int count) override;
    void ReadBinary(const char* name, void* buffer, int count) override;

private:
    HMODULE m_module = nullptr;
    int(__cdecl* m_readText)(const char*, char*, int) = nullptr;
    void(__cdecl* m_writeText)(const char*, const char*) = nullptr;
    void(__cdecl* m_writeBinary)(const char*, const void*, int) = nullptr;
    void(__cdecl* m_readBinary)(const char*, void*, int) = nullptr;
};
