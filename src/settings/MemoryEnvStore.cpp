#include "settings/MemoryEnvStore.h"

#include "settings/StoreJournal.h"

#include <algorithm>
#include <cstring>

int CMemoryEnvStore::ReadText(const char* name, char* buffer, int size) {
    ++m_reads[name];
    auto it = m_values.find(name);
    if (it == m_values.end() || size <= 0)
        return 0;
    size_t n = std::min(it->second.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, it->second.data(), n);
    buffer[n] = '\0';
    return 1;
}

void CMemoryEnvStore::WriteText(const char* name, const char* text) {
    m_journal.push_back(JournalTextLine(name, text));
    if (*text)
        m_values[name] = text;
    else
        m_values.erase(name);
}

void CMemoryEnvStore::WriteBinary(const char* name, const void* data, int count) {
    size_t n = count > 0 ? static_cast<size_t>(count) : 0;
    m_journal.push_back(JournalBinaryLine(name, data, n));
    m_values[name] = std::string(static_cast<const char*>(data), n);
}

void CMemoryEnvStore::ReadBinary(const char* name, void* buffer, int count) {
    ++m_reads[name];
    auto it = m_values.find(name);
    if (it == m_values.end() || count <= 0)
        return;
    std::memcpy(buffer, it->second.data(), std::min(it->second.size(), static_cast<size_t>(count)));
}

std::string CMemoryEnvStore::Get(const std::string& name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? std::string() : it->second;
}

std::vector<std::string> CMemoryEnvStore::WrittenNames() const {
    std::vector<std::string> names;
    for (const auto& line : m_journal) {
        size_t a = line.find('\t'), b = line.find('\t', a + 1);
        names.push_back(line.substr(a + 1, b - a - 1));
    }
    return names;
}

size_t CMemoryEnvStore::ReadCount(const std::string& name) const {
    auto it = m_reads.find(name);
    return it == m_reads.end() ? 0 : it->second;
}
