#pragma once
#include "settings/Registry.h"

// String values in the system registry.
class CWinRegistry : public IRegistry {
public:
    bool WriteStrings(RegRoot root, const std::string& key, const RegStrings& values) override;
    bool ReadString(RegRoot root, const std::string& key, const std::string& name,
                    std::string& value) override;
};
