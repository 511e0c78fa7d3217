// The track list page of the installed wizard in Expert Copy Mode: the tracks the user
// blocks and moves reach the writer as the track order, with their titles.
#include "E2eHarness.h"

#include "res/page_tracks_ids.h"
#include "res/page_todo_ids.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

using namespace e2e;

namespace {

bool ButtonEnabled(HWND sheet, int id) {
    HWND button = GetDlgItem(sheet, id);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
}

struct TracksE2e : ::testing::Test {
    void SetUp() override {
        if (GetDriveTypeA("E:\\") != DRIVE_CDROM)
            GTEST_SKIP() << "the sample drives are not mapped";
        ASSERT_TRUE(WaitForWriterToEnd(10000));
        store.Clear("ZLXBuildEditor");
        UseCopyMode(store, true);
        store.Set("ZlxSettings", "11110"); // titles from the disc database
        CreateDirectoryA(images.c_str(), nullptr);
        store.Set("ZlxImagePath", images + "\\");
        DeleteFileA(report.c_str());
    }
    void TearDown() override {
        RemoveTree(images); // the writer makes a folder of each image's name in it
        DeleteFileA(journal.c_str());
    }

    // The wizard on the drive's disc, past the copy method page; the track list.
    HWND OpenTracks(char letter) {
        store.Set("ZLXBuildSourceCDDrive", std::string(1, letter));
        sheet = StartWizardSheet(wizard);
        if (!sheet ||
            !WaitFor([&] { return GetDlgItem(CurrentPage(sheet), IDC_TODO_PRESETS); }, 20000))
            return nullptr;
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        WaitFor([&] { return GetDlgItem(CurrentPage(sheet), IDC_TRACKS_LIST) != nullptr; }, 10000);
        return GetDlgItem(CurrentPage(sheet), IDC_TRACKS_LIST);
    }
    // Selects only the row and presses the button, as the user does.
    void Press(const RemoteListView& list, HWND handle, int row, int button) {
        ClearSelection(handle);
        list.Select(row);
        HWND page = CurrentPage(sheet);
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, button)));
        Pump(300);
    }
    // The list's item memory lives in the wizard's process.
    void ClearSelection(HWND handle) {
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, wizard.Pid());
        ASSERT_NE(process, nullptr);
        void* remote =
            VirtualAllocEx(process, nullptr, sizeof(LVITEMA), MEM_COMMIT, PAGE_READWRITE);
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED;
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageA(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(remote));
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
    }
    // Next through the pages behind, then Finish; the writer's report.
    std::map<std::string, std::string> Finish() {
        for (int page = 0; page < 6 && !ButtonEnabled(sheet, 0x3025); ++page) {
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            Pump(1000);
        }
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        EXPECT_TRUE(wizard.WaitExit(20000)) << "the wizard did not end on Finish";
        EXPECT_TRUE(WaitForWriterReport(report, 30000));
        std::map<std::string, std::string> written;
        for (const std::string& line : ReadLines(report))
            if (line.find('=') != std::string::npos)
                written[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        return written;
    }

    StoreScope store;
    ChildProcess wizard;
    HWND sheet = nullptr;
    std::string images = TempFile("zl5e2e_track_images");
    std::string journal = TempFile("zl5e2e_tracks_journal.txt");
    std::string report = HomeFile("system\\zl5write.log");
    EnvScope journalScope{"ZL5ENV_JOURNAL", journal};
    EnvScope quiet{"ZL5WRITE_QUIET", "1"};
};

TEST_F(TracksE2e, ABlockedAndTwoMovedTracksOfTheAudioDiscReachTheWriter) {
    HWND handle = OpenTracks('E');
    ASSERT_NE(handle, nullptr);
    RemoteListView list(handle, wizard.Pid());
    ASSERT_EQ(list.Count(), 12);
    Press(list, handle, 1, IDC_TRACKS_TOGGLE); // track 2 blocked
    Press(list, handle, 11, IDC_TRACKS_TOP);   // track 12 first
    Press(list, handle, 1, IDC_TRACKS_END);    // track 1 last
    std::string info;
    for (int row = 0, line = 1; row < list.Count(); ++row) {
        if (list.Text(row, 2) == "02")
            continue;
        char number[8];
        snprintf(number, sizeof number, "%02d ", line++);
        info += number + list.Text(row, 0) + "\\r\\n";
    }
    const std::string firstTitle = list.Text(11, 0);
    EXPECT_EQ(firstTitle, "Prelude in C") << "the database names the tracks";

    auto written = Finish();
    EXPECT_EQ(written["ZlxBuildTrackOrder"], "1203040506070809101101");
    EXPECT_EQ(written["ZlxBuildCreateCustomCD"], "1");
    EXPECT_EQ(written["ZlxBuildReadSZQ"], "0");
    EXPECT_EQ(written["ZlxBuildNameOfAudioTrack1"], firstTitle);
    EXPECT_EQ(written["ZlxBuildInfoText"], info);
    auto job = JournalledJob(journal);
    EXPECT_EQ(job["ZlxBuildTrackOrder"], "1203040506070809101101");
    EXPECT_EQ(job["ZLXBuildDataReady"], "1");
}

TEST_F(TracksE2e, TheDataTrackOfTheMixedModeSampleStaysFirst) {
    HWND handle = OpenTracks('H');
    ASSERT_NE(handle, nullptr);
    RemoteListView list(handle, wizard.Pid());
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Text(0, 0), "Data track");

    Press(list, handle, 0, IDC_TRACKS_DOWN);
    HWND box = WaitForWindow(wizard.Pid(), "#32770", 5000,
                             [&](HWND w) { return w != sheet && GetDlgItem(w, 0xFFFF); });
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "The position of the data track cannot be changed.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Pump(300);

    Press(list, handle, 3, IDC_TRACKS_TOP);
    EXPECT_EQ(list.Text(0, 2), "01");
    EXPECT_EQ(list.Text(1, 2), "04");
    auto written = Finish();
    EXPECT_EQ(written["ZlxBuildTrackOrder"], "01040203");
    EXPECT_EQ(written["ZlxBuildCreateCustomCD"], "1");
}

TEST_F(TracksE2e, TheCdExtraDataTrackStaysLastAndLeavesWithABlockedAudioTrack) {
    HWND handle = OpenTracks('I');
    ASSERT_NE(handle, nullptr);
    RemoteListView list(handle, wizard.Pid());
    const int rows = list.Count();
    ASSERT_GE(rows, 3);
    EXPECT_EQ(list.Text(rows - 1, 0), "Data track");
    Press(list, handle, 0, IDC_TRACKS_END); // to the end of the audio, before the data track
    EXPECT_EQ(list.Text(rows - 2, 2), "01");
    EXPECT_EQ(list.Text(rows - 1, 0), "Data track");
    Press(list, handle, 0, IDC_TRACKS_TOGGLE); // track 2 blocked: the second session goes too
    std::string order;
    for (int row = 1; row < rows - 1; ++row)
        order += list.Text(row, 2);
    auto written = Finish();
    EXPECT_EQ(written["ZlxBuildTrackOrder"], order);
    EXPECT_EQ(written["ZlxBuildCreateCustomCD"], "1");
    auto job = JournalledJob(journal);
    EXPECT_EQ(job["ZlxBuildZLXType"], "2") << "without its data track the image is an audio CD";
}

} // namespace
