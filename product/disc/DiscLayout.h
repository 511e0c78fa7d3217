#pragma once
// Where every sector of a disc lies: tracks with their indexes, sessions with their lead-outs,
// and extents saying how each run of sectors is stored in the image files.
#include "disc/CueSheet.h"

#include <cstdint>
#include <string>
#include <vector>

// Between the lead-out of one session and the first track of the next lie the lead-out
// (6750 sectors), the next lead-in (4500) and the pregap (150), as on pressed CD Extra discs.
constexpr int64_t kSessionGap = 11400;

enum class SectorKind { Audio, Mode1, Mode2 };
enum class Storage { Synthetic, Cooked2048, Raw2352 };

struct Extent {
    int64_t firstLba = 0;
    int64_t count = 0;
    int file = -1; // image file; -1 for gaps the sheet asks to be generated
    uint64_t byteOffset = 0;
    Storage storage = Storage::Synthetic;
    SectorKind kind = SectorKind::Mode1;
};

struct LayoutTrack {
    int number = 1;
    int session = 1;
    SectorKind kind = SectorKind::Mode1;
    uint8_t control = 4;   // TOC/Q control nibble: 4 data, 8 four channels, 2 copy, 1 pre-emphasis
    int64_t pregapLba = 0; // first sector that belongs to the track (index 00)
    int64_t startLba = 0;  // index 01, the address in the table of contents
    int64_t endLba = 0;    // one past the last sector
    std::vector<int64_t> indexLbas; // by index number; [0] equals [1] without a pregap
    bool IsData() const { return kind != SectorKind::Audio; }
};

struct LayoutSession {
    int number = 1;
    int firstTrack = 1;
    int lastTrack = 1;
    int64_t firstLba = 0;   // its first track's index 01
    int64_t leadoutLba = 0; // one past its last sector
};

class CDiscLayout {
public:
    std::vector<LayoutTrack> tracks;
    std::vector<LayoutSession> sessions;
    std::vector<Extent> extents; // ordered by address, not overlapping
    bool dvd = false;

    int64_t LeadOut() const { return sessions.empty() ? 0 : sessions.back().leadoutLba; }
    const LayoutTrack* TrackAt(int64_t lba) const;
    const Extent* ExtentAt(int64_t lba) const;
    // Index number in effect at a sector of the track.
    int IndexAt(const LayoutTrack& track, int64_t lba) const;
};

// Lays out the sheet's tracks given the size of each of its files.
bool BuildCueLayout(const CueSheet& sheet, const std::vector<uint64_t>& fileSizes,
                    CDiscLayout& layout, std::string& error);
// One data track of 2048-byte sectors starting at address 0.
CDiscLayout BuildIsoLayout(int64_t sectors, bool dvd);
