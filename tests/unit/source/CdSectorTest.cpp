#include <gtest/gtest.h>

#include <vector>

#include "source/BlockTestData.h"
#include "source/CdSector.h"

namespace {

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x^2 + 1, bit by bit.
uint8_t GfMul(uint8_t a, uint8_t b) {
    unsigned r = 0;
    for (unsigned x = a; b; b >>= 1, x = (x << 1) ^ (x & 0x80 ? 0x11D : 0)) {
        r ^= (b & 1) ? x : 0;
    }
    return static_cast<uint8_t>(r);
}

// Codewords of one parity kind that fail sum(v) = 0 or sum(v[m] * a^(length-1-m)) = 0,
// walking the bytes the way drives do: `count` codewords starting `start` bytes apart (in
// pairs, for the two bytes of a word), stepping `step` bytes modulo `wrap`, the two parity
// bytes of codeword k at parity + k and parity + count + k.
int BadCodewords(const std::vector<uint8_t>& s, int count, int length, int start, int step,
                 int wrap, int parity) {
    int bad = 0;
    for (int k = 0; k < count; ++k) {
        uint8_t s0 = 0, s1 = 0;
        for (int m = 0, at = (k / 2) * start + k % 2; m < length; ++m, at = (at + step) % wrap) {
            const uint8_t v =
                m < length - 2 ? s[12 + at] : s[parity + k + (m - length + 2) * count];
            s0 ^= v;
            s1 = GfMul(s1, 2) ^ v;
        }
        bad += s0 != 0 || s1 != 0;
    }
    return bad;
}

int BadP(const std::vector<uint8_t>& s) {
    return BadCodewords(s, 86, 26, 2, 86, 2064, 2076);
}
int BadQ(const std::vector<uint8_t>& s) {
    return BadCodewords(s, 52, 45, 86, 88, 2236, 2248);
}

} // namespace

TEST(CdSector, EdcIsTheCdRomCrc) {
    EXPECT_EQ(CdSector::Edc(reinterpret_cast<const uint8_t*>("123456789"), 9), 0x6EC2EDC4u);
}

TEST(CdSector, Mode1Sector) {
    const auto user = BlockTestData::Random(2048, 1);
    std::vector<uint8_t> s(CdSector::kRawSize);
    CdSector::BuildMode1((12 * 60 + 34) * 75 + 56 - 150, user.data(), s.data()); // 12:34:56
    const std::vector<uint8_t> head = {0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                       0xFF, 0xFF, 0xFF, 0,    0x12, 0x34, 0x56, 1};
    EXPECT_EQ(std::vector<uint8_t>(s.begin(), s.begin() + 16), head);
    EXPECT_TRUE(std::equal(user.begin(), user.end(), s.begin() + 16));
    const uint32_t edc = CdSector::Edc(s.data(), 2064);
    EXPECT_EQ(s[2064] | s[2065] << 8 | s[2066] << 16 | uint32_t{s[2067]} << 24, edc);
    EXPECT_EQ(BadP(s), 0);
    EXPECT_EQ(BadQ(s), 0);
    // One changed byte breaks one P column and one Q diagonal.
    s[100] ^= 1;
    EXPECT_EQ(BadP(s), 1);
    EXPECT_EQ(BadQ(s), 1);
}
