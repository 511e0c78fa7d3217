#pragma once
// A disc's table of contents reduced to what identifies it, and the freedb disc ID made
// from it: digit sums of the track start seconds (with the 2-second lead-in), the playing
// time in seconds and the track count.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The raw table of contents is the 804-byte record the drive library fills.
constexpr size_t kRawTocSize = 804;
// Addresses on a CD are counted from the end of the 150-sector lead-in.
constexpr uint32_t kLeadInFrames = 150;
constexpr uint32_t kFramesPerSecond = 75;

struct DiscToc {
    int firstTrack = 1;
    std::vector<uint32_t> starts; // logical block address of each track, in track order
    std::vector<bool> data;       // the track's control nibble marks it as data
    uint32_t leadOut = 0;         // logical block address of the lead-out

    int TrackCount() const { return static_cast<int>(starts.size()); }
    // Whole seconds from the start of the disc's lead-in area, as freedb counts them.
    uint32_t LengthSeconds() const { return (leadOut + kLeadInFrames) / kFramesPerSecond; }
    bool operator==(const DiscToc& o) const {
        return firstTrack == o.firstTrack && starts == o.starts && leadOut == o.leadOut;
    }
};

// False for a record that cannot describe a disc: no tracks, more than 99, addresses that go
// back, a lead-out before the last track or beyond any disc.
bool ParseToc(const uint8_t* raw, size_t size, DiscToc& toc);

uint32_t FreedbDiscId(const DiscToc& toc);
// Eight lower-case hex digits, the form freedb names its entries with.
std::string DiscIdText(uint32_t id);
// Accepts exactly eight hex digits of either case.
bool ParseDiscIdText(const std::string& text, uint32_t& id);
