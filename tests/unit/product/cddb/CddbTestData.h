#pragma once
// Tables of contents for the disc information tests, built the way a drive fills them.
#include "cddb/DiscId.h"

#include <cstdint>
#include <vector>

namespace cddbtest {

// Frame offsets as freedb lists them (lead-in included) and the lead-out's offset.
inline std::vector<uint8_t> RawToc(const std::vector<uint32_t>& offsets, uint32_t leadOutOffset,
                                   int firstTrack = 1, uint8_t dataMask = 0) {
    std::vector<uint8_t> raw(kRawTocSize, 0);
    const size_t count = offsets.size();
    raw[0] = static_cast<uint8_t>((2 + 8 * (count + 1)) >> 8);
    raw[1] = static_cast<uint8_t>(2 + 8 * (count + 1));
    raw[2] = static_cast<uint8_t>(firstTrack);
    raw[3] = static_cast<uint8_t>(firstTrack + static_cast<int>(count) - 1);
    for (size_t i = 0; i <= count; ++i) {
        uint8_t* e = &raw[4 + 8 * i];
        const uint32_t lba = (i < count ? offsets[i] : leadOutOffset) - kLeadInFrames;
        const bool data = i < count && (dataMask >> i & 1);
        e[1] = static_cast<uint8_t>(0x10 | (data ? 4 : 0));
        e[2] = static_cast<uint8_t>(i < count ? firstTrack + static_cast<int>(i) : 0xAA);
        for (int b = 0; b < 4; ++b)
            e[4 + b] = static_cast<uint8_t>(lba >> (24 - 8 * b));
    }
    return raw;
}

inline DiscToc Toc(const std::vector<uint32_t>& offsets, uint32_t leadOutOffset) {
    const std::vector<uint8_t> raw = RawToc(offsets, leadOutOffset);
    DiscToc toc;
    ParseToc(raw.data(), raw.size(), toc);
    return toc;
}

} // namespace cddbtest
