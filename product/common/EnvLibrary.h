#pragma once
// The settings store library as the product's programs call it: loaded at run time and
// asked for its four operations by ordinal, the only way it exports them.
#include "zl5env_ordinals.h"

#include <windows.h>

#include <string>

class CEnvLibrary {
public:
    CEnvLibrary() = default;
    ~CEnvLibrary();
    CEnvLibrary(const CEnvLibrary&) = delete;
    CEnvLibrary& operator=(const CEnvLibrary&) = delete;

    // False when the library is missing or lacks one of the operations.
    bool Load(const std::string& path);

    // Reads through a buffer of `size` bytes, so a longer text arrives cut to size - 1.
    bool ReadText(const char* name, std::string& text, int size = kLongText) const;
    void WriteText(const char* name, const char* text) const { m_writeText(name, text); }
    void WriteBinary(const char* name, const void* data, int count) const {
        m_writeBinary(name, data, count);
    }
    void ReadBinary(const char* name, void* buffer, int count) const {
        m_readBinary(name, buffer, count);
    }

    static constexpr int kLongText = 65536;

private:
    void Unload();

    HMODULE m_module = nullptr;
    ZL5EnvWriteTextFn m_writeText = nullptr;
    ZL5EnvReadTextFn m_readText = nullptr;
    ZL5EnvWriteBinaryFn m_writeBinary = nullptr;
    ZL5EnvReadBinaryFn m_readBinary = nullptr;
};
