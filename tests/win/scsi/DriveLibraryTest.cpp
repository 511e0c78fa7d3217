// The drive library as the wizard calls it: drives configured in the registry, discs from
// the sample images, every answer checked against the image files themselves.
#include "ZL5Scsi.h"
#include "zl5comm.h"
#include "scsi/ScsiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace scsitest;

namespace {
constexpr char kDrive = 'T';

class DrivesCleanup : public ::testing::Environment {
public:
    void SetUp() override { DrivesKey(); }
    void TearDown() override { RemoveAllDrives(); }
};
::testing::Environment* const kCleanup = ::testing::AddGlobalTestEnvironment(new DrivesCleanup);

uint32_t Address(const _CDROM_TOC& toc, int entry) {
    return TocAddress(toc.TrackData[entry]);
}

class DriveTest : public ::testing::Test {
protected:
    void TearDown() override { RemoveDrive(kDrive); }

    void Insert(const std::string& sample, const std::string& profile = "modern",
                MediaHint media = MediaHint::Auto) {
        Configure(kDrive, Sample(sample), profile, media);
    }
    _CDROM_TOC Toc() {
        _CDROM_TOC toc = {};
        EXPECT_TRUE(ZLXScsiGetToc(kDrive, &toc, 30));
        return toc;
    }
    uint32_t LastSector() {
        uint32_t last = 0, block = 0;
        ZLXScsiReadCapaticity(kDrive, &last, &block, 30);
        return last;
    }
    std::vector<uint8_t> ReadCd(uint32_t lba, uint16_t count = 1) {
        std::vector<uint8_t> b(2352u * count);
        const uint32_t got = ZLXScsiReadSectorsReadCD(kDrive, lba, count, b.data(),
                                                      static_cast<uint32_t>(b.size()), 256, 15);
        return got == b.size() ? b : std::vector<uint8_t>();
    }
    std::vector<uint8_t> Cooked(uint32_t lba, bool fua = true) {
        std::vector<uint8_t> b(2048);
        const uint32_t got = fua ? ZLXScsiReadSectors(kDrive, lba, 1, b.data(), 2048, 15)
                                 : ZLXScsiReadSectorsNFUA(kDrive, lba, 1, b.data(), 2048, 15);
        return got == 2048 ? b : std::vector<uint8_t>();
    }
    uint32_t Vendor(uint32_t (*read)(char, uint32_t, uint16_t, void*, uint32_t, int),
                    uint32_t lba) {
        std::vector<uint8_t> b(2352);
        return read(kDrive, lba, 1, b.data(), 2352, 15);
    }
    uint16_t CurrentSpeed() {
        _MODE_CAPABILITIES_PAGE2 page = {};
        return ZLXScsiGetCapabilities(kDrive, &page, 15)
                   ? SpeedKBs(page, kCurrentReadSpeedOffset) / kKBsPerSpeedFactor
                   : 0xFFFF;
    }
    bool IsIso9660(uint32_t descriptor) {
        return memcmp(Cooked(descriptor).data() + 1, "CD001", 5) == 0;
    }
};

TEST_F(DriveTest, EverySampleDiscHasItsKindAndAConsistentTableOfContents) {
    const struct {
        const char* image;
        uint16_t type;
        int tracks, dataTracks;
    } samples[] = {
        {"audio.cue", 2, 12, 0},    {"cdtext.cue", 7, 4, 0},         {"data.iso", 0, 1, 1},
        {"mixed.cue", 1, 4, 1},     {"cdextra.cue", 6 | 4096, 5, 1}, {"vcd.cue", 5, 1, 1},
        {"svcd.iso", 16, 1, 1},     {"photocd.cue", 8, 1, 1},        {"cdi.cue", 4, 1, 1},
        {"dvdvideo.iso", 32, 1, 1}, {"dvdrom.iso", 32, 1, 1},        {"dvdromvideo.iso", 32, 1, 1}};
    for (const auto& s : samples) {
        SCOPED_TRACE(s.image);
        Insert(s.image, "modern", s.type == 32 ? MediaHint::Dvd : MediaHint::Auto);
        ASSERT_TRUE(ZLXScsiIsUnitReady(kDrive, 30));
        EXPECT_EQ(ZLXScsiGetCDType(kDrive), s.type);
        const _CDROM_TOC toc = Toc();
        EXPECT_EQ(toc.FirstTrack, 1);
        ASSERT_EQ(toc.LastTrack, s.tracks);
        EXPECT_EQ((toc.Length[0] << 8) | toc.Length[1], 2 + 8 * (s.tracks + 1));
        EXPECT_EQ(Address(toc, 0), 0u);
        int data = 0;
        for (int t = 0; t < s.tracks; ++t) {
            EXPECT_EQ(toc.TrackData[t].TrackNumber, t + 1);
            EXPECT_EQ(toc.TrackData[t].ControlAdr >> 4, 1); // ADR 1
            EXPECT_LT(Address(toc, t), Address(toc, t + 1));
            data += TocIsData(toc.TrackData[t]);
        }
        EXPECT_EQ(data, s.dataTracks);
        EXPECT_EQ(toc.TrackData[s.tracks].TrackNumber, 0xAA);
        EXPECT_EQ(Address(toc, s.tracks), LastSector() + 1);
        _CDROM_TOC corrected = {};
        EXPECT_TRUE(ZLXScsiGetTocEC(kDrive, &corrected, 30));
        EXPECT_EQ(memcmp(&toc, &corrected, sizeof(toc)), 0);
    }
}

TEST_F(DriveTest, AudioSectorsAreTheBytesOfTheirFilesAndGeneratedPregapsAreSilent) {
    Insert("audio.cue");
    const _CDROM_TOC toc = Toc();
    const std::string bin = Sample("audio.bin");
    EXPECT_EQ(ReadCd(10), FileBytes(bin, 10 * 2352, 2352));
    const uint32_t start2 = Address(toc, 1); // its 75-sector pregap is in the file
    EXPECT_EQ(ReadCd(start2 - 1, 2), FileBytes(bin, (start2 - 1) * 2352ull, 2 * 2352));
    const uint32_t start7 = Address(toc, 6); // a generated 2-second pregap before it
    EXPECT_EQ(ReadCd(start7 - 1), std::vector<uint8_t>(2352, 0));
    EXPECT_EQ(ReadCd(start7), FileBytes(bin, (start7 - 150) * 2352ull, 2352));
    EXPECT_EQ(Address(toc, 12), FileSize(bin) / 2352 + 150);
    EXPECT_TRUE(Cooked(10).empty()); // audio has no 2048-byte user data

    Insert("cdtext.cue"); // one file per track
    EXPECT_EQ(ReadCd(Address(Toc(), 2)), FileBytes(Sample("cdtext03.bin"), 0, 2352));
}

TEST_F(DriveTest, RawDataSectorsAreBuiltAroundTheUserData) {
    Insert("data.iso");
    const std::vector<uint8_t> raw = ReadCd(16);
    ASSERT_EQ(raw.size(), 2352u);
    const uint8_t header[4] = {0x00, 0x02, 0x16, 0x01}; // 16 + 150 = 00:02:16, mode 1
    EXPECT_EQ(memcmp(raw.data() + 12, header, 4), 0);
    EXPECT_TRUE(DataSectorChecksOut(raw.data()));
    const std::vector<uint8_t> user = FileBytes(Sample("data.iso"), 16 * 2048, 2048);
    EXPECT_EQ(Cooked(16), user);
    EXPECT_EQ(memcmp(raw.data() + 16, user.data(), 2048), 0);

    Insert("cdi.cue"); // Mode 2 Form 1 sectors stored whole
    const std::vector<uint8_t> mode2 = ReadCd(16);
    ASSERT_EQ(mode2.size(), 2352u);
    EXPECT_EQ(mode2[15], 2);
    EXPECT_TRUE(DataSectorChecksOut(mode2.data()));
    EXPECT_TRUE(IsIso9660(16));
}

TEST_F(DriveTest, CdExtraHasTwoSessionsApartByTheSessionGap) {
    Insert("cdextra.cue");
    const _CDROM_TOC toc = Toc();
    const uint32_t audioEnd = Address(toc, 4) - 11400;
    EXPECT_EQ(audioEnd, FileSize(Sample("cdextra-audio.bin")) / 2352);
    MULTISESSION_INFO info = {};
    SESSIONS_DETAILS details = {};
    ASSERT_TRUE(ZLXScsiGetMultiSessionInfo(kDrive, &info, 15));
    ASSERT_TRUE(ZLXScsiGetSessionsDetails(&info, &details));
    ASSERT_EQ(details.Count, 2);
    auto fields = [](const SessionDetail& s) {
        return std::vector<uint32_t>{s.Session, s.FirstTrack, s.LastTrack, s.FirstSector,
                                     s.LastSector};
    };
    EXPECT_EQ(fields(details.Sessions[0]), (std::vector<uint32_t>{1, 1, 4, 0, audioEnd - 1}));
    EXPECT_EQ(fields(details.Sessions[1]),
              (std::vector<uint32_t>{2, 5, 5, Address(toc, 4), LastSector()}));

    EXPECT_TRUE(ReadCd(audioEnd + 100).empty()); // nothing between the sessions
    EXPECT_TRUE(IsIso9660(Address(toc, 4) + 16));
    const std::vector<uint8_t> raw = ReadCd(Address(toc, 4));
    ASSERT_EQ(raw.size(), 2352u);
    EXPECT_TRUE(DataSectorChecksOut(raw.data()));
}

TEST_F(DriveTest, SubChannelReadsCarryTheQOfEachSector) {
    Insert("audio.cue");
    const uint32_t lba = Address(Toc(), 1) - 10; // in track 2's pregap
    std::vector<uint8_t> b(2368 * 2);
    ASSERT_EQ(ZLXScsiReadSectorsReadCDSCQ(kDrive, lba, 2, b.data(), 2368 * 2, 15), 2368u * 2);
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 2352), ReadCd(lba));
    const uint8_t* q = b.data() + 2352;
    const uint32_t abs = lba + 150;
    const uint8_t expected[10] = {
        0x01,         0x02, 0x00, 0x00, 0x00, Bcd(10), 0x00, Bcd(abs / 4500), Bcd(abs / 75 % 60),
        Bcd(abs % 75)};
    EXPECT_EQ(memcmp(q, expected, 10), 0);
    EXPECT_EQ((q[10] << 8) | q[11], QCrcBitwise(q, 10));
    EXPECT_EQ(b[2368 + 2352 + 5], Bcd(9)); // the next sector is one closer to index 01
}

TEST_F(DriveTest, DrivesWithoutRawReadingFailTheRawCommands) {
    Insert("mixed.cue", "noraw");
    const uint32_t audio = Address(Toc(), 1);
    EXPECT_TRUE(ReadCd(16).empty());
    std::vector<uint8_t> b(2368);
    EXPECT_EQ(ZLXScsiReadSectorsReadCDSCQ(kDrive, 16, 1, b.data(), 2368, 15), 0u);
    EXPECT_EQ(ZLXScsiSetReadSize(kDrive, 2352), 0);
    EXPECT_EQ(Vendor(ZLXScsiReadPlxtrCDDA, audio), 0u);
    EXPECT_EQ(Vendor(ZLXScsiReadNecCDDA, audio), 0u);
    EXPECT_FALSE(Cooked(16, true).empty());
    EXPECT_FALSE(Cooked(16, false).empty());

    Insert("mixed.cue", "nosub"); // READ CD, but no sub-channel
    EXPECT_FALSE(ReadCd(16).empty());
    EXPECT_EQ(ZLXScsiReadSectorsReadCDSCQ(kDrive, 16, 1, b.data(), 2368, 15), 0u);
}

TEST_F(DriveTest, OldDrivesReadWithoutFuaAndGetRawSectorsThroughTheBlockSize) {
    Insert("mixed.cue", "oldslow");
    const uint32_t audio = Address(Toc(), 1);
    EXPECT_TRUE(Cooked(16, true).empty());
    EXPECT_FALSE(Cooked(16, false).empty());
    ASSERT_EQ(ZLXScsiSetReadSize(kDrive, 2352), 1);
    std::vector<uint8_t> b(2352);
    ASSERT_EQ(ZLXScsiReadSectorsNFUA(kDrive, 16, 1, b.data(), 2352, 15), 2352u);
    EXPECT_TRUE(DataSectorChecksOut(b.data()));
    ASSERT_EQ(ZLXScsiReadSectorsNFUA(kDrive, audio, 1, b.data(), 2352, 15), 2352u);
    EXPECT_EQ(b, FileBytes(Sample("mixed-audio.bin"), 0, 2352));
    EXPECT_EQ(ZLXScsiSetReadSize(kDrive, 2048), 1);
    EXPECT_EQ(ZLXScsiReadSectorsNFUA(kDrive, audio, 1, b.data(), 2352, 15), 0u);

    EXPECT_EQ(Vendor(ZLXScsiReadNecCDDA, audio), 2352u);
    EXPECT_EQ(Vendor(ZLXScsiReadNecCDDA, 16), 0u); // the audio commands read audio only
    EXPECT_EQ(Vendor(ZLXScsiReadPlxtrCDDA, audio), 0u);

    Insert("audio.cue", "vendoraudio");
    EXPECT_EQ(Vendor(ZLXScsiReadPlxtrCDDA, 100), 2352u);
    EXPECT_TRUE(ReadCd(100).empty());
}

TEST_F(DriveTest, DvdDrivesAndDvdMedia) {
    Insert("data.iso", "dvdonly");
    EXPECT_EQ(ZLXScsiIsUnitReady(kDrive, 30), 0); // it does not recognise CDs
    EXPECT_EQ(ZLXScsiOpenDrive(kDrive), 0);
    CAspiCdromInfo info;
    EXPECT_EQ(ZLXScsiGetDriveInfo(kDrive, &info), 1);

    Insert("dvdvideo.iso", "dvdonly", MediaHint::Dvd);
    ASSERT_EQ(ZLXScsiIsUnitReady(kDrive, 30), 1);
    EXPECT_TRUE(Cooked(16, true).empty());
    EXPECT_EQ(Cooked(16, false), FileBytes(Sample("dvdvideo.iso"), 16 * 2048, 2048));
    EXPECT_EQ(ZLXScsiSetReadSpeed(kDrive, 4), 0);

    Insert("dvdvideo.iso", "modern", MediaHint::Dvd);
    EXPECT_TRUE(ReadCd(16).empty()); // READ CD is for CDs
    EXPECT_EQ(ZLXScsiSetReadSize(kDrive, 2352), 0);
    EXPECT_EQ(LastSector() + 1, FileSize(Sample("dvdvideo.iso")) / 2048);

    // An image larger than a CD is a DVD unless the configuration says otherwise.
    const std::vector<uint8_t> head = FileBytes(Sample("data.iso"), 0, 17 * 2048);
    const std::string large = TempFile("zl5scsi-large.iso", std::string(head.begin(), head.end()));
    HANDLE f = CreateFileA(large.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 901ll * 1024 * 1024; // left sparse
    SetFilePointerEx(f, size, nullptr, FILE_BEGIN);
    SetEndOfFile(f);
    CloseHandle(f);
    Configure(kDrive, large);
    EXPECT_EQ(ZLXScsiGetCDType(kDrive), 32);
    EXPECT_EQ(LastSector(), 901u * 512 - 1);
    Configure(kDrive, large, "modern", MediaHint::Cd);
    EXPECT_EQ(ZLXScsiGetCDType(kDrive), 0);
    RemoveDrive(kDrive);
    char letters[28];
    ZLXScsiGetKnownDrives(letters, sizeof(letters)); // lets the library close the file
    DeleteFileA(large.c_str());
}

TEST_F(DriveTest, SpeedRequestsFollowTheProfile) {
    const struct {
        const char* profile;
        uint8_t request;
        uint16_t current;
    } cases[] = {{"modern", 46, 40}, {"modern", 255, 48}, {"noraw", 30, 30},
                 {"oldslow", 7, 6},  {"oldslow", 3, 2},   {"nosub", 50, 24}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.profile) + " " + std::to_string(c.request));
        Insert("data.iso", c.profile);
        ASSERT_EQ(ZLXScsiSetReadSpeed(kDrive, c.request), 1);
        EXPECT_EQ(CurrentSpeed(), c.current);
    }
    Insert("data.iso", "vendoraudio");
    EXPECT_EQ(CurrentSpeed(), 0xFFFF); // no capabilities page
}

TEST_F(DriveTest, ConfiguredSectorRangesFailToRead) {
    DriveConfig c;
    c.image = Sample("data.iso");
    c.badSectors = {{100, 109}};
    Configure(kDrive, c);
    EXPECT_TRUE(Cooked(100).empty());
    EXPECT_TRUE(ReadCd(109).empty());
    std::vector<uint8_t> b(2048 * 10);
    EXPECT_EQ(ZLXScsiReadSectors(kDrive, 95, 10, b.data(), 2048 * 10, 15), 0u);
    EXPECT_EQ(ZLXScsiReadSectors(kDrive, 110, 10, b.data(), 2048 * 10, 15), 2048u * 10);
    EXPECT_EQ(ZLXScsiReadSectors(kDrive, 110, 10, b.data(), 2048 * 10 - 1, 15), 0u);
    EXPECT_EQ(ZLXScsiReadSectors(kDrive, 110, 0, b.data(), 2048, 15), 0u);
    EXPECT_EQ(ZLXScsiReadSectors(kDrive, LastSector(), 2, b.data(), 4096, 15), 0u);
}

TEST_F(DriveTest, EmptyVirtualAndAnalogDrivesAreListedFromTheirConfiguration) {
    DriveConfig c;
    c.isVirtual = c.analog = true;
    Configure('U', c);
    Configure(kDrive, "");
    char letters[28] = {};
    ZLXScsiGetKnownDrives(letters, sizeof(letters));
    EXPECT_STREQ(letters, "TU");
    ZLXScsiGetZLXDriveLetters(letters, sizeof(letters));
    EXPECT_STREQ(letters, "U");
    EXPECT_EQ(ZLXScsiGetKnownDrives(letters, 2), 1); // cut to the buffer
    EXPECT_STREQ(letters, "T");
    EXPECT_EQ(ZLXIsAnalogAudio('u'), 1);
    EXPECT_EQ(ZLXIsAnalogAudio(kDrive), 0);

    // The empty drive is known but has no medium.
    CAspiCdromInfo info;
    ASSERT_EQ(ZLXScsiGetDriveInfo(kDrive, &info), 1);
    EXPECT_STREQ(info.Vendor, "KESTREL ");
    EXPECT_EQ(ZLXScsiIsUnitReady(kDrive, 30), 0);
    EXPECT_EQ(LastSector(), 0u);
    EXPECT_EQ(ZLXScsiGetDriveInfo('Q', &info), 0); // not configured at all

    RemoveDrive('U');
    EXPECT_EQ(ZLXIsAnalogAudio('U'), 0);
    ZLXScsiGetZLXDriveLetters(letters, sizeof(letters));
    EXPECT_STREQ(letters, "");
}

TEST_F(DriveTest, BrokenImagesLeaveTheDriveWithoutAMedium) {
    std::string noise(70000, '\0');
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    TempFile("zl5short.bin", std::string(2352 * 10, '\0'));
    const std::string images[] = {
        TempFile("zl5nonsense.cue", "this is not a cue sheet\n"),
        TempFile("zl5noise.cue", noise),
        TempFile("zl5missing.cue",
                 "FILE \"nowhere.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"),
        TempFile("zl5truncated.cue", "FILE \"zl5short.bin\" BINARY\nTRACK 01 AUDIO\n"
                                     "INDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:01:00\n"),
        TempFile("zl5noise.iso", noise),
        TempFile("zl5empty.iso", ""),
        TempFile("zl5empty.iso", "") + ".absent", // no such file
    };
    for (const std::string& image : images) {
        SCOPED_TRACE(image);
        Configure(kDrive, image);
        EXPECT_EQ(ZLXScsiIsUnitReady(kDrive, 30), 0);
        EXPECT_EQ(ZLXScsiGetCDType(kDrive), 0);
        _CDROM_TOC toc;
        EXPECT_EQ(ZLXScsiGetToc(kDrive, &toc, 30), 0);
        EXPECT_TRUE(ReadCd(0).empty());
    }
}

} // namespace
