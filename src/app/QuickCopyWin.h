#pragma once
// The Quick Copy folder through the system's file calls.
#include "app/QuickCopy.h"

class CWinQuickCopyFiles : public IQuickCopyFiles {
public:
    std::vector<std::string> List(const std::string& pattern) override;
    long Read(const std::string& path, uint8_t* buffer, size_t size, bool exclusive) override;
    bool Delete(const std::string& path) override;
};
