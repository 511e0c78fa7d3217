#pragma once
// The PC's own drives for the hard disk list.
#include "controls/HardDiscList.h"

class CWinDriveQuery : public IDriveQuery {
public:
    uint32_t LogicalDrives() override;
    DriveKind Kind(const std::string& root) override;
    bool Space(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) override;
    std::string VolumeLabel(const std::string& root) override;
    bool CanWrite(const std::string& root) override;
};
