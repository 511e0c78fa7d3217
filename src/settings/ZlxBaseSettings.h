#pragma once
// Base of the settings records: they load at construction and write back only when
// something changed them.
#include "settings/EnvStore.h"
#include "settings/Registry.h"

// Where the records mirror their texts for the product's other programs.
constexpr const char* kSettingsKey = "Software\\Kestrelin\\Zelvane 5\\Settings";

class CZlxBaseSettings {
public:
    CZlxBaseSettings(IEnvStore& store, IRegistry& registry)
        : m_store(store), m_registry(registry) {}
    virtual ~CZlxBaseSettings() = default;
    CZlxBaseSettings(const CZlxBaseSettings&) = delete;
    CZlxBaseSettings& operator=(const CZlxBaseSettings&) = delete;

    virtual void Save() = 0;
    int m_modified = 0;

protected:
    // Writes each value to the store, then mirrors them into the registry key.
    void WriteAndMirror(const RegStrings& storeOrder, const RegStrings& mirrorOrder);
    IEnvStore& m_store;
    IRegistry& m_registry;
};

inline const char* OneZero(int flag) {
    return flag ? "1" : "0";
}
