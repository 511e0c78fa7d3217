#pragma once
// Sector contents as a drive returns them: whole 2352-byte sectors made from the user data
// an image holds, the 2048 user bytes taken out of whole ones, and the Q sub-channel that a
// drive reports beside a sector.
#include "disc/DiscLayout.h"

#include <cstdint>

namespace SectorData {

constexpr uint32_t kRawSize = 2352;
constexpr uint32_t kUserSize = 2048;
constexpr uint32_t kQSize = 16;

// Mode 1 sector at `lba` around 2048 user bytes: sync, header, EDC and ECC.
void BuildMode1(int64_t lba, const uint8_t* user, uint8_t* raw);
// An empty sector of a generated gap in a track of that kind.
void BuildGap(int64_t lba, SectorKind kind, uint8_t* raw);
// The user data of a whole data sector; false for audio, Mode 2 Form 2 and unknown modes.
bool UserData(const uint8_t* raw, const uint8_t*& user);

// Formatted Q: control/ADR, track, index, relative time, zero, absolute time (all BCD),
// CRC-16 (CCITT, inverted, big-endian), four zero bytes. False outside every track.
bool BuildQ(const CDiscLayout& layout, int64_t lba, uint8_t* q);
uint16_t QCrc(const uint8_t* data, size_t count);

} // namespace SectorData
