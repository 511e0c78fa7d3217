// The disc model on its own: reading CUE sheets and drive configurations, laying out files
// of mixed sector sizes, and the sector contents and sub-channel made from the layout.
// Pregaps and sessions are checked through the library against the sample discs.
#include "disc/CueSheet.h"
#include "disc/DiscLayout.h"
#include "disc/SectorData.h"
#include "scsi/DriveConfig.h"
#include "scsi/ScsiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
using scsitest::Bcd;

CDiscLayout Layout(const std::string& cue, const std::vector<uint64_t>& sizes) {
    CueSheet sheet;
    std::string error;
    CDiscLayout layout;
    EXPECT_TRUE(ParseCueSheet(cue, sheet, error)) << error;
    EXPECT_TRUE(BuildCueLayout(sheet, sizes, layout, error)) << error;
    return layout;
}

TEST(CueSheet, RejectsSheetsADriveCouldNotPlay) {
    const char* bad[] = {
        "",                                        // no track
        "garbage line\n",                          // unknown command
        "TRACK 01 AUDIO\n  INDEX 01 00:00:00\n",   // no FILE
        "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\n", // no INDEX 01
        "FILE \"a.bin\" BINARY\nTRACK 01 MODE3/2352\nINDEX 01 00:00:00\n",
        "FILE \"a.bin\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n",
        "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 03 AUDIO\n"
        "INDEX 01 00:10:00\n", // numbers skip
        "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:05:00\nTRACK 02 AUDIO\n"
        "INDEX 01 00:04:00\n", // goes back in the file
        "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:61:00\n",
        "REM SESSION 02\nFILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n",
    };
    CueSheet sheet;
    std::string error;
    for (const char* text : bad) {
        error.clear();
        EXPECT_FALSE(ParseCueSheet(text, sheet, error)) << text;
        EXPECT_FALSE(error.empty());
    }
    // Files too short for their tracks: track 2 starts at 750.
    ASSERT_TRUE(ParseCueSheet("FILE \"a.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"
                              " TRACK 02 AUDIO\n  INDEX 01 00:10:00\n",
                              sheet, error));
    CDiscLayout layout;
    EXPECT_FALSE(BuildCueLayout(sheet, {2352ull * 500}, layout, error));
    EXPECT_FALSE(BuildCueLayout(sheet, {2352ull * 750}, layout, error)); // track 2 is empty
    EXPECT_TRUE(BuildCueLayout(sheet, {2352ull * 751}, layout, error)) << error;
}

TEST(CueSheet, ReadsQuotedNamesFlagsCdTextAndKindRemarks) {
    CueSheet sheet;
    std::string error;
    ASSERT_TRUE(ParseCueSheet("\xEF\xBB\xBFREM DISCKIND cd-i\r\nPERFORMER \"The Band\"\r\n"
                              "TITLE \"An Album\"\r\nFILE \"my disc.bin\" BINARY\r\n"
                              "  TRACK 01 AUDIO\r\n    FLAGS DCP PRE\r\n    TITLE \"One\"\r\n"
                              "    INDEX 01 00:00:00\r\n",
                              sheet, error))
        << error;
    EXPECT_EQ(sheet.files[0] + "|" + sheet.discKind + "|" + sheet.title + "|" + sheet.performer,
              "my disc.bin|CD-I|An Album|The Band");
    EXPECT_TRUE(sheet.cdTextLines);
    EXPECT_EQ(sheet.tracks[0].flags, 3);
}

TEST(DiscLayout, FilesMixingSectorSizesAndPregapsEndingAFileAreWalkedTrackByTrack) {
    const CDiscLayout l = Layout("FILE \"a.bin\" BINARY\n TRACK 01 MODE1/2048\n"
                                 "  INDEX 01 00:00:00\n TRACK 02 AUDIO\n  INDEX 01 00:01:00\n"
                                 " TRACK 03 AUDIO\n  INDEX 00 00:03:00\n"
                                 "FILE \"b.bin\" BINARY\n  INDEX 01 00:00:00\n",
                                 {2048ull * 75 + 2352ull * 200, 2352ull * 100 + 1000});
    ASSERT_EQ(l.tracks.size(), 3u);
    EXPECT_EQ(l.tracks[1].startLba, 75);
    EXPECT_EQ(l.ExtentAt(75)->byteOffset, 2048ull * 75);
    EXPECT_EQ(l.tracks[2].pregapLba, 225); // the last 50 sectors of a.bin
    EXPECT_EQ(l.tracks[2].startLba, 275);
    EXPECT_EQ(l.ExtentAt(275)->file, 1);
    EXPECT_EQ(l.LeadOut(), 375); // the partial sector at the end of b.bin is not on the disc
}

TEST(SectorData, QSubChannelFollowsTheTrackLayout) {
    const CDiscLayout l = Layout("FILE \"a.bin\" BINARY\n TRACK 01 MODE1/2352\n"
                                 "  INDEX 01 00:00:00\n TRACK 02 AUDIO\n  INDEX 00 00:10:00\n"
                                 "  INDEX 01 00:12:00\n",
                                 {2352ull * 6000});
    uint8_t q[16];
    ASSERT_TRUE(SectorData::BuildQ(l, 897, q)); // 3 sectors before track 2
    const uint8_t pregap[12] = {0x01, 0x02, 0x00, 0x00, 0x00,
                                0x03, 0x00, 0x00, 0x13, 0x72}; // 897 + 150 = 00:13:72
    EXPECT_EQ(memcmp(q, pregap, 10), 0);
    EXPECT_EQ((q[10] << 8) | q[11], scsitest::QCrcBitwise(q, 10));
    ASSERT_TRUE(SectorData::BuildQ(l, 900 + 75 * 61 + 5, q)); // 1:01:05 into track 2
    EXPECT_EQ(std::vector<uint8_t>(q + 2, q + 6),
              (std::vector<uint8_t>{1, Bcd(1), Bcd(1), Bcd(5)}));
    ASSERT_TRUE(SectorData::BuildQ(l, 20, q));
    EXPECT_EQ(q[0], 0x41); // data track, ADR 1
    EXPECT_EQ(q[12] | q[13] | q[14] | q[15], 0);
    EXPECT_FALSE(SectorData::BuildQ(l, 6000, q)); // the lead-out
}

TEST(SectorData, SynthesisedSectorsCarryAValidHeaderAndCodes) {
    uint8_t user[2048], raw[2352];
    for (size_t i = 0; i < sizeof(user); ++i)
        user[i] = static_cast<uint8_t>(i * 7 + 3);
    SectorData::BuildMode1(333000, user, raw); // 74:02:00
    EXPECT_EQ(raw[12] << 16 | raw[13] << 8 | raw[14], 0x740200);
    EXPECT_TRUE(scsitest::DataSectorChecksOut(raw));
    raw[500] ^= 1;
    EXPECT_FALSE(scsitest::DataSectorChecksOut(raw)); // the check itself can fail
    const uint8_t* data = nullptr;
    SectorData::BuildGap(10, SectorKind::Mode2, raw);
    EXPECT_FALSE(SectorData::UserData(raw, data)); // Form 2 has no 2048-byte user data
}

TEST(DriveConfig, TextValuesRoundTripAndNonsenseIsRefused) {
    DriveConfig c;
    std::string error;
    ASSERT_TRUE(ParseDriveConfig({{"image", "C:\\d.iso"},
                                  {"media", "DVD"},
                                  {"profile", "OldSlow"},
                                  {"virtual", "1"},
                                  {"badsectors", "10-19, 40"},
                                  {"commands", "fua,readcd"}},
                                 c, error))
        << error;
    EXPECT_EQ(c.media, MediaHint::Dvd);
    EXPECT_EQ(c.profile, "oldslow");
    ASSERT_EQ(c.badSectors.size(), 2u);
    EXPECT_EQ(c.badSectors[1].last, 40u);
    DriveConfig again;
    ASSERT_TRUE(ParseDriveConfig(FormatDriveConfig(c), again, error));
    EXPECT_TRUE(again == c);
    EXPECT_EQ(EffectiveProfile(c).commands, DriveCommand::kReadFua | DriveCommand::kReadCd);

    for (const ConfigValues& bad : std::vector<ConfigValues>{{{"virtual", "yes"}},
                                                             {{"badsectors", "20-10"}},
                                                             {{"media", "bluray"}},
                                                             {{"commands", "fly"}},
                                                             {{"maxspeed", "300"}}})
        EXPECT_FALSE(ParseDriveConfig(bad, c, error)) << bad.begin()->first;
}

} // namespace
