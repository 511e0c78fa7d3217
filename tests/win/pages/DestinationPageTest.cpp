// The destination page in the running wizard: what is typed and chosen reaches the job,
// refused destinations keep the user on the page with their message, the sizes and the
// pie follow the drive, and in Easy Copy Mode the page finishes the wizard.
#include "SheetHarness.h"

#include "WinTestSupport.h"
#include "pages/PageDestination.h"
#include "res/controls_ids.h"
#include "res/page_destination_ids.h"
#include "res/page_todo_ids.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sheet_test;

namespace {

struct DestinationPageFixture : ::testing::Test, SheetRun {
    DestinationPageFixture() {
        InsertDisc('E', 0, "BACKUP", true);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = temp;
    }
    static CBuildJob& Job() { return *CZlxbuildApp::Current()->Job(); }
    static void Needs(uint32_t megabytes) {
        for (uint32_t& figure : Job().Estimate)
            figure = megabytes;
    }
    // Expert Copy Mode appends every page, so this one can be shown straight away.
    static HWND OpenPage(CZlxbuildDlg& sheet) { return ShowSlot(sheet, kSlotDestination); }
    static CPageDestination& Page(CZlxbuildDlg& sheet) {
        return *static_cast<CPageDestination*>(sheet.SlotPage(kSlotDestination));
    }
    static void Type(HWND page, const std::string& text) {
        SetDlgItemTextA(page, IDC_DEST_PATH, text.c_str());
        Flush();
    }
    static bool Shown(HWND page, int id) { return IsWindowVisible(GetDlgItem(page, id)) != 0; }
    void Expert() {
        BuildSettings([](CZlxBuildSettings& s) { s.EasyCopyMode = 0; });
    }
    std::string folder; // the temporary folder, with its trailing backslash
};

TEST_F(DestinationPageFixture, TypedPathAndChoicesReachTheJobAndNextGoesOn) {
    Expert();
    StartWizard([&](CZlxbuildDlg& sheet) {
        Job().DestinationFile = folder + "First.zl4";
        Needs(1);
        HWND page = OpenPage(sheet);
        EXPECT_EQ(ItemText(page, IDC_DEST_PATH), folder + "First.zl4");
        EXPECT_EQ(ItemText(page, IDC_DEST_NEEDED), "1 MB");
        EXPECT_NE(ItemText(page, IDC_DEST_FREE), "?");
        EXPECT_EQ(EnabledButtons(sheet), DWORD(PSWIZB_BACK | PSWIZB_NEXT));
        EXPECT_TRUE(Shown(page, IDC_DEST_COMPRESSION));

        Type(page, folder + "Typed");
        EXPECT_EQ(Job().DestinationFile, folder + "Typed");
        SelectComboEntry(page, IDC_DEST_COMPRESSION, 3);
        EXPECT_EQ(Job().CompressionType, 2);
        EXPECT_EQ(Job().CompressionLevel, 3);
        Click(page, IDC_DEST_OWN_FOLDER);
        EXPECT_EQ(Job().AutoCreateFolder, 0);
        SelectComboEntry(page, IDC_DEST_VIEW, 1);

        Press(sheet, PSBTN_NEXT);
        EXPECT_TRUE(messages.shown.empty());
        ASSERT_EQ(ActiveSlot(sheet), kSlotProperties);
        EXPECT_EQ(Job().DestinationFile, folder + "Typed.zl4");
        EXPECT_EQ(Job().InsertIntoNet, 1);

        // Audio tracks into sound files leave nothing to compress.
        Job().CdType = 2;
        Job().AudioRecordMode = 1;
        Press(sheet, PSBTN_BACK);
        ASSERT_EQ(ActiveSlot(sheet), kSlotDestination);
        EXPECT_EQ(ItemText(page, IDC_DEST_PATH), folder + "Typed.zl4");
        EXPECT_FALSE(IsDlgButtonChecked(page, IDC_DEST_OWN_FOLDER));
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_DEST_COMPRESSION, CB_GETCURSEL, 0, 0), 3);
        for (int id : {IDC_DEST_COMPRESSION, IDC_DEST_COMPRESSION_LABEL, IDC_DEST_HEAD_COMPRESSION})
            EXPECT_FALSE(Shown(page, id)) << id;
    });
}

TEST_F(DestinationPageFixture, RefusedDestinationsKeepTheUserOnThePageWithTheirMessage) {
    Expert();
    std::string noDrive;
    for (char letter = 'Z'; letter > 'K' && noDrive.empty(); --letter)
        if (GetDriveTypeA((std::string(1, letter) + ":\\").c_str()) == DRIVE_NO_ROOT_DIR)
            noDrive = std::string(1, letter) + ":\\Image";
    ASSERT_FALSE(noDrive.empty());
    system.files.insert(folder + "Old\\Old.zl4");
    StartWizard([&](CZlxbuildDlg& sheet) {
        Needs(1);
        HWND page = OpenPage(sheet);
        struct Case {
            std::string typed;
            int message;
            std::string shown; // what the field holds afterwards
            uint32_t needed = 1;
        } cases[] = {
            {"", 154, ""},
            {folder + "a*b", 155, folder + "a*b"},
            {folder, 159, folder},
            {noDrive, 158, noDrive + ".zl4"},
            {folder + "Old", 156, folder + "Old.zl4"},
            {folder + "Huge", 160, folder + "Huge.zl4", 0x7FFFFFFF},
        };
        for (const Case& c : cases) {
            Needs(c.needed);
            Type(page, c.typed);
            messages.shown.clear();
            messages.answers = {kAnswerNo};
            Press(sheet, PSBTN_NEXT);
            EXPECT_EQ(ActiveSlot(sheet), kSlotDestination) << c.typed;
            EXPECT_EQ(messages.Ids(), std::vector<int>{c.message}) << c.typed;
            EXPECT_EQ(ItemText(page, IDC_DEST_PATH), c.shown);
            EXPECT_EQ(Job().DestinationFile, c.shown);
        }
        EXPECT_EQ(messages.shown.back().buttons, MsgButtons::YesNo);
    });
}

TEST_F(DestinationPageFixture, SizesAndPieFollowTheNeedAndTheHardDiskListIsTold) {
    Expert();
    StartWizard([&](CZlxbuildDlg& sheet) {
        Job().DestinationFile = folder + "Sized.zl4";
        Needs(0x7FFFFFFF); // more than any drive holds
        HWND page = OpenPage(sheet);
        const CPageDestination& destination = Page(sheet);
        EXPECT_EQ(ItemText(page, IDC_DEST_NEEDED), "2147483647 MB");
        EXPECT_EQ(destination.NeededLabel().TextColour(), RGB(255, 0, 0));
        ASSERT_EQ(destination.Chart().Pieces().size(), 2u);
        EXPECT_EQ(destination.Chart().Pieces()[1]->Fill(), RGB(255, 0, 0));
        SaveScreenshot(sheet.Handle(), "destination_page_short");

        std::string required;
        ClickIntoDialog(sheet, page, IDC_DEST_HARD_DISKS, [&](HWND dialog) {
            required = ItemText(dialog, IDC_HD_REQUIRED);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(required, "2147483647 MB");

        Needs(1);
        SelectComboEntry(page, IDC_DEST_COMPRESSION, 1);
        EXPECT_EQ(ItemText(page, IDC_DEST_NEEDED), "1 MB");
        EXPECT_EQ(destination.NeededLabel().TextColour(), RGB(0, 0, 0));
        ASSERT_EQ(destination.Chart().Pieces().size(), 3u);
        EXPECT_EQ(destination.Chart().Pieces()[2]->Fill(), RGB(0, 128, 0));
        EXPECT_GE(destination.Chart().Pieces()[2]->Degrees(), 1);
        EXPECT_FALSE(SaveScreenshot(sheet.Handle(), "destination_page").empty());
    });
}

TEST_F(DestinationPageFixture, BrowsingCompletesTheChosenName) {
    Expert();
    StartWizard([&](CZlxbuildDlg& sheet) {
        Job().DestinationFile = folder + "Chosen";
        HWND page = OpenPage(sheet);
        std::string title;
        ClickIntoDialog(sheet, page, IDC_DEST_BROWSE, [&](HWND dialog) {
            char text[64] = {};
            GetWindowTextA(dialog, text, sizeof text);
            title = text;
            PostMessageA(dialog, WM_COMMAND, IDOK, 0); // the name it opened with
        });
        EXPECT_EQ(title, "Select a Zelvane");
        EXPECT_EQ(_stricmp(ItemText(page, IDC_DEST_PATH).c_str(), (folder + "Chosen.zl4").c_str()),
                  0)
            << ItemText(page, IDC_DEST_PATH);
        EXPECT_EQ(Job().DestinationFile, ItemText(page, IDC_DEST_PATH));
    });
}

TEST_F(DestinationPageFixture, EasyModeFinishesHereWhenSpaceIsShortOnlyIfTheUserAgrees) {
    StartWizard([&](CZlxbuildDlg& sheet) {
        Needs(0x7FFFFFFF);
        HWND copyMethod = sheet.SlotPage(kSlotCopyMethod)->Handle();
        Click(copyMethod,
              IDC_TODO_EXPERT); // Expert Copy Mode on and off: the space is checked again
        Click(copyMethod, IDC_TODO_EXPERT);
        Press(sheet, PSBTN_NEXT);
        ASSERT_EQ(ActiveSlot(sheet), kSlotDestination);
        EXPECT_EQ(EnabledButtons(sheet), DWORD(PSWIZB_BACK | PSWIZB_FINISH));

        messages.answers = {kAnswerNo};
        Press(sheet, PSBTN_FINISH);
        EXPECT_EQ(messages.Ids(), std::vector<int>{160});
        EXPECT_EQ(ActiveSlot(sheet), kSlotDestination);
        EXPECT_TRUE(system.started.empty());

        messages.answers = {kAnswerYes};
        Press(sheet, PSBTN_FINISH);
        ASSERT_EQ(system.started.size(), 1u);
        EXPECT_EQ(system.started.back(), "C:\\Zelvane\\system\\zl5write.exe");
        EXPECT_EQ(store.Get("ZLXBuildDataReady"), "1");
        EXPECT_EQ(store.Get("ZLXBuildDestinationFile"), "C:\\Data\\BACKUP.zl4");
    });
}

} // namespace
