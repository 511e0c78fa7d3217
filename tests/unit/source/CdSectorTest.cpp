#include <gtest/gtest.h>

#include <vector>

#include "source/BlockTestData.h"
#include "source/CdSector.h"

namespace {

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x^2 + 1, bit by bit.
uint8_t GfMul(uint8_t a, uint8_t b) {
    unsigned r = 0, x = a;
    for (; b; b >>= 1) {
        if (b & 1) {
            r ^= x;
        }
        x <<= 1;
        if (x & 0x100) {
            x ^= 0x11D;
        }
    }
    return static_cast<uint8_t>(r);
}

// Checks every codeword of one parity kind, walking the bytes the way drives do: `count`
// codewords of `length` symbols starting `start` bytes apart (in pairs for the two bytes of
// a word), each stepping `step` bytes and wrapping at `wrap`; the last two symbols are the
// parity bytes at `parity` and `parity + count`. A codeword is good when sum(v) = 0 and
// sum(v[m] * a^(length-1-m)) = 0.
int BadCodewords(const uint8_t* sector, int count, int length, int start, int step, int wrap,
                 int parity) {
    const uint8_t* base = sector + 12;
    int bad = 0;
    for (int major = 0; major < count; ++major) {
        uint8_t s0 = 0, s1 = 0;
        int index = (major / 2) * start + major % 2;
        for (int m = 0; m < length; ++m) {
            uint8_t v;
            if (m < length - 2) {
                v = base[index];
                index = (index + step) % wrap;
            } else {
                v = sector[parity + major + (m - (length - 2)) * count];
            }
            s0 ^= v;
            s1 = GfMul(s1, 2) ^ v;
        }
        bad += (s0 != 0 || s1 != 0);
    }
    return bad;
}

int BadP(const uint8_t* s) {
    return BadCodewords(s, 86, 26, 2, 86, 2064, 2076);
}
int BadQ(const uint8_t* s) {
    return BadCodewords(s, 52, 45, 86, 88, 2236, 2248);
}

} // namespace

TEST(CdSector, EdcIsTheCdRomCrc) {
    const char* check = "123456789";
    EXPECT_EQ(CdSector::Edc(reinterpret_cast<const uint8_t*>(check), 9), 0x6EC2EDC4u);
}

TEST(CdSector, Mode1Layout) {
    const auto user = BlockTestData::Random(2048, 1);
    std::vector<uint8_t> s(CdSector::kRawSize);
    // 12:34:56 is sector (12 * 60 + 34) * 75 + 56 - 150.
    CdSector::BuildMode1((12 * 60 + 34) * 75 + 56 - 150, user.data(), s.data());
    const std::vector<uint8_t> head = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                       0xFF, 0xFF, 0xFF, 0x00, 0x12, 0x34, 0x56, 0x01};
    EXPECT_EQ(std::vector<uint8_t>(s.begin(), s.begin() + 16), head);
    EXPECT_TRUE(std::equal(user.begin(), user.end(), s.begin() + 16));
    const uint32_t edc = CdSector::Edc(s.data(), 2064);
    EXPECT_EQ(s[2064] | s[2065] << 8 | s[2066] << 16 | uint32_t{s[2067]} << 24, edc);
    EXPECT_EQ(std::vector<uint8_t>(s.begin() + 2068, s.begin() + 2076), std::vector<uint8_t>(8));

    CdSector::BuildMode1(0, user.data(), s.data());
    EXPECT_EQ(s[12], 0x00);
    EXPECT_EQ(s[13], 0x02);
    EXPECT_EQ(s[14], 0x00);
}

TEST(CdSector, ParityCodewordsCheck) {
    std::vector<uint8_t> s(CdSector::kRawSize);
    for (uint32_t seed = 0; seed < 4; ++seed) {
        const auto user = BlockTestData::Random(2048, seed);
        CdSector::BuildMode1(seed * 1000, user.data(), s.data());
        EXPECT_EQ(BadP(s.data()), 0);
        EXPECT_EQ(BadQ(s.data()), 0);
    }
    // One changed data byte breaks one P column and one Q diagonal per plane it touches.
    s[100] ^= 1;
    EXPECT_EQ(BadP(s.data()), 1);
    EXPECT_EQ(BadQ(s.data()), 1);
}
