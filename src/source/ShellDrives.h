#pragma once
#include <string>

// The shell's view of drive roots.
class IShellDrives {
public:
    virtual ~IShellDrives() = default;
    virtual bool DisplayName(char letter, std::string& name) = 0;
};
