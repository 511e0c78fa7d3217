#include <gtest/gtest.h>

#include <vector>

#include "source/BlockTestData.h"
#include "source/CdSector.h"
#include "support/SectorCheck.h"

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
    EXPECT_TRUE(sectorcheck::DataSectorChecksOut(s.data())); // EDC and parity
    // One changed byte breaks one P column and one Q diagonal.
    s[100] ^= 1;
    EXPECT_EQ(sectorcheck::BadParityCodewords(s.data() + 12), 2);
}
