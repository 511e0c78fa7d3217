// The track list page in the running wizard: moves, blocks, refusals and titles as the
// user makes them.
#include "SheetHarness.h"

#include "WinTestSupport.h"
#include "pages/PageTracks.h"
#include "res/edit_title_ids.h"
#include "res/page_tracks_ids.h"

#include <gtest/gtest.h>

using namespace sheet_test;

namespace {

struct TracksPageFixture : ::testing::Test, SheetRun {
    // Expert Copy Mode on a disc of four tracks, 59 seconds each, on to the track list.
    void Open(uint16_t kind, const std::function<void(CZlxbuildDlg&, CPageTracks&)>& body) {
        BuildSettings([](CZlxBuildSettings& s) { s.EasyCopyMode = 0; });
        InsertDisc('E', kind, "DISC");
        StartWizard([&](CZlxbuildDlg& sheet) {
            CBuildJob& job = *CZlxbuildApp::Current()->Job();
            job.Toc =
                MakeToc({{0, kind == 1}, {4500, false}, {9000, false}, {13500, false}}, 18000);
            job.TrackTitles = {"", "Two", "Three", "Four"};
            if (kind != 1)
                job.TrackTitles[0] = "One";
            job.AudioTrackCount = 4;
            Press(sheet, PSBTN_NEXT);
            ASSERT_EQ(ActiveSlot(sheet), kSlotTracks);
            body(sheet, *static_cast<CPageTracks*>(sheet.SlotPage(kSlotTracks)));
        });
    }
    static std::vector<std::string> Column(CReportList& list, int column) {
        std::vector<std::string> cells;
        for (int r = 0; r < list.RowCount(); ++r)
            cells.push_back(list.CellText(r, column));
        return cells;
    }
    static void Select(CReportList& list, std::vector<int> rows) {
        list.ClearSelection();
        for (int r : rows)
            list.Select(r);
        Flush();
    }
};

// Answers the title editor once it shows: types a title and presses OK.
void CALLBACK AnswerTitleEditor(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "Edit title");
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    SetDlgItemTextA(dialog, IDC_EDIT_TITLE_TEXT, "Night <Train>");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(TracksPageFixture, MovesBlocksAndTitlesReachTheJob) {
    store.Set("ZlxSettings", "11110"); // the disc information service on
    Open(2, [&](CZlxbuildDlg& sheet, CPageTracks& page) {
        CReportList& list = page.List();
        EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"One", "Two", "Three", "Four"}));
        EXPECT_EQ(Column(list, 1)[0], "00:00:59");
        EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_TRACKS_TOGGLE))) << "nothing selected";
        // Six commands and three separators; the service does not know this disc.
        CMenuButton& menu = page.DiscMenu();
        EXPECT_TRUE(IsWindowEnabled(menu.Handle()));
        EXPECT_EQ(GetMenuItemCount(menu.Menu()), 9);
        EXPECT_TRUE(menu.IsGreyed(IDM_TRACKS_EDIT_INFO) && !menu.IsGreyed(IDM_TRACKS_SUBMIT));

        Select(list, {2});
        Click(page, IDC_TRACKS_TOP);
        EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"03", "01", "02", "04"}));
        EXPECT_EQ(list.SelectedRows(), std::vector<int>{0});
        EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_TRACKS_UP)));

        Select(list, {1, 3});
        EXPECT_FALSE(IsWindowEnabled(page.Item(IDC_TRACKS_EDIT)));
        Click(page, IDC_TRACKS_TOGGLE);
        EXPECT_EQ(list.RowImage(1), kImageBlockedAudio);
        EXPECT_EQ(list.RowData(3), 0);
        EXPECT_EQ(page.ToggleImage(), kImageBlockedAudio);

        // In place: refused when empty, cleaned when stored.
        HWND edit = list.EditFirstColumn(2);
        ASSERT_NE(edit, nullptr);
        SetWindowTextA(edit, "New: two ");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        Flush();
        EXPECT_EQ(list.CellText(2), "New- two");
        EXPECT_EQ(CZlxbuildApp::Current()->Job()->TrackTitles[1], "New- two");

        Select(list, {0});
        SetTimer(nullptr, 0, 50, AnswerTitleEditor);
        Click(page, IDC_TRACKS_EDIT);
        EXPECT_EQ(list.CellText(0), "Night -Train-");
        EXPECT_FALSE(SaveScreenshot(sheet.Handle(), "tracks_page_audio").empty());

        Press(sheet, PSBTN_NEXT);
        const CBuildJob& job = *CZlxbuildApp::Current()->Job();
        EXPECT_EQ(job.TrackOrder, "0302");
        EXPECT_EQ(job.UnchangedDisc, 0);
        EXPECT_EQ(job.InfoText, "01 Night -Train-\r\n02 New- two\r\n");
        EXPECT_TRUE(messages.shown.empty());
    });
}

TEST_F(TracksPageFixture, TheDataTrackOfAMixedModeCdStaysFirst) {
    store.Set("ZlxSettings", "11110"); // the disc information service on
    Open(1, [&](CZlxbuildDlg& sheet, CPageTracks& page) {
        CReportList& list = page.List();
        EXPECT_EQ(list.CellText(0), "Data track");
        EXPECT_EQ(list.RowImage(0), kImageActiveData);
        EXPECT_EQ(page.ToggleImage(), kImageActiveData);

        Select(list, {0});
        Click(page, IDC_TRACKS_DOWN);
        EXPECT_EQ(messages.Ids(), std::vector<int>{104});
        EXPECT_EQ(messages.shown.back().icon, MsgIcon::Information);

        Select(list, {3});
        Click(page, IDC_TRACKS_TOP);
        EXPECT_EQ(Column(list, 2), (std::vector<std::string>{"01", "04", "02", "03"}));
        ASSERT_NE(page.DiscMenu().Handle(), nullptr);
        EXPECT_FALSE(IsWindowEnabled(page.DiscMenu().Handle())) << "no album to look up";
        EXPECT_FALSE(SaveScreenshot(sheet.Handle(), "tracks_page_mixed").empty());
    });
}

} // namespace
