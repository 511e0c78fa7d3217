// Drive builds: the wizard started for a named drive analyses the disc in it and hands the
// job to the writer without a wizard window. The drives are the emulated sample drives the
// test script maps (E: audio CD, H: mixed mode, I: CD Extra, J: Video CD, N: DVD-Video).
#include "E2eHarness.h"

#include "ZL5Scsi.h"
#include "settings/StoreJournal.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct DriveCase {
    char letter;
    const char* sample;
    bool dvd;
    const char* profile;
    int cdType;
    const char* rawData;  // expected ZlxBuildRAWDataType, "-": not written (not readable)
    const char* rawAudio; // expected ZlxBuildRAWAudioType
    const char* readFua;
    int maxSpeed; // expected ZlxBuildMaxReadSpeed, 0: no speeds written
};

// What each drive profile can read decides the read options; the speeds follow from what the
// profile reports back (found factor + 1, one below that selected in Easy Copy Mode).
const DriveCase kCases[] = {
    {'E', "audio.cue", false, "modern", 2, "1", "1", "0", 49},
    // Raw data is only tested on discs with data tracks.
    {'E', "audio.cue", false, "oldslow", 2, "-", "3", "0", 7},
    // The sample's audio session is short: the five whole-disc test positions all fall into
    // the gap between the sessions, where no drive reads, so READ CD counts as failed and
    // the data area is tested with plain reads.
    {'I', "cdextra.cue", false, "modern", 6 | 4096, "2", "-", "1", 49},
    {'I', "cdextra.cue", false, "vendoraudio", 6 | 4096, "2", "2", "1", 0},
    {'H', "mixed.cue", false, "vendoraudio", 1, "2", "2", "1", 0},
    {'H', "mixed.cue", false, "modern", 1, "1", "1", "0", 49},
    {'J', "vcd.cue", false, "modern", 5, "1", "1", "0", 49},
    {'J', "vcd.cue", false, "noraw", 5, "-", "-", "1", 31},
    {'N', "dvdvideo.iso", true, "dvdonly", 32 | 512, "-", "-", "0", 0},
    {'N', "dvdvideo.iso", true, "modern", 32 | 512, "-", "-", "1", 49},
};

// The table of contents as the installed drive library reads it.
bool ReadToc(char letter, _CDROM_TOC& toc) {
    HMODULE scsi = LoadLibraryA(HomeFile("system\\ZL5Scsi.dll").c_str());
    using GetToc = int(__cdecl*)(char, _CDROM_TOC*, int);
    auto get = reinterpret_cast<GetToc>(
        reinterpret_cast<void (*)()>(GetProcAddress(scsi, "ZLXScsiGetTocEC")));
    const bool read = get && get(letter, &toc, 30);
    FreeLibrary(scsi);
    return read;
}

// Forgets what earlier runs learnt about drive models, so every run tests its drive.
void ForgetDriveModels() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kestrelin\\Zelvane 5\\Store", 0,
                      KEY_READ | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::string> models;
    char name[512];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (std::string(name).rfind("KESTREL", 0) == 0)
            models.push_back(name);
    }
    for (const auto& m : models)
        RegDeleteValueA(key, m.c_str());
    RegCloseKey(key);
}

class DriveBuildE2e : public ::testing::TestWithParam<DriveCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitForWriterToEnd(10000));
        const auto listed = RunTool(DriveTool(), "list").output;
        if (listed.find(std::string(1, GetParam().letter) + ":") == std::string::npos)
            GTEST_SKIP() << "the sample drives are not mapped";
    }
    void TearDown() override {
        // Back to the profile the sample drives are mapped with.
        const DriveCase& c = GetParam();
        const char* mapped = c.letter == 'H'   ? "vendoraudio"
                             : c.letter == 'N' ? "dvdonly"
                                               : "modern";
        Insert(c, mapped);
    }
    static std::string DriveTool() { return HomeFile("system\\zl5drive.exe"); }
    static void Insert(const DriveCase& c, const char* profile) {
        std::string args = std::string(1, c.letter) + ": \"" + HomeFile("samples\\") + c.sample +
                           "\" --profile " + profile + (c.dvd ? " --dvd" : "");
        const auto inserted = RunTool(DriveTool(), "insert " + args);
        ASSERT_EQ(inserted.exitCode, 0u) << inserted.output;
    }
    StoreScope store;
};

TEST_P(DriveBuildE2e, JobMatchesTheDiscAndTheDrive) {
    const DriveCase& c = GetParam();
    Insert(c, c.profile);
    ForgetDriveModels();
    store.Set("ZLXBuildEditor", "1");
    store.Set("ZLXBuildSourceCDDrive", std::string(1, c.letter));
    const std::string journal = TempFile("zl5e2e_drive_journal.txt");
    const std::string report = HomeFile("system\\zl5write.log");
    DeleteFileA(report.c_str());
    {
        EnvScope journalScope("ZL5ENV_JOURNAL", journal);
        EnvScope quiet("ZL5WRITE_QUIET", "1");
        ChildProcess wizard;
        ASSERT_TRUE(wizard.Start(HomeFile("system\\zl5build.exe")));
        ASSERT_TRUE(wizard.WaitExit(30000)) << "a message box may be waiting for an answer";
        EXPECT_TRUE(WindowsOf(wizard.Pid()).empty());
        ASSERT_TRUE(WaitForWriterReport(report, 20000));
    }
    auto job = JournalledJob(journal);
    ASSERT_EQ(job["ZLXBuildDataReady"], "1");
    EXPECT_EQ(job["ZLXBuildSourceCDDrive"], std::string(1, c.letter));
    EXPECT_EQ(job["ZlxBuildCDType"], std::to_string(c.cdType));
    EXPECT_EQ(job["ZlxBuildSectorType"], "256") << "a drive build copies raw sectors";
    EXPECT_EQ(job["ZlxBuildReadFUA"], c.readFua);
    // Read options and speeds the drive cannot use are not written at all.
    auto value = [&](const char* name) { return job.count(name) ? job[name] : std::string("-"); };
    EXPECT_EQ(value("ZlxBuildRAWDataType"), c.rawData);
    EXPECT_EQ(value("ZlxBuildRAWAudioType"), c.rawAudio);
    EXPECT_EQ(value("ZlxBuildMaxReadSpeed"), c.maxSpeed ? std::to_string(c.maxSpeed) : "-");
    EXPECT_EQ(value("ZlxBuildSelReadSpeed"), c.maxSpeed ? std::to_string(c.maxSpeed - 1) : "-");

    // The table of contents is the drive's, track for track.
    _CDROM_TOC toc{};
    ASSERT_TRUE(ReadToc(c.letter, toc));
    const std::string hex = job["ZlxBuildTOC"];
    ASSERT_EQ(hex.size(), 804u * 2);
    const size_t tracksHex = (4 + 8 * static_cast<size_t>(toc.LastTrack)) * 2;
    EXPECT_EQ(hex.substr(0, tracksHex), HexBytes(&toc, sizeof toc).substr(0, tracksHex));

    const auto written = ReadLines(report);
    for (const std::string& expected :
         {"ZlxBuildCDType=" + std::to_string(c.cdType),
          std::string("ZLXBuildSourceCDDrive=") + c.letter, std::string("ZLXBuildDataReady=1")})
        EXPECT_NE(std::find(written.begin(), written.end(), expected), written.end()) << expected;
    DeleteFileA(journal.c_str());
}

std::string CaseName(const ::testing::TestParamInfo<DriveCase>& info) {
    std::string name = std::string(info.param.sample) + "_" + info.param.profile;
    for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(SampleDiscs, DriveBuildE2e, ::testing::ValuesIn(kCases), CaseName);

} // namespace
