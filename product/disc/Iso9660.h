#pragma once
// Just enough ISO 9660 to tell disc kinds apart: the volume descriptor at sector 16 of a
// session, its identifiers, and the folder names in the first two levels of the tree.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct IsoVolume {
    bool found = false;
    std::string standardId; // "CD001" for ISO 9660, "CD-I " for a CD-i disc label
    std::string systemId, volumeId, applicationId; // blanks trimmed
    std::vector<std::string> folders; // upper case, "MPEGAV", "VCD", "PHOTO_CD", "CDI/..."
    std::string systemArea;           // bytes of sectors 0-15 and the descriptor's application use

    bool HasFolder(const std::string& path) const;
    bool Mentions(const std::string& text) const; // in the identifiers or the system area
};

// Reads 2048 user bytes of a sector at a disc address.
using UserSectorReader = std::function<bool(int64_t lba, uint8_t* user)>;

// Looks at the session starting at `first`. Never fails: damaged structures end the walk.
IsoVolume ReadIsoVolume(const UserSectorReader& read, int64_t first);
