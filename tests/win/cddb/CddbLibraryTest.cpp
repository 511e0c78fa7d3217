// The disc information library as the wizard meets it: the real DLL, the real drive and
// store libraries beneath it, sample discs in emulated drives and the sample database.
#include "ZL5Scsi.h"
#include "ZLXCDDB.h"
#include "cddb/CddbResource.h"
#include "common/RegistryStore.h"
#include "scsi/ScsiTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace scsitest;

namespace {
constexpr char kDrive = 'T';

class Environment : public ::testing::Environment {
public:
    void SetUp() override {
        SetEnvironmentVariableA("ZL5ENV_KEY", StoreKey().c_str());
        DrivesKey();
    }
    void TearDown() override {
        ZLXCDDBReleaseInterface();
        RemoveAllDrives();
        RegDeleteTreeA(HKEY_CURRENT_USER, StoreKey().c_str());
    }
    static const std::string& StoreKey() {
        static const std::string key = "Software\\Kestrelin\\Zelvane 5\\TestCddbStore-" +
                                       std::to_string(GetCurrentProcessId());
        return key;
    }
};
::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new Environment);

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd)) {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..")
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(folder + name + "\\");
        else
            DeleteFileA((folder + name).c_str());
    }
    FindClose(h);
    RemoveDirectoryA(folder.c_str());
}

// The name of an entry file in the folder; "" when there is none.
std::string EntryIn(const std::string& folder) {
    std::string name;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            name = fd.cFileName;
    FindClose(h);
    return name;
}

std::string Text(int (*getter)(char*, int)) {
    char buffer[300] = {};
    const int needed = getter(buffer, sizeof(buffer));
    return needed < 0 ? "<none>" : needed > 300 ? "<too long>" : buffer;
}

std::string TrackText(int (*getter)(int, char*, int), int track) {
    char buffer[300] = {};
    const int needed = getter(track, buffer, sizeof(buffer));
    return needed < 0 ? "<none>" : needed > 300 ? "<too long>" : buffer;
}

class CddbTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_database = std::string(temp) + "zl5cddb-" + std::to_string(GetCurrentProcessId()) + "\\";
        RemoveTree(m_database);
        CreateDirectoryA(m_database.c_str(), nullptr);
        UseDatabase(m_database);
        Store("CddbUseCdText", "1");
    }
    void TearDown() override {
        RemoveDrive(kDrive);
        RemoveTree(m_database);
    }
    static void Store(const char* name, const std::string& value) {
        CRegistryStore().WriteText(name, value.c_str());
    }
    static void UseDatabase(const std::string& folder) { Store("CddbPath", folder); }
    static std::string SampleDatabase() { return Sample("cddb\\"); }
    static void Insert(const std::string& sample) { Configure(kDrive, Sample(sample)); }
    static std::vector<uint8_t> DriveToc() {
        _CDROM_TOC toc = {};
        EXPECT_TRUE(ZLXScsiGetToc(kDrive, &toc, 30));
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&toc);
        return std::vector<uint8_t>(bytes, bytes + sizeof(toc));
    }

    std::string m_database;
};

// The entries the sample script made from its own layouts are found through the tables of
// contents the emulated drives report: both sides compute the same disc IDs.
TEST_F(CddbTest, SampleEntriesAreFoundForTheEmulatedDiscs) {
    UseDatabase(SampleDatabase());
    const struct {
        const char* image;
        int tracks, compilation;
        const char *title, *artist, *genre, *lastTrack, *secondArtist;
    } discs[] = {
        {"audio.cue", 12, 0, "Twelve Tones", "The Zelvane Ensemble", "Classical", "Postlude",
         "The Zelvane Ensemble"},
        {"mixed.cue", 4, 0, "Skyward: Original Soundtrack", "Kestrel Games", "Game", "Storm Front",
         "Kestrel Games"},
        {"cdextra.cue", 5, 1, "Sampler Extra", "Various", "Indie Rock", "Videos and Pictures",
         "Mira Vale"},
    };
    for (const auto& d : discs) {
        SCOPED_TRACE(d.image);
        Insert(d.image);
        ASSERT_EQ(ZLXCDDBGetCDInfo("t:"), 1);
        EXPECT_EQ(ZLXCDDBGetNumberOfTracks(), d.tracks);
        EXPECT_EQ(ZLXCDDBGetCompilation(), d.compilation);
        EXPECT_EQ(Text(ZLXCDDBGetTitle), d.title);
        EXPECT_EQ(Text(ZLXCDDBGetArtist), d.artist);
        EXPECT_EQ(Text(ZLXCDDBGetGenreID), d.genre);
        EXPECT_EQ(TrackText(ZLXCDDBGetTrackTitle, d.tracks), d.lastTrack);
        EXPECT_EQ(TrackText(ZLXCDDBGetTrackArtist, 2), d.secondArtist);
        // The table of contents the wizard keeps finds the same entry.
        const std::vector<uint8_t> toc = DriveToc();
        EXPECT_EQ(ZLXCDDBGetCDInfoFromToc(toc.data(), 2), 1);
    }
    // The CD-Text disc has no entry: with its CD-Text switched off it is not found.
    Store("CddbUseCdText", "0");
    Insert("cdtext.cue");
    EXPECT_EQ(ZLXCDDBGetCDInfo("T:"), 0);
    EXPECT_EQ(Text(ZLXCDDBGetTitle), "<none>");
    EXPECT_EQ(ZLXCDDBGetCDInfo("1:"), 0);
    EXPECT_EQ(ZLXCDDBGetCDInfo(nullptr), 0);
}

TEST_F(CddbTest, GettersFollowTheBufferContract) {
    UseDatabase(SampleDatabase());
    Insert("audio.cue");
    ASSERT_EQ(ZLXCDDBGetCDInfo("T:"), 1);
    EXPECT_EQ(Text(ZLXCDDBGetYear), "2001");
    EXPECT_EQ(Text(ZLXCDDBGetNotes),
              "Recorded at the Old Mill, Zelvane.\nTwelve short pieces, one for each tone.");
    EXPECT_EQ(TrackText(ZLXCDDBGetTrackTitle, 1), "Prelude in C");
    // What xmcd entries cannot say, and tracks the disc does not have.
    for (auto getter :
         {ZLXCDDBGetLabel, ZLXCDDBGetSecondaryGenreID, ZLXCDDBGetTotalInSet, ZLXCDDBGetNumberInSet})
        EXPECT_EQ(Text(getter), "<none>");
    for (auto getter :
         {ZLXCDDBGetTrackYear, ZLXCDDBGetTrackLabel, ZLXCDDBGetTrackLyrics, ZLXCDDBGetTrackGenreID,
          ZLXCDDBGetTrackSecondatyGenreID, ZLXCDDBGetTrackNotes})
        EXPECT_EQ(TrackText(getter, 1), "<none>");
    for (int track : {0, 13, -1})
        EXPECT_EQ(TrackText(ZLXCDDBGetTrackTitle, track), "<none>");

    // Too small: the size needed comes back and nothing past the buffer is touched.
    char buffer[8];
    memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(ZLXCDDBGetTitle(buffer, 4), 13);
    EXPECT_EQ(std::string(buffer + 4, 4), "####");
    EXPECT_EQ(ZLXCDDBGetTitle(nullptr, 0), 13);
    char exact[13];
    EXPECT_EQ(ZLXCDDBGetTitle(exact, 13), 13);
    EXPECT_STREQ(exact, "Twelve Tones");
}

// A disc the database does not know is named by its CD-Text: through the drive, and through
// its table of contents afterwards, until CD-Text is switched off.
TEST_F(CddbTest, CdTextNamesDiscsTheDatabaseDoesNotKnow) {
    Insert("cdtext.cue");
    const int size = ZLXScsiGetCDText(kDrive, nullptr, 0, 30);
    ASSERT_GT(size, 4);
    EXPECT_EQ((size - 4) % 18, 0);
    unsigned char small[10];
    EXPECT_EQ(ZLXScsiGetCDText(kDrive, small, sizeof(small), 30), size);
    EXPECT_EQ(small[0] << 8 | small[1], size - 2);

    ASSERT_EQ(ZLXCDDBGetCDInfo("T:"), 1);
    EXPECT_EQ(Text(ZLXCDDBGetTitle), "Zelvane Sample Album");
    EXPECT_EQ(Text(ZLXCDDBGetArtist), "Zelvane Sample Band");
    EXPECT_EQ(TrackText(ZLXCDDBGetTrackTitle, 3), "Song number 3");
    EXPECT_EQ(TrackText(ZLXCDDBGetTrackArtist, 3), "Zelvane Sample Band");

    // The wizard's later lookup by table of contents, after another disc was asked about.
    const std::vector<uint8_t> toc = DriveToc();
    std::vector<uint8_t> other = toc;
    other[4 + 8 + 7] ^= 1;
    EXPECT_EQ(ZLXCDDBGetCDInfoFromToc(other.data(), 2), 0);
    EXPECT_EQ(ZLXCDDBGetCDInfoFromToc(toc.data(), 2), 1);
    EXPECT_EQ(TrackText(ZLXCDDBGetTrackTitle, 1), "Song number 1");
    Store("CddbUseCdText", "0");
    EXPECT_EQ(ZLXCDDBGetCDInfoFromToc(toc.data(), 2), 0);
    EXPECT_EQ(Text(ZLXCDDBGetTitle), "<none>");
}

TEST_F(CddbTest, SubmittedDiscsAreFoundByTheNextLookup) {
    Insert("cdtext.cue");
    ASSERT_EQ(ZLXCDDBGetCDInfo("T:"), 1);
    ZLXCDDBSubmitDisc();
    // Named by its disc ID in the category its genre names, misc without one.
    const std::string id = EntryIn(m_database + "misc\\");
    EXPECT_EQ(id.size(), 8u);
    const std::string entry = testproc::FileText(m_database + "misc\\" + id);
    EXPECT_EQ(entry.compare(0, 6, "# xmcd"), 0);
    EXPECT_NE(entry.find("DTITLE=Zelvane Sample Band / Zelvane Sample Album\n"), std::string::npos);

    Store("CddbUseCdText", "0");
    ZLXCDDBReleaseInterface();
    ASSERT_EQ(ZLXCDDBGetCDInfo("T:"), 1);
    EXPECT_EQ(Text(ZLXCDDBGetTitle), "Zelvane Sample Album");
    EXPECT_EQ(TrackText(ZLXCDDBGetTrackTitle, 4), "Song number 4");
}

// Edited in the dialog as a user would: the library is locked while it is open, OK reports
// the change, and the edit is what the getters and a submission give from then on.
TEST_F(CddbTest, EditedDiscInformationBecomesCurrentAndIsStored) {
    Insert("audio.cue");
    ASSERT_EQ(ZLXCDDBGetCDInfo("T:"), 0);
    EXPECT_EQ(ZLXCDDBIsLocked(), 0);
    std::atomic<int> lockedWhileOpen{-1};
    std::thread user([&] {
        HWND dialog = nullptr;
        for (int i = 0; i < 200 && !dialog; ++i) {
            Sleep(50);
            dialog = FindWindowA(nullptr, "Edit Disc Information");
        }
        if (!dialog)
            return;
        lockedWhileOpen = ZLXCDDBIsLocked();
        SetDlgItemTextA(dialog, IDC_CDDB_ARTIST, "Test Artist");
        SetDlgItemTextA(dialog, IDC_CDDB_TITLE, "Test Album");
        SetDlgItemTextA(dialog, IDC_CDDB_GENRE, "Jazz");
        SetDlgItemTextA(dialog, IDC_CDDB_TRACK_TITLE, "First Track");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    const int result = ZLXCDDBDisplayDiskInfo(2);
    user.join();
    EXPECT_EQ(lockedWhileOpen, 1);
    EXPECT_EQ(ZLXCDDBIsLocked(), 0);
    EXPECT_EQ(result & 0x500, 0x500);
    EXPECT_EQ(Text(ZLXCDDBGetTitle), "Test Album");
    EXPECT_EQ(TrackText(ZLXCDDBGetTrackTitle, 1), "First Track");
    EXPECT_EQ(TrackText(ZLXCDDBGetTrackArtist, 5), "Test Artist");

    ZLXCDDBSubmitDisc();
    ZLXCDDBReleaseInterface();
    ASSERT_EQ(ZLXCDDBGetCDInfo("T:"), 1);
    EXPECT_EQ(Text(ZLXCDDBGetArtist), "Test Artist");
    EXPECT_EQ(Text(ZLXCDDBGetGenreID), "Jazz");
    EXPECT_EQ(EntryIn(m_database + "jazz\\"), EntryIn(SampleDatabase() + "classical\\"));
}
} // namespace
