// The data track settings page of the installed wizard in Expert Copy Mode: the choices
// made there are exactly what the job hands the writer.
#include "E2eHarness.h"

#include "res/page_datasettings_ids.h"
#include "res/page_todo_ids.h"
#include "settings/Registry.h"
#include "settings/ZlxBuildSettings.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

using namespace e2e;

namespace {

constexpr int kBack = 0x3023, kNext = 0x3024, kFinish = 0x3025;

bool Checked(HWND control) {
    return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
// A click, posted so that a message box could not block the test; true once it took.
bool Click(HWND sheet, int id) {
    HWND box = PageControl(sheet, id);
    const bool was = Checked(box);
    PostMessageA(box, BM_CLICK, 0, 0);
    return WaitFor([&] { return Checked(box) != was; }, 5000);
}

struct DataSettingsE2e : ::testing::Test {
    void SetUp() override {
        if (GetDriveTypeA("G:\\") != DRIVE_CDROM)
            GTEST_SKIP() << "the sample drives are not mapped";
        ASSERT_TRUE(WaitForWriterToEnd(10000));
        store.Clear("ZLXBuildEditor");
        store.Clear("ZLXBuildSourceCDDrive");
        store.Clear("ZlxBuildSettings");
        UseCopyMode(store, true);
        for (std::string* folder : {&images, &quickCopy}) {
            CreateDirectoryA(folder->c_str(), nullptr);
            store.Set(folder == &images ? "ZlxImagePath" : "ZlxZQCPath", *folder + "\\");
        }
        DeleteFileA(report.c_str());
    }
    void TearDown() override {
        RemoveTree(images);
        RemoveTree(quickCopy);
        DeleteFileA(journal.c_str());
    }
    // The wizard opened on the only disc, moved from the copy method page (with the preset
    // at `preset`) to the data track settings page.
    HWND OpenDataSettings(int preset) {
        HWND sheet = StartWizardSheet(wizard);
        if (!sheet || !WaitFor([&] { return PageControl(sheet, IDC_TODO_PRESETS); }, 20000))
            return nullptr;
        ChooseEntry(sheet, IDC_TODO_PRESETS, preset);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        return WaitFor([&] { return PageControl(sheet, IDC_DATA_RAW); }, 10000) ? sheet : nullptr;
    }
    // Next through the pages behind, then Finish; the writer's report is awaited.
    void FinishFromHere(HWND sheet) {
        auto usable = [&](int id) {
            HWND button = GetDlgItem(sheet, id);
            return IsWindowVisible(button) && IsWindowEnabled(button);
        };
        for (int page = 0; page < 4; ++page) {
            // The buttons are posted when a page becomes active.
            ASSERT_TRUE(WaitFor([&] { return usable(kFinish) || usable(kNext); }, 5000));
            if (usable(kFinish))
                break;
            HWND before = CurrentPage(sheet);
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            if (!WaitFor([&] { return CurrentPage(sheet) != before; }, 10000)) {
                HWND box = WaitForWindow(wizard.Pid(), "#32770", 0, [&](HWND w) {
                    return w != sheet && GetDlgItem(w, 0xFFFF);
                });
                FAIL() << "Next stayed on the page" << (box ? ": " + MessageBoxText(box) : "");
            }
            // The new page posts its buttons as it becomes active; until they arrive the
            // sheet still shows the old page's.
            Pump(500);
        }
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        ASSERT_TRUE(wizard.WaitExit(20000)) << "the wizard did not end on Finish";
        ASSERT_TRUE(WaitForWriterReport(report, 30000));
    }
    bool Reported(const std::string& line) const {
        const auto lines = ReadLines(report);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    StoreScope store;
    PrivateDrives drives;
    std::string journal = TempFile("zl5e2e_data_journal.txt");
    EnvScope journalScope{"ZL5ENV_JOURNAL", journal};
    EnvScope quiet{"ZL5WRITE_QUIET", "1"};
    std::string images = TempFile("zl5e2e_data_images");
    std::string quickCopy = TempFile("zl5e2e_data_zqc");
    std::string report = HomeFile("system\\zl5write.log");
    ChildProcess wizard;
};

TEST_F(DataSettingsE2e, RawAndSubChannelReadingChosenForADataCdReachTheWriter) {
    drives.Insert('G', "data.iso");
    HWND sheet = OpenDataSettings(0); // the plain preset: cooked sectors
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(Checked(PageControl(sheet, IDC_DATA_RAW)));
    EXPECT_FALSE(IsWindowEnabled(PageControl(sheet, IDC_DATA_SUBCHANNEL)));

    ASSERT_TRUE(Click(sheet, IDC_DATA_RAW)) << "the drive reads raw sectors";
    EXPECT_TRUE(IsWindowEnabled(PageControl(sheet, IDC_DATA_SUBCHANNEL)));
    ASSERT_TRUE(Click(sheet, IDC_DATA_SUBCHANNEL)) << "and sub-channel data";
    // The drive lists 48, 40, 32, 24, 16, 8 and 4x; the error speed first, so it is never
    // above the read speed.
    ChooseEntry(sheet, IDC_DATA_ERROR_SPEED, 5);
    ChooseEntry(sheet, IDC_DATA_READ_SPEED, 3);
    EXPECT_EQ(ControlText(PageControl(sheet, IDC_DATA_READ_SPEED)), "24 x");
    ChooseEntry(sheet, IDC_DATA_REPEAT_READS, 2);
    SendMessageA(PageControl(sheet, IDC_DATA_SKIP_RANGE), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("250"));
    FinishFromHere(sheet);

    auto job = JournalledJob(journal);
    ASSERT_EQ(job["ZLXBuildDataReady"], "1");
    const std::pair<const char*, const char*> chosen[] = {
        {"ZlxBuildSectorSize", "2352"},    {"ZlxBuildSectorType", "256"},
        {"ZlxBuildReadSZQ", "1"},          {"ZlxBuildSelReadSpeed", "24"},
        {"ZlxBuildDynamicReadSpeed", "8"}, {"ZlxBuildTimesToValidate", "3"},
        {"ZlxBuildSkipRange", "250"},      {"ZlxBuildDynamicErrorHandling", "1"},
        {"ZlxBuildWriteZQCFile", "0"},
    };
    for (const auto& [name, value] : chosen) {
        EXPECT_EQ(job[name], value) << name;
        EXPECT_TRUE(Reported(std::string(name) + "=" + value)) << name;
    }
}

TEST_F(DataSettingsE2e, ADvdIsReadCookedAndMayAskForAQuickCopyFile) {
    drives.Insert('O', "dvdrom.iso", "--profile modern --dvd");
    HWND sheet = OpenDataSettings(0);
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(IsWindowEnabled(PageControl(sheet, IDC_DATA_RAW)));
    EXPECT_FALSE(Checked(PageControl(sheet, IDC_DATA_RAW)));
    ASSERT_TRUE(IsWindowEnabled(PageControl(sheet, IDC_DATA_QUICKCOPY)));
    ASSERT_TRUE(Click(sheet, IDC_DATA_QUICKCOPY)) << "no Quick Copy file yet: no question";
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, kBack)));
    FinishFromHere(sheet);

    auto job = JournalledJob(journal);
    ASSERT_EQ(job["ZLXBuildDataReady"], "1");
    EXPECT_EQ(job["ZlxBuildSectorSize"], "2048");
    EXPECT_EQ(job["ZlxBuildSectorType"], "0");
    EXPECT_EQ(job["ZlxBuildReadSZQ"], "0");
    EXPECT_EQ(job["ZlxBuildWriteZQCFile"], "1");
    const auto lines = ReadLines(report);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.rfind("QuickCopyFile=" + quickCopy, 0) == 0;
    })) << "the writer wrote the Quick Copy file";
}

} // namespace
