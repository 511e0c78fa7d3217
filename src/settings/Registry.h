#pragma once
// String values below the current user's and the local machine's registry roots.
#include <map>
#include <string>
#include <utility>
#include <vector>

enum class RegRoot { CurrentUser, LocalMachine };

using RegStrings = std::vector<std::pair<std::string, std::string>>;

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens or creates the key with write access and writes the values in order.
    // False when the key cannot be opened (nothing written).
    virtual bool WriteStrings(RegRoot root, const std::string& key, const RegStrings& values) = 0;
    virtual bool ReadString(RegRoot root, const std::string& key, const std::string& name,
                            std::string& value) = 0;
};

// Registry for tests: keeps values and the order of the writes.
class CMemoryRegistry : public IRegistry {
public:
    bool WriteStrings(RegRoot root, const std::string& key, const RegStrings& values) override {
        if (m_locked)
            return false;
        for (const auto& v : values) {
            m_values[Path(root, key, v.first)] = v.second;
            m_writes.push_back(v.first);
        }
        return true;
    }
    bool ReadString(RegRoot root, const std::string& key, const std::string& name,
                    std::string& value) override {
        auto it = m_values.find(Path(root, key, name));
        if (it == m_values.end())
            return false;
        value = it->second;
        return true;
    }
    static std::string Path(RegRoot root, const std::string& key, const std::string& name) {
        return (root == RegRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + key + "\\" + name;
    }
    std::map<std::string, std::string> m_values;
    std::vector<std::string> m_writes;
    bool m_locked = false; // simulates a key that cannot be opened
};
