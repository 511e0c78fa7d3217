// The disc model on its own: reading CUE sheets, laying out tracks and sessions, and the
// sector contents and sub-channel made from the layout.
#include "disc/CueSheet.h"
#include "disc/DiscLayout.h"
#include "disc/DiscRecords.h"
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
    for (const char* text : bad) {
        CueSheet sheet;
        std::string error;
        EXPECT_FALSE(ParseCueSheet(text, sheet, error)) << text;
        EXPECT_FALSE(error.empty());
    }
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
    EXPECT_EQ(sheet.files[0], "my disc.bin");
    EXPECT_EQ(sheet.discKind, "CD-I");
    EXPECT_EQ(sheet.title, "An Album");
    EXPECT_EQ(sheet.performer, "The Band");
    EXPECT_TRUE(sheet.cdTextLines);
    EXPECT_EQ(sheet.tracks[0].flags, 3);
}

TEST(DiscLayout, PregapsInTheFileAndGeneratedOnesShiftLaterTracks) {
    // Track 2 has 75 pregap sectors in the file, track 3 a generated 2-second pregap.
    const CDiscLayout l = Layout("FILE \"a.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"
                                 " TRACK 02 AUDIO\n  INDEX 00 00:04:00\n  INDEX 01 00:05:00\n"
                                 "  INDEX 02 00:06:00\n TRACK 03 AUDIO\n  PREGAP 00:02:00\n"
                                 "  INDEX 01 00:08:00\n",
                                 {2352ull * 900});
    ASSERT_EQ(l.tracks.size(), 3u);
    EXPECT_EQ(l.tracks[1].pregapLba, 300);
    EXPECT_EQ(l.tracks[1].startLba, 375);
    EXPECT_EQ(l.IndexAt(l.tracks[1], 374), 0);
    EXPECT_EQ(l.IndexAt(l.tracks[1], 450), 2);
    EXPECT_EQ(l.tracks[2].pregapLba, 600);
    EXPECT_EQ(l.tracks[2].startLba, 750); // 600 + 150 generated
    EXPECT_EQ(l.LeadOut(), 750 + 300);
    const Extent* gap = l.ExtentAt(700);
    ASSERT_NE(gap, nullptr);
    EXPECT_EQ(gap->file, -1);
    EXPECT_EQ(l.ExtentAt(800)->byteOffset, 2352ull * 600); // track 3 from its INDEX 01 on
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

TEST(DiscLayout, ASecondSessionStartsAfterTheSessionGap) {
    const CDiscLayout l = Layout("REM SESSION 01\nFILE \"a.bin\" BINARY\n TRACK 01 AUDIO\n"
                                 "  INDEX 01 00:00:00\nREM SESSION 02\nFILE \"d.bin\" BINARY\n"
                                 " TRACK 02 MODE2/2352\n  INDEX 01 00:00:00\n",
                                 {2352ull * 1000, 2352ull * 300});
    ASSERT_EQ(l.sessions.size(), 2u);
    EXPECT_EQ(l.sessions[0].leadoutLba, 1000);
    EXPECT_EQ(l.tracks[1].startLba, 1000 + kSessionGap);
    EXPECT_EQ(l.TrackAt(1000 + 500), nullptr); // inside the gap
    EXPECT_EQ(l.ExtentAt(1000 + 500), nullptr);

    MULTISESSION_INFO info;
    SESSIONS_DETAILS details;
    BuildMultiSessionInfo(l, info);
    ASSERT_TRUE(SessionDetailsFromInfo(info, details));
    EXPECT_EQ(details.Count, 2);
    EXPECT_EQ(details.Sessions[0].LastSector, 999u);
    EXPECT_EQ(details.Sessions[1].FirstTrack, 2);
    EXPECT_EQ(details.Sessions[1].FirstSector, 12400u);
    EXPECT_EQ(details.Sessions[1].LastSector, 12699u);
    EXPECT_EQ(info.Data[3], 2); // last session, as READ TOC says
    EXPECT_EQ((info.Data[10] << 8) | info.Data[11], 12400 & 0xFFFF); // its first track

    MULTISESSION_INFO foreign = {};
    EXPECT_FALSE(SessionDetailsFromInfo(foreign, details));
}

TEST(DiscLayout, TruncatedFilesAreRefused) {
    CueSheet sheet;
    std::string error;
    CDiscLayout layout;
    ASSERT_TRUE(ParseCueSheet("FILE \"a.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"
                              " TRACK 02 AUDIO\n  INDEX 01 00:10:00\n",
                              sheet, error));
    EXPECT_FALSE(BuildCueLayout(sheet, {2352ull * 500}, layout, error)); // track 2 at 750
    EXPECT_FALSE(BuildCueLayout(sheet, {2352ull * 750}, layout, error)); // track 2 is empty
    EXPECT_TRUE(BuildCueLayout(sheet, {2352ull * 751}, layout, error)) << error;
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
    EXPECT_EQ(q[2], 1);
    EXPECT_EQ(q[3], Bcd(1));
    EXPECT_EQ(q[4], Bcd(1));
    EXPECT_EQ(q[5], Bcd(5));
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
    EXPECT_EQ(raw[12], 0x74);
    EXPECT_EQ(raw[13], 0x02);
    EXPECT_EQ(raw[14], 0x00);
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
    EXPECT_EQ(EffectiveProfile(c).vendor, "KESTREL");

    for (const ConfigValues& bad : std::vector<ConfigValues>{{{"virtual", "yes"}},
                                                             {{"badsectors", "20-10"}},
                                                             {{"media", "bluray"}},
                                                             {{"commands", "fly"}},
                                                             {{"maxspeed", "300"}}})
        EXPECT_FALSE(ParseDriveConfig(bad, c, error)) << bad.begin()->first;
}

TEST(DriveProfile, SpeedRequestsSettleOnTheStepsADriveHas) {
    const DriveProfile& modern = *FindProfile("MODERN");
    EXPECT_EQ(modern.SettleSpeed(46), 40);
    EXPECT_EQ(modern.SettleSpeed(48), 48);
    EXPECT_EQ(modern.SettleSpeed(200), 48);
    EXPECT_EQ(modern.SettleSpeed(2), 4); // below the slowest step
    EXPECT_EQ(FindProfile("noraw")->SettleSpeed(17), 17);
    EXPECT_EQ(FindProfile("nosuch"), nullptr);
}

} // namespace
