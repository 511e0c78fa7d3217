#pragma once
// Independent checks of whole CD data sectors, worked out bit by bit from the definitions of
// their codes rather than with the code that made them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace sectorcheck {

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x^2 + 1.
inline uint8_t GfMul(uint8_t a, uint8_t b) {
    unsigned r = 0;
    for (unsigned x = a; b; b >>= 1, x = (x << 1) ^ (x & 0x80 ? 0x11D : 0))
        r ^= (b & 1) ? x : 0;
    return static_cast<uint8_t>(r);
}

// Parity codewords of a sector, from its header on, that fail sum(v) = 0 or
// sum(v[m] * a^(n-1-m)) = 0: 43 P columns of 26 words, then 26 Q diagonals of 43 words and
// their two parity words; the two bytes of a word belong to codewords of their own.
inline int BadParityCodewords(const uint8_t* fromHeader) {
    int bad = 0;
    for (size_t plane = 0; plane < 2; ++plane)
        for (size_t k = 0; k < 43 + 26; ++k) {
            const bool p = k < 43;
            uint8_t s0 = 0, s1 = 0;
            for (size_t m = 0; m < (p ? 26u : 45u); ++m) {
                const size_t word = p        ? 43 * m + k
                                    : m < 43 ? (44 * m + 43 * (k - 43)) % 1118
                                             : 1118 + 26 * (m - 43) + (k - 43);
                const uint8_t v = fromHeader[2 * word + plane];
                s0 ^= v;
                s1 = static_cast<uint8_t>(GfMul(s1, 2) ^ v);
            }
            bad += s0 != 0 || s1 != 0;
        }
    return bad;
}

inline uint32_t EdcBitwise(const uint8_t* data, size_t count) {
    uint32_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ ((crc & 1) ? 0xD8018001u : 0u);
    }
    return crc;
}

// Sync, EDC and parity of a whole Mode 1 or Mode 2 Form 1 sector.
inline bool DataSectorChecksOut(const uint8_t* s) {
    static const uint8_t sync[12] = {0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    auto le32 = [](const uint8_t* p) {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    };
    if (memcmp(s, sync, sizeof(sync)) != 0)
        return false;
    if (s[15] == 1)
        return EdcBitwise(s, 2064) == le32(s + 2064) && BadParityCodewords(s + 12) == 0;
    if (s[15] != 2 || (s[18] & 0x20))
        return false;
    // Form 1 parity is computed as if the header were zero.
    std::vector<uint8_t> copy(s, s + 2352);
    memset(copy.data() + 12, 0, 4);
    return EdcBitwise(s + 16, 2056) == le32(s + 2072) && BadParityCodewords(copy.data() + 12) == 0;
}

} // namespace sectorcheck
