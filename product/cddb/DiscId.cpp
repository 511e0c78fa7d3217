#include "cddb/DiscId.h"

#include "settings/StoreJournal.h"

#include <cstdio>

namespace {
constexpr size_t kTocHeader = 4;
constexpr size_t kTocEntry = 8;
constexpr int kMaxTracks = 99;
// 100 minutes: longer than any CD, and small enough that no sum below can overflow.
constexpr uint32_t kLargestAddress = 100u * 60 * kFramesPerSecond;

uint32_t EntryAddress(const uint8_t* entry) {
    return uint32_t(entry[4]) << 24 | uint32_t(entry[5]) << 16 | uint32_t(entry[6]) << 8 | entry[7];
}

uint32_t DigitSum(uint32_t n) {
    uint32_t sum = 0;
    for (; n > 0; n /= 10)
        sum += n % 10;
    return sum;
}

} // namespace

bool ParseToc(const uint8_t* raw, size_t size, DiscToc& toc) {
    toc = DiscToc();
    if (!raw || size < kRawTocSize)
        return false;
    const int first = raw[2], last = raw[3];
    if (first < 1 || last < first || last > kMaxTracks)
        return false;
    const int count = last - first + 1;
    // The entry after the last track holds the lead-out; 99 tracks still leave room for it.
    for (int i = 0; i <= count; ++i) {
        const uint8_t* entry = raw + kTocHeader + kTocEntry * static_cast<size_t>(i);
        const uint32_t address = EntryAddress(entry);
        if (address > kLargestAddress)
            return false;
        if (i == count) {
            if (count > 0 && address <= toc.starts.back())
                return false;
            toc.leadOut = address;
            break;
        }
        if (!toc.starts.empty() && address < toc.starts.back())
            return false;
        toc.starts.push_back(address);
        toc.data.push_back((entry[1] & 0x04) != 0); // control is the low nibble
    }
    toc.firstTrack = first;
    return true;
}

uint32_t FreedbDiscId(const DiscToc& toc) {
    if (toc.starts.empty())
        return 0;
    uint32_t sum = 0;
    for (uint32_t start : toc.starts)
        sum += DigitSum((start + kLeadInFrames) / kFramesPerSecond);
    const uint32_t seconds =
        toc.LengthSeconds() - (toc.starts.front() + kLeadInFrames) / kFramesPerSecond;
    return (sum % 255) << 24 | seconds << 8 | static_cast<uint32_t>(toc.starts.size());
}

std::string DiscIdText(uint32_t id) {
    char text[9];
    std::snprintf(text, sizeof(text), "%08x", static_cast<unsigned>(id));
    return text;
}

bool ParseDiscIdText(const std::string& text, uint32_t& id) {
    std::string bytes;
    if (text.size() != 8 || !ParseHexBytes(text, bytes))
        return false;
    id = 0;
    for (char byte : bytes)
        id = id << 8 | static_cast<uint8_t>(byte);
    return true;
}
