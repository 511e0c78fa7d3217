// The image properties page in the running wizard: passwords that differ are refused,
// the choices reach the store on Finish, and the comment is edited in its own dialog.
#include "SheetHarness.h"

#include "WinTestSupport.h"
#include "res/page_properties_ids.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>

using namespace sheet_test;

namespace {

struct PropertiesPageFixture : ::testing::Test, SheetRun {
    PropertiesPageFixture() {
        InsertDisc('E', 0, "BACKUP");
        // Two of the product's virtual drives, without a disc.
        for (char letter : {'V', 'W'})
            drives.drives[letter].ready = false;
        drives.virtualLetters = "VW";
        BuildSettings([](CZlxBuildSettings& s) { s.EasyCopyMode = 0; });
    }
    // Expert Copy Mode appends every page, so the last one can be shown straight away.
    static HWND OpenPage(CZlxbuildDlg& sheet) { return ShowSlot(sheet, kSlotProperties); }
    static std::vector<std::string> DriveItems(HWND page) {
        HWND combo = GetDlgItem(page, IDC_PROPS_DRIVES);
        std::vector<std::string> items;
        for (LRESULT i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            char text[16] = {};
            COMBOBOXEXITEMA item = {CBEIF_TEXT, i, text, sizeof text, 0, 0, 0, 0, 0};
            SendMessageA(combo, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            items.push_back(text);
        }
        return items;
    }
};

TEST_F(PropertiesPageFixture, DifferentPasswordsAreRefusedAndFinishWritesTheChoices) {
    StartWizard([&](CZlxbuildDlg& sheet) {
        HWND page = OpenPage(sheet);
        EXPECT_EQ(EnabledButtons(sheet), DWORD(PSWIZB_BACK | PSWIZB_FINISH));
        EXPECT_EQ(DriveItems(page), (std::vector<std::string>{"None", "V:", "W:"}));
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_PROPS_DRIVES, CB_GETCURSEL, 0, 0), 0);
        const std::pair<int, LRESULT> limits[] = {
            {IDC_PROPS_PASSWORD, 15}, {IDC_PROPS_VERIFY, 15}, {IDC_PROPS_PROGRAM, 254}};
        for (const auto& [id, limit] : limits)
            EXPECT_EQ(SendDlgItemMessageA(page, id, EM_GETLIMITTEXT, 0, 0), limit) << id;

        SetDlgItemTextA(page, IDC_PROPS_PASSWORD, "Secret");
        SetDlgItemTextA(page, IDC_PROPS_VERIFY, "secret");
        SetDlgItemTextA(page, IDC_PROPS_PROGRAM, "C:\\Tools\\setup.exe");
        SetDlgItemTextA(page, IDC_PROPS_DIRECTORY, "C:\\Tools\\");
        SendDlgItemMessageA(page, IDC_PROPS_HOTKEY, HKM_SETHOTKEY,
                            MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
        SelectComboEntry(page, IDC_PROPS_DRIVES, 2);
        EXPECT_FALSE(SaveScreenshot(sheet.Handle(), "properties_page").empty());

        Press(sheet, PSBTN_FINISH);
        EXPECT_EQ(messages.Ids(), std::vector<int>{161});
        ASSERT_TRUE(IsWindow(sheet.Handle())) << "the wizard stays";
        EXPECT_EQ(ActiveSlot(sheet), kSlotProperties);
        EXPECT_EQ(store.Get("ZLXBuildDataReady"), "0");
        EXPECT_TRUE(system.started.empty());

        SetDlgItemTextA(page, IDC_PROPS_VERIFY, "Secret");
        Press(sheet, PSBTN_FINISH);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(store.Get("ZLXBuildDataReady"), "1");
        EXPECT_EQ(system.started, std::vector<std::string>{"C:\\Zelvane\\system\\zl5write.exe"});
        EXPECT_EQ(store.Get("ZlxBuildPassword"), "Secret");
        EXPECT_EQ(store.Get("ZlxBuildStartProgram"), "C:\\Tools\\setup.exe");
        EXPECT_EQ(store.Get("ZlxBuildStartPath"), "C:\\Tools\\");
        EXPECT_EQ(store.Get("ZlxBuildHotkeyVirtualCode"), "116");
        EXPECT_EQ(store.Get("ZlxBuildHotkeyModifiers"), "6");
        EXPECT_EQ(store.Get("ZlxBuildAutoInsertDrive"), "W:");
    });
}

TEST_F(PropertiesPageFixture, TheCommentIsEditedInItsDialogAndCancelKeepsIt) {
    StartWizard([&](CZlxbuildDlg& sheet) {
        HWND page = OpenPage(sheet);
        CBuildJob& job = *CZlxbuildApp::Current()->Job();
        job.InfoText = "Old comment";

        std::string shown;
        const std::string caption =
            ClickIntoDialog(sheet, page, IDC_PROPS_COMMENT, [&](HWND dialog) {
                shown = ItemText(dialog, IDC_INFO_TEXT_EDIT);
                EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_INFO_TEXT_EDIT, EM_GETLIMITTEXT, 0, 0),
                          2047);
                SetDlgItemTextA(dialog, IDC_INFO_TEXT_EDIT, "Serial 42\r\nInstall with setup.exe");
                PumpMessages(200); // painted whole before the picture
                EXPECT_FALSE(SaveScreenshot(dialog, "comment_dialog").empty());
                SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            });
        EXPECT_EQ(caption, "Zelvane - Image Writer");
        EXPECT_EQ(shown, "Old comment");
        EXPECT_EQ(job.InfoText, "Serial 42\r\nInstall with setup.exe");

        ClickIntoDialog(sheet, page, IDC_PROPS_COMMENT, [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_INFO_TEXT_EDIT, "thrown away");
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(job.InfoText, "Serial 42\r\nInstall with setup.exe");

        // The program browse opens the file dialog; cancelling it changes nothing.
        SetDlgItemTextA(page, IDC_PROPS_PROGRAM, "C:\\Tools\\setup.exe");
        EXPECT_EQ(
            ClickIntoDialog(sheet, page, IDC_PROPS_BROWSE_PROGRAM,
                            [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }),
            "Select a program");
        EXPECT_EQ(ItemText(page, IDC_PROPS_PROGRAM), "C:\\Tools\\setup.exe");
        EXPECT_EQ(ItemText(page, IDC_PROPS_DIRECTORY), "");

        Press(sheet, PSBTN_FINISH);
        EXPECT_EQ(store.Get("ZlxBuildInfoText"), "Serial 42\r\nInstall with setup.exe");
    });
}

} // namespace
