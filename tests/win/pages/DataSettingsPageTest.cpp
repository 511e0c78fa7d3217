// The data track settings page in the running wizard: check boxes answered through the
// message service, speeds chosen and the skip range refused outside its range.
#include "SheetHarness.h"

#include "WinTestSupport.h"
#include "res/page_datasettings_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace sheet_test;

namespace {

struct DataSettingsPageFixture : ::testing::Test, SheetRun {
    DataSettingsPageFixture() {
        InsertDisc('E', 0, "BACKUP", true);
        BuildSettings([](CZlxBuildSettings& s) { s.EasyCopyMode = 0; });
    }
    // From the copy method page (advanced preset: raw sectors) to the data settings page,
    // with a drive that reads everything at 4 to 48x.
    static HWND OpenPage(CZlxbuildDlg& sheet) {
        CBuildJob& job = *CZlxbuildApp::Current()->Job();
        job.DataTrackCount = 1;
        job.RawAudioReadable = job.SubChannelReadable = 1;
        job.MaxReadSpeed = 49;
        const uint32_t speeds[] = {48, 40, 32, 24, 16, 8, 4};
        std::copy(std::begin(speeds), std::end(speeds), job.SpeedTable);
        job.SelReadSpeed = 16;
        job.DynamicReadSpeed = 8;
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(ActiveSlot(sheet), kSlotDataSettings);
        return sheet.SlotPage(kSlotDataSettings)->Handle();
    }
    static bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
    static bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != 0; }
    static std::string Selected(HWND page, int id) {
        HWND combo = GetDlgItem(page, id);
        const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        char text[64] = {};
        if (index >= 0)
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST_F(DataSettingsPageFixture, ChoicesAreAnsweredCorrectedAndReachTheJob) {
    StartWizard([&](CZlxbuildDlg& sheet) {
        HWND page = OpenPage(sheet);
        CBuildJob& job = *CZlxbuildApp::Current()->Job();
        EXPECT_EQ(EnabledButtons(sheet), DWORD(PSWIZB_BACK | PSWIZB_NEXT));
        EXPECT_TRUE(Checked(page, IDC_DATA_RAW));
        EXPECT_TRUE(Enabled(page, IDC_DATA_SUBCHANNEL));
        EXPECT_TRUE(Enabled(page, IDC_DATA_QUICKCOPY)) << "a data CD";
        EXPECT_EQ(Selected(page, IDC_DATA_READ_SPEED), "16 x");
        EXPECT_EQ(Selected(page, IDC_DATA_ERROR_SPEED), "08 x");
        EXPECT_EQ(ItemText(page, IDC_DATA_SKIP_RANGE), "1");

        Click(page, IDC_DATA_SUBCHANNEL);
        EXPECT_EQ(job.ReadSubChannel, 1);

        job.QuickCopyInUse = 1;
        messages.answers = {kAnswerNo, kAnswerYes};
        Click(page, IDC_DATA_QUICKCOPY);
        EXPECT_FALSE(Checked(page, IDC_DATA_QUICKCOPY));
        EXPECT_EQ(job.WriteQuickCopyFile, 0);
        Click(page, IDC_DATA_QUICKCOPY);
        EXPECT_TRUE(Checked(page, IDC_DATA_QUICKCOPY));
        EXPECT_EQ(job.WriteQuickCopyFile, 1);

        SelectComboEntry(page, IDC_DATA_ERROR_SPEED, 0); // 48 x, above the read speed
        EXPECT_EQ(Selected(page, IDC_DATA_READ_SPEED), "48 x");
        EXPECT_EQ(job.SelReadSpeed, 48);
        SelectComboEntry(page, IDC_DATA_REPEAT_READS, 2);
        Click(page, IDC_DATA_DYNAMIC);
        EXPECT_FALSE(Enabled(page, IDC_DATA_ERROR_SPEED));
        EXPECT_EQ(job.TimesToValidate, 3) << "taken over by the next store";
        EXPECT_FALSE(SaveScreenshot(sheet.Handle(), "data_settings_page").empty());

        Click(page, IDC_DATA_RAW);
        EXPECT_FALSE(Checked(page, IDC_DATA_SUBCHANNEL));
        EXPECT_FALSE(Enabled(page, IDC_DATA_SUBCHANNEL));
        EXPECT_EQ(job.ReadSubChannel, 0);
        EXPECT_EQ(job.SectorSize, 2048);
        EXPECT_EQ(messages.Ids(), (std::vector<int>{277, 277, 292}));
    });
}

TEST_F(DataSettingsPageFixture, ASkipRangeOutsideOneTo100000KeepsTheUserOnThePage) {
    StartWizard([&](CZlxbuildDlg& sheet) {
        HWND page = OpenPage(sheet);
        for (const char* text : {"abc", "0", "100001"}) {
            messages.shown.clear();
            SetDlgItemTextA(page, IDC_DATA_SKIP_RANGE, text);
            Press(sheet, PSBTN_NEXT);
            EXPECT_EQ(messages.Ids(), (std::vector<int>{320})) << text;
            EXPECT_EQ(ActiveSlot(sheet), kSlotDataSettings) << text;
        }
        // The up-down control steps within the same range.
        SetDlgItemTextA(page, IDC_DATA_SKIP_RANGE, "99999");
        SendDlgItemMessageA(page, IDC_DATA_SKIP_SPIN, UDM_SETPOS32, 0, 100000);
        int low = 0, high = 0;
        SendDlgItemMessageA(page, IDC_DATA_SKIP_SPIN, UDM_GETRANGE32,
                            reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 100000);
        Flush();
        EXPECT_EQ(CZlxbuildApp::Current()->Job()->SkipRange, 100000);
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(ActiveSlot(sheet), kSlotDestination);
    });
}

} // namespace
