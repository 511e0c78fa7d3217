#pragma once
// The settings store as it sits in the registry: one key below the current user, text as
// REG_SZ, bytes as REG_BINARY. Every call opens and closes the key, so the programs that
// share the store always see each other's latest writes.
#include <string>
#include <vector>

constexpr const char* kStoreKeyPath = "Software\\Kestrelin\\Zelvane 5\\Store";

// The store's key: ZL5ENV_KEY names another key below the current user, so tests can work
// on a store of their own and leave the user's alone.
std::string StoreKeyPath();

struct StoreValue {
    std::string name;
    bool binary = false;
    std::string data; // the text, or the raw bytes of a binary value
};

class CRegistryStore {
public:
    explicit CRegistryStore(std::string keyPath = StoreKeyPath()) : m_keyPath(std::move(keyPath)) {}

    // False when the value is missing or is not text.
    bool ReadText(const char* name, std::string& text) const;
    // Writing "" removes the value: an empty text and a missing one mean the same to callers.
    bool WriteText(const char* name, const char* text) const;
    // False when the value is missing or is not binary.
    bool ReadBinary(const char* name, std::string& bytes) const;
    bool WriteBinary(const char* name, const void* data, size_t count) const;
    // Every text and binary value, sorted by name.
    std::vector<StoreValue> List() const;

private:
    bool Read(const char* name, unsigned long wantedType, std::string& data) const;

    std::string m_keyPath;
};
