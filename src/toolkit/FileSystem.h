#pragma once
// File-system helpers the pages and settings share.
#include <cstdint>
#include <string>

namespace FileSystem {
// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateFolderTree(const std::string& folder);
bool FileExists(const std::string& path);

// Switches the system's critical-error boxes ("insert a disk in drive A:") off for as
// long as it lives, so asking about an empty drive never stops on a message box.
class CriticalErrorBoxesOff {
public:
    CriticalErrorBoxesOff();
    ~CriticalErrorBoxesOff();
    CriticalErrorBoxesOff(const CriticalErrorBoxesOff&) = delete;
    CriticalErrorBoxesOff& operator=(const CriticalErrorBoxesOff&) = delete;

private:
    unsigned m_previous;
};

struct DiskSpace {
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0; // available to the calling user (quotas applied)
};
// Total and free bytes of the drive or share holding `root` ("C:\", "\\server\share\").
// Uses GetDiskFreeSpaceExA where the system has it, else GetDiskFreeSpaceA; false and
// zeros when neither answers.
bool QueryDiskSpace(const std::string& root, DiskSpace& space);
// The volume label of `root`; empty when there is none or it cannot be read.
std::string VolumeLabel(const std::string& root);
// True when a temporary file can be created in the folder and deleted again: the one
// test of write access that also catches write-protected media.
bool CanCreateTempFile(const std::string& folder);
} // namespace FileSystem
