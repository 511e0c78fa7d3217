#include "common/EnvLibrary.h"

#include <vector>

namespace {
template <typename F> F Ordinal(HMODULE module, int ordinal) {
    FARPROC p = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(p));
}
} // namespace

CEnvLibrary::~CEnvLibrary() {
    Unload();
}

void CEnvLibrary::Unload() {
    if (m_module)
        FreeLibrary(m_module);
    m_module = nullptr;
    m_writeText = nullptr;
    m_readText = nullptr;
    m_writeBinary = nullptr;
    m_readBinary = nullptr;
}

bool CEnvLibrary::Load(const std::string& path) {
    Unload();
    m_module = LoadLibraryA(path.c_str());
    if (!m_module)
        return false;
    m_writeText = Ordinal<ZL5EnvWriteTextFn>(m_module, kZL5EnvWriteText);
    m_readText = Ordinal<ZL5EnvReadTextFn>(m_module, kZL5EnvReadText);
    m_writeBinary = Ordinal<ZL5EnvWriteBinaryFn>(m_module, kZL5EnvWriteBinary);
    m_readBinary = Ordinal<ZL5EnvReadBinaryFn>(m_module, kZL5EnvReadBinary);
    if (m_writeText && m_readText && m_writeBinary && m_readBinary)
        return true;
    Unload();
    return false;
}

bool CEnvLibrary::ReadText(const char* name, std::string& text, int size) const {
    if (size <= 0)
        return false;
    std::vector<char> buffer(static_cast<size_t>(size), '\0');
    if (!m_readText(name, buffer.data(), size))
        return false;
    buffer.back() = '\0';
    text = buffer.data();
    return true;
}
