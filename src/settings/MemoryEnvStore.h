#pragma once
// In-memory settings store for tests: the store's exact read/write rules plus a journal
// of every write in call order (the same line format the store library journals).
#include "settings/EnvStore.h"

#include <map>
#include <string>
#include <vector>

class CMemoryEnvStore : public IEnvStore {
public:
    int ReadText(const char* name, char* buffer, int size) override;
    void WriteText(const char* name, const char* text) override;
    void WriteBinary(const char* name, const void* data, int count) override;
    void ReadBinary(const char* name, void* buffer, int count) override;

    void Set(const std::string& name, const std::string& text) { m_values[name] = text; }
    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    std::string Get(const std::string& name) const;
    const std::vector<std::string>& Journal() const { return m_journal; }
    // Names written, in call order.
    std::vector<std::string> WrittenNames() const;
    void ClearJournal() { m_journal.clear(); }
    size_t ReadCount(const std::string& name) const;

private:
    std::map<std::string, std::string> m_values;
    std::vector<std::string> m_journal;
    std::map<std::string, size_t> m_reads;
};
