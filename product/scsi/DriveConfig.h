#pragma once
// One emulated drive's configuration as named text values (the registry holds them one
// value each): the disc image in it, its profile with optional overrides, whether it is one
// of the product's virtual drives or an analog-audio drive, and sectors that fail to read.
#include "disc/DiscImage.h"
#include "scsi/DriveProfile.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Value names compare case-blind, as registry value names do; keys are kept in lower case.
using ConfigValues = std::map<std::string, std::string>;

struct SectorRange {
    uint32_t first = 0;
    uint32_t last = 0; // inclusive
};

struct DriveConfig {
    std::string image; // empty: no disc in the drive
    MediaHint media = MediaHint::Auto;
    std::string profile = kDefaultProfile;
    bool isVirtual = false;
    bool analog = false;
    std::vector<SectorRange> badSectors;
    uint32_t changes = 0;   // counts media changes, so re-inserting one image is a change too
    ConfigValues overrides; // vendor, product, revision, commands, maxspeed, speedsteps,...

    bool operator==(const DriveConfig& o) const;
    bool operator!=(const DriveConfig& o) const { return !(*this == o); }
};

// Unknown names are kept as overrides only when they name a profile field. False with a
// message for a value that cannot be understood.
bool ParseDriveConfig(const ConfigValues& values, DriveConfig& config, std::string& error);
ConfigValues FormatDriveConfig(const DriveConfig& config);

// The named profile with this drive's overrides applied; an unknown profile name falls back
// to the default one.
DriveProfile EffectiveProfile(const DriveConfig& config);

// "100-199,5000" ; false for malformed text.
bool ParseSectorRanges(const std::string& text, std::vector<SectorRange>& ranges);
std::string FormatSectorRanges(const std::vector<SectorRange>& ranges);

std::string MediaHintName(MediaHint hint);
bool ParseMediaHint(const std::string& text, MediaHint& hint);
