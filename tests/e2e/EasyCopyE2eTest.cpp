// The Easy Copy road with the installed program: an audio disc named by the disc
// information database goes from the copy method page straight to the writer, and a copy
// that asked for a Quick Copy file finds that file offered the next time.
#include "E2eHarness.h"

#include "res/page_todo_ids.h"
#include "settings/Registry.h"
#include "settings/ZlxBuildSettings.h"
#include "ZLXCDDB.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

using namespace e2e;

namespace {

// The copy method presets of the list: each entry's item data is its preset code (the
// entries' texts do not cross to another process).
std::vector<LRESULT> PresetCodes(HWND combo) {
    std::vector<LRESULT> codes;
    for (LRESULT i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i)
        codes.push_back(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    return codes;
}

// What the installed disc information library says about the disc in a drive.
struct AlbumAnswer {
    bool found = false;
    std::string title, artist, firstTrack;
};
AlbumAnswer AskLibrary(const char* drive) {
    AlbumAnswer answer;
    HMODULE library = LoadLibraryA(HomeFile("system\\ZLXCDDB.dll").c_str());
    if (!library)
        return answer;
    auto proc = [&](const char* name) {
        return reinterpret_cast<void (*)()>(GetProcAddress(library, name));
    };
    using Find = int(__cdecl*)(const char*);
    using Text = int(__cdecl*)(char*, int);
    using TrackText = int(__cdecl*)(int, char*, int);
    auto find = reinterpret_cast<Find>(proc("ZLXCDDBGetCDInfo"));
    auto title = reinterpret_cast<Text>(proc("ZLXCDDBGetTitle"));
    auto artist = reinterpret_cast<Text>(proc("ZLXCDDBGetArtist"));
    auto track = reinterpret_cast<TrackText>(proc("ZLXCDDBGetTrackTitle"));
    char buffer[512] = {};
    if (find && title && artist && track && find(drive)) {
        answer.found = true;
        if (title(buffer, sizeof buffer) > 0)
            answer.title = buffer;
        if (artist(buffer, sizeof buffer) > 0)
            answer.artist = buffer;
        if (track(1, buffer, sizeof buffer) > 0)
            answer.firstTrack = buffer;
    }
    FreeLibrary(library);
    return answer;
}

struct EasyCopyE2e : ::testing::Test {
    void SetUp() override {
        if (GetDriveTypeA("E:\\") != DRIVE_CDROM)
            GTEST_SKIP() << "the sample drives are not mapped";
        ASSERT_TRUE(WaitForWriterToEnd(10000));
        store.Clear("ZLXBuildEditor");
        store.Clear("ZLXBuildSourceCDDrive");
        // Easy Copy Mode, the default, without ejecting: the sample drives serve later tests.
        UseCopyMode(store, false);
        store.Set("ZlxSettings", "11110"); // the disc information service on
        images = TempFile("zl5e2e_images");
        CreateDirectoryA(images.c_str(), nullptr);
        store.Set("ZlxImagePath", images + "\\");
        quickCopy = TempFile("zl5e2e_zqc");
        CreateDirectoryA(quickCopy.c_str(), nullptr);
        store.Set("ZlxZQCPath", quickCopy + "\\");
        DeleteFileA(report.c_str());
    }
    void TearDown() override {
        // The writer makes a folder of each image's name inside the image folder.
        RemoveTree(images);
        RemoveTree(quickCopy);
        DeleteFileA(journal.c_str());
    }
    // Starts the wizard with only `letter` holding a disc it can start on, and waits for the
    // copy method page.
    HWND OpenOnCopyMethod(char letter, ChildProcess& wizard) {
        store.Set("ZLXBuildSourceCDDrive", std::string(1, letter));
        HWND sheet = StartWizardSheet(wizard);
        EXPECT_TRUE(sheet && WaitFor([&] { return PageControl(sheet, IDC_TODO_PRESETS); }, 20000));
        return sheet;
    }
    void Finish(HWND sheet, ChildProcess& wizard) {
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        ASSERT_TRUE(wizard.WaitExit(20000)) << "the wizard did not end on Finish";
        ASSERT_TRUE(WaitForWriterReport(report, 30000));
    }
    StoreScope store;
    std::string images, quickCopy;
    std::string journal = TempFile("zl5e2e_easy_journal.txt");
    std::string report = HomeFile("system\\zl5write.log");
    EnvScope journalScope{"ZL5ENV_JOURNAL", journal};
    EnvScope quiet{"ZL5WRITE_QUIET", "1"};
};

TEST_F(EasyCopyE2e, AnAudioDiscIsNamedByItsAlbumAndFinishedFromTheCopyMethodPage) {
    const AlbumAnswer album = AskLibrary("E:");
    ASSERT_TRUE(album.found) << "the bundled database has an entry for the audio sample";
    ChildProcess wizard;
    HWND sheet = OpenOnCopyMethod('E', wizard);
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(ControlText(GetDlgItem(page, IDC_TODO_DESCRIPTION)),
              album.artist + " (" + album.title + ")");
    EXPECT_EQ(ControlText(GetDlgItem(page, IDC_TODO_SOURCE)), "E:");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_TODO_LABEL)));
    HWND finish = GetDlgItem(sheet, 0x3025);
    EXPECT_TRUE(IsWindowVisible(finish) && IsWindowEnabled(finish))
        << "Easy Copy Mode finishes here";
    Finish(sheet, wizard);

    auto job = JournalledJob(journal);
    ASSERT_EQ(job["ZLXBuildDataReady"], "1");
    // A description too long for a file name leaves the naming to the album.
    const std::string description = album.artist + " (" + album.title + ")";
    const std::string image =
        images + "\\" + (description.size() > 30 ? album.title : description) + ".zl4";
    EXPECT_EQ(job["ZLXBuildDestinationFile"], Journalled(image));
    EXPECT_EQ(job["ZlxBuildAudioRecord"], album.title);
    EXPECT_EQ(job["ZlxBuildAudioArtist"], album.artist);
    EXPECT_EQ(job["ZlxBuildNameOfAudioTrack1"], album.firstTrack);
    EXPECT_EQ(job["ZlxBuildSectorSize"], "2352");
    const auto written = ReadLines(report);
    EXPECT_NE(std::find(written.begin(), written.end(), "ZLXBuildDestinationFile=" + image),
              written.end());
}

TEST_F(EasyCopyE2e, AQuickCopyFileWrittenByOneCopyIsOfferedByTheNext) {
    // The data sample's drive cannot read raw, so its plain presets apply.
    ChildProcess first;
    HWND sheet = OpenOnCopyMethod('G', first);
    ASSERT_NE(sheet, nullptr);
    HWND presets = PageControl(sheet, IDC_TODO_PRESETS);
    ASSERT_EQ(PresetCodes(presets), (std::vector<LRESULT>{0, 1, 3}));
    ChooseEntry(sheet, IDC_TODO_PRESETS, 2);
    Finish(sheet, first);
    auto job = JournalledJob(journal);
    EXPECT_EQ(job["ZlxBuildWriteZQCFile"], "1");
    EXPECT_EQ(job["ZlxBuildSkipRange"], "500");

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((quickCopy + "\\*.zqc").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "the writer wrote a Quick Copy file";
    FindClose(search);

    DeleteFileA(report.c_str());
    ChildProcess second;
    sheet = OpenOnCopyMethod('G', second);
    ASSERT_NE(sheet, nullptr);
    presets = PageControl(sheet, IDC_TODO_PRESETS);
    ASSERT_EQ(PresetCodes(presets), (std::vector<LRESULT>{0, 1, 3, 4}));
    EXPECT_EQ(SendMessageA(presets, CB_GETCURSEL, 0, 0), 3) << "preselected";
    const std::string shown = ControlText(PageControl(sheet, IDC_TODO_QUICKCOPY));
    EXPECT_NE(shown.find(std::string(found.cFileName).substr(0, strlen(found.cFileName) - 4)),
              std::string::npos)
        << shown;
    Finish(sheet, second);
    job = JournalledJob(journal);
    EXPECT_EQ(job["ZlxBuildSkipRange"], "500") << "the options came from the file";
    EXPECT_EQ(job["ZlxBuildWriteZQCFile"], "0");
    EXPECT_NE(job["ZlxBuildZQCFileName"].find(".zqc"), std::string::npos);
}

} // namespace
