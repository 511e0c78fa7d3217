// The wizard on emulated drives, driven from outside: the page it opens on, the drive list,
// discs inserted and ejected with the drive tool while it runs, and Next on the source page.
#include "E2eHarness.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

using namespace e2e;

namespace {

constexpr int kDriveList = 1003;
bool OnSourcePage(HWND sheet) {
    HWND list = FindControl(CurrentPage(sheet), kDriveList);
    return list && IsWindowVisible(list);
}

// A message box of the process: a dialog window other than the wizard sheet.
HWND WaitForMessageBox(DWORD pid, HWND sheet, DWORD milliseconds) {
    return WaitForWindow(pid, "#32770", milliseconds,
                         [&](HWND w) { return w != sheet && GetDlgItem(w, 0xFFFF); });
}

struct WizardE2e : ::testing::Test {
    void SetUp() override {
        if (!ShellSeesSampleDrives())
            GTEST_SKIP() << "the sample drives are not mapped";
        store.Clear("ZLXBuildEditor");     // an ordinary wizard
        store.Set("ZlxSettings", "01110"); // kind texts, not album titles, in the list
    }
    static bool ShellSeesSampleDrives() { return GetDriveTypeA("E:\\") == DRIVE_CDROM; }
    // The wizard sheet: its work dialog (no title) and message boxes are dialogs too.
    HWND StartWizard() { return StartWizardSheet(wizard); }
    void Cancel(HWND sheet) {
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        EXPECT_TRUE(wizard.WaitExit(10000));
    }
    StoreScope store;
    PrivateDrives drives;
    ChildProcess wizard;
};

TEST_F(WizardE2e, OneDiscInTheDrivesOpensOnTheCopyMethodPage) {
    drives.Insert('E', "audio.cue");
    drives.AddEmpty('D');
    HWND sheet = StartWizard();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(WaitFor([&] { return CurrentPage(sheet) != nullptr; }, 10000));
    EXPECT_FALSE(OnSourcePage(sheet)) << "the only disc was analysed at start";
    Cancel(sheet);
}

TEST_F(WizardE2e, SourcePageListsFollowsRefusesAndAnalyses) {
    drives.Insert('E', "audio.cue");
    drives.Insert('J', "vcd.cue", "--profile noraw");
    drives.AddEmpty('D');
    HWND sheet = StartWizard();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(WaitFor([&] { return OnSourcePage(sheet); }, 10000));
    RemoteListView list(FindControl(CurrentPage(sheet), kDriveList), wizard.Pid());
    ASSERT_TRUE(WaitFor([&] { return list.Count() == 2; }, 10000)) << list.Count();
    const auto rows = list.Rows();
    EXPECT_EQ(rows[0].rfind("[E:] ", 0), 0u) << rows[0];
    EXPECT_EQ(rows[1].rfind("[J:] ", 0), 0u) << rows[1];
    EXPECT_EQ(list.Text(0, 2), "Audio CD");
    EXPECT_EQ(list.Text(1, 2), "Video CD");
    EXPECT_FALSE(list.Text(0, 1).empty()) << "the size column";

    // A disc inserted with the drive tool shows up without a click, and goes again.
    list.Select(1);
    drives.Insert('G', "data.iso", "--profile noraw");
    ASSERT_TRUE(WaitFor([&] { return list.Count() == 3; }, 15000));
    EXPECT_EQ(list.Text(1, 2), "Data CD");
    EXPECT_EQ(list.Text(2, 0), rows[1]) << "the selection stays with the Video CD";
    drives.Eject('G');
    ASSERT_TRUE(WaitFor([&] { return list.Count() == 2; }, 15000));

    // A Video CD needs raw reading, which this drive cannot do.
    list.Select(1);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    HWND box = WaitForMessageBox(wizard.Pid(), sheet, 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find("requires RAW sector read"), std::string::npos)
        << MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(
        WaitFor([&] { return WaitForMessageBox(wizard.Pid(), sheet, 0) == nullptr; }, 5000));
    EXPECT_TRUE(OnSourcePage(sheet));

    // The audio CD is analysed and the wizard moves on.
    list.Select(0);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    EXPECT_TRUE(WaitFor([&] { return !OnSourcePage(sheet); }, 20000));
    EXPECT_EQ(WaitForMessageBox(wizard.Pid(), sheet, 0), nullptr);
    Cancel(sheet);
}

} // namespace
