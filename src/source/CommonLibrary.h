#pragma once
#include <string>

// The product's common library.
class ICommonLibrary {
public:
    virtual ~ICommonLibrary() = default;
    virtual int CheckZLXPlay() = 0;
    virtual bool GetInstallPath(std::string& path) = 0;
    // 5 when the file cannot be opened for writing because access is denied.
    virtual int CheckWriteAccess(const std::string& path) = 0;
    virtual int IsAnalogAudio(char letter) = 0;
};
