// The wizard sheet and the source page, in-process, driven the way a user drives them.
#include "SheetHarness.h"

#include "WinTestSupport.h"
#include "res/page_todo_ids.h"
#include "pages/PageSource.h"
#include "pages/PageToDo.h"
#include "toolkit/DataExchange.h"

#include <gtest/gtest.h>

#include <dbt.h>

using namespace sheet_test;

namespace {

struct SheetFixture : ::testing::Test, SheetRun {
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
        // Past the copy method page, which plans the pages behind it itself.
        PropSheet_SetCurSel(sheet.Handle(), nullptr, 2);
        Flush();
        std::vector<int> road = {ActiveSlot(sheet)};
        for (int i = 0; i < 4; ++i) {
            Press(sheet, PSBTN_NEXT);
            road.push_back(ActiveSlot(sheet));
        }
        EXPECT_EQ(road, (std::vector<int>{3, 4, 6, 7, 5}));
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

// The copy method page of one analysed disc.
struct CopyMethodFixture : SheetFixture {
    static HWND Page(CZlxbuildDlg& sheet) { return sheet.SlotPage(kSlotCopyMethod)->Handle(); }
    static std::vector<std::string> Presets(HWND page) {
        HWND list = GetDlgItem(page, IDC_TODO_PRESETS);
        std::vector<std::string> texts;
        for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
            char text[128] = {};
            SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
};

TEST_F(CopyMethodFixture, OffersThePresetsThatFitTheDisc) {
    const std::string normal = "Defaults for normal CDs",
                      advanced = "Advanced defaults (RAW and sub-channel)",
                      unwritten = "Defaults for unwritten areas/rings";
    struct Case {
        uint16_t kind;
        const char* label;
        std::vector<std::string> presets;
        int selected;
        bool labelEnabled;
    } cases[] = {
        {2, "MUSIC", {normal}, 0, false},
        {0, "BACKUP", {normal, advanced, unwritten}, 1, true},
        {32 | 512, "MOVIE", {normal}, 0, true},
        {32 | 1024, "ARCHIVE", {normal, advanced, unwritten}, 0, true},
    };
    BuildSettings([](CZlxBuildSettings& s) { s.AllowLabelChange = 1; });
    for (const Case& c : cases) {
        drives.drives.clear();
        InsertDisc('E', c.kind, c.label, true);
        StartWizard([&](CZlxbuildDlg& sheet) {
            ASSERT_EQ(ActiveSlot(sheet), kSlotCopyMethod) << c.label;
            HWND page = Page(sheet);
            EXPECT_EQ(Presets(page), c.presets) << c.label;
            EXPECT_EQ(SendDlgItemMessageA(page, IDC_TODO_PRESETS, CB_GETCURSEL, 0, 0), c.selected);
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(page, IDC_TODO_LABEL)) != 0, c.labelEnabled);
            EXPECT_EQ(ItemText(page, IDC_TODO_LABEL), c.label);
            EXPECT_EQ(ItemText(page, IDC_TODO_SOURCE), "E:");
            EXPECT_EQ(ItemText(page, IDC_TODO_QUICKCOPY), "No Quick Copy file found.");
            EXPECT_EQ(EnabledButtons(sheet), DWORD(PSWIZB_BACK | PSWIZB_FINISH))
                << "Easy Copy Mode";
            if (c.kind == 2) {
                EXPECT_FALSE(SaveScreenshot(sheet.Handle(), "copy_method_page").empty());
            }
        });
    }
}

TEST_F(CopyMethodFixture, ExpertModeIsSavedAtOnceAndKeepsThePageAndItsEntries) {
    InsertDisc('E', 0, "BACKUP", true);
    StartWizard([&](CZlxbuildDlg& sheet) {
        HWND page = Page(sheet);
        SetDlgItemTextA(page, IDC_TODO_DESCRIPTION, "My backup");
        Click(page, IDC_TODO_EXPERT);
        EXPECT_EQ(store.Get("ZlxBuildSettings").substr(3, 1), "0");
        EXPECT_EQ(EnabledButtons(sheet), DWORD(PSWIZB_BACK | PSWIZB_NEXT));
        EXPECT_EQ(ItemText(page, IDC_TODO_DESCRIPTION), "My backup");

        // Escape in an edit reaches the page as IDCANCEL: the page must survive it.
        SendMessageA(page, WM_COMMAND, IDCANCEL, 0);
        Flush();
        ASSERT_TRUE(IsWindow(page));

        CZlxbuildApp::Current()->Job()->DataTrackCount = 1; // what a real analysis counts
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(ActiveSlot(sheet), kSlotDataSettings);
        EXPECT_EQ(sheet.Slots().Order(), (std::vector<int>{1, 2, 5, 6, 7}));
        Press(sheet, PSBTN_BACK);
        Click(page, IDC_TODO_EXPERT);
        EXPECT_EQ(store.Get("ZlxBuildSettings").substr(3, 1), "1");
    });
}

TEST_F(CopyMethodFixture, RawOnlyDiscsNeedARawReadingDriveOnNext) {
    InsertDisc('E', 5, "VIDEOCD", true);
    BuildSettings([](CZlxBuildSettings& s) { s.EasyCopyMode = 0; });
    StartWizard([&](CZlxbuildDlg& sheet) {
        ASSERT_EQ(ActiveSlot(sheet), kSlotCopyMethod);
        CZlxbuildApp::Current()->Job()->RawDataReadable = 0;
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(messages.Ids(), (std::vector<int>{180}));
        EXPECT_EQ(ActiveSlot(sheet), kSlotCopyMethod);
    });
}

TEST_F(CopyMethodFixture, EasyModeFinishesHereUnlessSpaceIsShort) {
    InsertDisc('E', 0, "BACKUP", true);
    StartWizard([&](CZlxbuildDlg& sheet) {
        Press(sheet, PSBTN_FINISH);
        EXPECT_EQ(store.Get("ZLXBuildDataReady"), "1");
        EXPECT_EQ(system.started.back(), "C:\\Zelvane\\system\\zl5write.exe");
        EXPECT_EQ(store.Get("ZLXBuildDestinationFile"), "C:\\Data\\BACKUP.zl4");
    });
    system.started.clear();
    StartWizard([&](CZlxbuildDlg& sheet) {
        CBuildJob& job = *CZlxbuildApp::Current()->Job();
        for (uint32_t& figure : job.Estimate)
            figure = 0x7FFFFFFF; // more than any drive holds
        HWND page = Page(sheet);
        Click(page, IDC_TODO_EXPERT);
        Click(page, IDC_TODO_EXPERT); // back in Easy Copy Mode, with space checked again
        EXPECT_EQ(EnabledButtons(sheet), DWORD(PSWIZB_BACK | PSWIZB_NEXT));
        Press(sheet, PSBTN_NEXT);
        EXPECT_EQ(ActiveSlot(sheet), kSlotDestination);
        EXPECT_EQ(sheet.Slots().Order(), (std::vector<int>{1, 2, 6}));
        EXPECT_EQ(EnabledButtons(sheet) & PSWIZB_FINISH, DWORD(PSWIZB_FINISH));
        messages.answers = {kAnswerYes}; // go on although the space is short
        Press(sheet, PSBTN_FINISH);
        EXPECT_EQ(system.started.size(), 1u);
    });
}

TEST_F(CopyMethodFixture, NumberEntriesOutsideTheirRangeAreRefused) {
    InsertDisc('E', 0, "BACKUP");
    StartWizard([&](CZlxbuildDlg& sheet) {
        const CWindow page(Page(sheet));
        HWND edit = GetDlgItem(page, IDC_TODO_DESCRIPTION);
        struct Case {
            const char* text;
            bool accepted;
            int value;
        } cases[] = {{" 42 ", true, 42}, {"100001", false, 7},      {"4x2", false, 7},
                     {"", false, 7},     {"99999999999", false, 7}, {"1", true, 1}};
        for (const Case& c : cases) {
            SetWindowTextA(edit, c.text);
            int value = 7;
            CDataExchange dx(page, true, &messages);
            dx.Int(IDC_TODO_DESCRIPTION, value, 1, 100000);
            EXPECT_EQ(dx.Ok(), c.accepted) << c.text;
            EXPECT_EQ(value, c.value) << c.text;
            if (!c.accepted) {
                EXPECT_EQ(messages.shown.back().id, 320);
                EXPECT_EQ(GetFocus(), edit) << "the user is taken back to the entry";
            }
        }
    });
}

TEST_F(SheetFixture, DiscsChangedBehindAnotherPageShowWhenTheSourcePageReturns) {
    InsertDisc('E', 2, "MUSIC");
    StartWizard([&](CZlxbuildDlg& sheet) {
        ASSERT_EQ(ActiveSlot(sheet), kSlotCopyMethod);
        InsertDisc('F', 0, "DATA");
        SendMessageA(sheet.Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
        Flush();
        // The wizard opened behind the source page, which has not searched yet, nor now.
        EXPECT_TRUE(ListRows(sheet).empty()) << "no drive search behind the copy method page";
        Press(sheet, PSBTN_BACK);
        EXPECT_EQ(ListRows(sheet), (std::vector<std::string>{"[E:] MUSIC ", "[F:] DATA "}));
    });
}

} // namespace
