#include "settings/ZL5EnvStore.h"

#include "toolkit/ResourceModule.h"
#include "zl5env_ordinals.h"

namespace {
template <class F> void Resolve(HMODULE module, int ordinal, F& target) {
    target = ProcAs<F>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
}
} // namespace

CZL5EnvStore::CZL5EnvStore() : m_module(LoadLibraryA("ZL5Env.dll")) {
    if (!m_module)
        return;
    Resolve(m_module, kZL5EnvReadText, m_readText);
    Resolve(m_module, kZL5EnvWriteText, m_writeText);
    Resolve(m_module, kZL5EnvWriteBinary, m_writeBinary);
    Resolve(m_module, kZL5EnvReadBinary, m_readBinary);
}

CZL5EnvStore::~CZL5EnvStore() {
    if (m_module)
        FreeLibrary(m_module);
}

int CZL5EnvStore::ReadText(const char* name, char* buffer, int size) {
    return m_readText ? m_readText(name, buffer, size) : 0;
}

void CZL5EnvStore::WriteText(const char* name, const char* text) {
    if (m_writeText)
        m_writeText(name, text);
}

void CZL5EnvStore::WriteBinary(const char* name, const void* data, int count) {
    if (m_writeBinary)
        m_writeBinary(name, data, count);
}

void CZL5EnvStore::ReadBinary(const char* name, void* buffer, int count) {
    if (m_readBinary)
        m_readBinary(name, buffer, count);
}
