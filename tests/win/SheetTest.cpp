// The wizard sheet and the source page, in-process, driven the way a user drives them.
#include "SheetHarness.h"

#include "WinTestSupport.h"
#include "pages/PageSource.h"

#include <gtest/gtest.h>

#include <dbt.h>

using namespace sheet_test;

namespace {

struct SheetFixture : ::testing::Test, SheetRun {
    void InsertDisc(char letter, uint16_t kind, const std::string& label) {
        FakeDrive& d = drives.drives[letter];
        d.cdType = kind;
        d.lastSector = 333000;
        d.toc = MakeToc({{0, kind != 2}}, 333001);
        shellDrives.names[letter] = label + " (" + std::string(1, letter) + ":)";
    }
    static CLCCDDrives& List(CZlxbuildDlg& sheet) {
        return static_cast<CPageSource*>(sheet.SlotPage(kSlotSource))->Drives();
    }
    static std::vector<std::string> ListRows(CZlxbuildDlg& sheet) {
        std::vector<std::string> rows;
        for (const auto& row : List(sheet).Rows())
            rows.push_back(row.text);
        return rows;
    }
};

TEST_F(SheetFixture, PagesFollowTheSlotOperationsAndTheButtonsFollowThePage) {
    store.Set("ZLXBuildEditor", "2"); // no disc needed, opens on the copy method page
    bool ran = false;
    StartWizard([&](CZlxbuildDlg& sheet) {
        ran = true;
        EXPECT_EQ(PageCount(sheet), 7);
        EXPECT_EQ(ActiveSlot(sheet), kSlotCopyMethod);
        char caption[64] = {};
        GetWindowTextA(sheet.Handle(), caption, sizeof caption);
        EXPECT_STREQ(caption, "Zelvane - Image Writer");

        for (int slot : {7, 6, 5})
            sheet.RemovePage(slot);
        sheet.AddPage(6);
        sheet.AddPage(7);
        sheet.AddPage(5); // appended last, whatever its number
        Flush();
        EXPECT_EQ(PageCount(sheet), 7);
        std::vector<int> road = {ActiveSlot(sheet)};
        for (int i = 0; i < 5; ++i) {
            Press(sheet, PSBTN_NEXT);
            road.push_back(ActiveSlot(sheet));
        }
        EXPECT_EQ(road, (std::vector<int>{2, 3, 4, 6, 7, 5}));
        Press(sheet, PSBTN_BACK);
        EXPECT_EQ(ActiveSlot(sheet), kSlotProperties);
        EXPECT_EQ(EnabledButtons(sheet) & (PSWIZB_BACK | PSWIZB_FINISH),
                  DWORD(PSWIZB_BACK | PSWIZB_FINISH));
    });
    EXPECT_TRUE(ran);
}

TEST_F(SheetFixture, AnswersAutoPlayAndComesToTheFront) {
    store.Set("ZLXBuildEditor", "2");
    StartWizard([&](CZlxbuildDlg& sheet) {
        const UINT autoPlay = RegisterWindowMessageA("QueryCancelAutoPlay");
        EXPECT_EQ(SendMessageA(sheet.Handle(), autoPlay, 0, 0), 1);
        ShowWindow(sheet.Handle(), SW_MINIMIZE);
        Flush();
        SendMessageA(sheet.Handle(), RegisterWindowMessageA("WM_ZL5_IMAGE_WIZARD_TO_FRONT"), 0, 0);
        Flush();
        EXPECT_FALSE(IsIconic(sheet.Handle()));
    });
}

TEST_F(SheetFixture, NoToolTipsWhenTheyAreSwitchedOff) {
    for (const char* setting : {"01110", "01100"}) {
        store.Set("ZlxSettings", setting);
        const bool wanted = setting[3] == '1';
        InsertDisc('E', 2, "MUSIC");
        InsertDisc('F', 0, "DATA"); // two discs: the wizard opens on the source page
        StartWizard([&](CZlxbuildDlg& sheet) {
            ASSERT_EQ(ActiveSlot(sheet), kSlotSource);
            EXPECT_EQ(sheet.SlotPage(kSlotSource)->ToolTipsEnabled(), wanted);
            // A page's tip window is owned by the sheet and knows the page's controls.
            bool pageTip = false;
            for (HWND w = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); w;
                 w = FindWindowExA(nullptr, w, "tooltips_class32", nullptr))
                pageTip |= GetWindow(w, GW_OWNER) == sheet.Handle() &&
                           SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0) > 0;
            EXPECT_EQ(pageTip, wanted) << setting;
        });
    }
}

TEST_F(SheetFixture, SourcePageRefusesUntilAUsableDiscIsChosen) {
    InsertDisc('E', 5, "VIDEOCD");
    InsertDisc('F', 2, "MUSIC");
    analysis.kinds['E'] = 5;
    StartWizard([&](CZlxbuildDlg& sheet) {
        ASSERT_EQ(ActiveSlot(sheet), kSlotSource);
        EXPECT_EQ(EnabledButtons(sheet) & (PSWIZB_BACK | PSWIZB_NEXT), DWORD(PSWIZB_NEXT));
        EXPECT_EQ(ListRows(sheet), (std::vector<std::string>{"[E:] VIDEOCD ", "[F:] MUSIC "}));
        EXPECT_FALSE(SaveScreenshot(sheet.Handle(), "source_page").empty());
        HWND list = List(sheet).Handle();

        // A Video CD in a drive without raw reading.
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(messages.Ids().back(), 180);
        EXPECT_EQ(ActiveSlot(sheet), kSlotSource);

        // Nothing selected.
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(messages.Ids().back(), 109);

        // The disc cannot be read.
        ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        analysis.failing = "F";
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(messages.Ids().back(), 135);
        EXPECT_EQ(ActiveSlot(sheet), kSlotSource);

        // Readable after all: on to the copy method page with the disc name as label.
        analysis.failing.clear();
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(messages.shown.size(), 3u);
        EXPECT_EQ(ActiveSlot(sheet), kSlotCopyMethod);
        EXPECT_EQ(CZlxbuildApp::Current()->Job()->Label, "MUSIC ");
        EXPECT_EQ(analysis.analysed.back(), 'F');
    });
}

TEST_F(SheetFixture, InsertedAndRemovedDiscsShowUpWithoutAClick) {
    InsertDisc('E', 2, "MUSIC");
    InsertDisc('F', 0, "DATA");
    StartWizard([&](CZlxbuildDlg& sheet) {
        ASSERT_EQ(ListRows(sheet).size(), 2u);
        ListView_SetItemState(List(sheet).Handle(), 1, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);

        InsertDisc('D', 0, "NEW");
        SendMessageA(sheet.Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
        Flush();
        EXPECT_EQ(ListRows(sheet),
                  (std::vector<std::string>{"[D:] NEW ", "[E:] MUSIC ", "[F:] DATA "}));
        EXPECT_EQ(List(sheet).SelectedRow(), 2) << "the selection stays with its disc";

        drives.drives['F'].ready = false;
        SendMessageA(sheet.Handle(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
        Flush();
        EXPECT_EQ(ListRows(sheet), (std::vector<std::string>{"[D:] NEW ", "[E:] MUSIC "}));
        EXPECT_EQ(List(sheet).SelectedRow(), 0);

        drives.drives['D'].ready = false;
        SendMessageA(sheet.Handle(), WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0);
        Flush();
        EXPECT_EQ(ListRows(sheet).size(), 2u) << "other device events are ignored";
    });
}

} // namespace
