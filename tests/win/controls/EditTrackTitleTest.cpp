// The track title editor and the title list, live with the program's own resources.
#include "WinTestSupport.h"

#include "pages/DlgEditTrackTitle.h"
#include "pages/TitleCombo.h"
#include "res/edit_title_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

TEST(EditTrackTitle, OkTakesTheTypedTitleAndCancelKeepsTheCallers) {
    EnsureCommonControls();
    for (const bool ok : {true, false}) {
        CDlgEditTrackTitle dialog(nullptr);
        dialog.TrackNumber = "1234";
        dialog.Title = "Old title";
        ASSERT_TRUE(dialog.Create(nullptr));
        ShowWindow(dialog, SW_SHOW);
        PumpMessages(100);
        EXPECT_EQ(dialog.ItemText(IDC_EDIT_TITLE_NUMBER), "123");
        EXPECT_EQ(dialog.ItemText(IDC_EDIT_TITLE_TEXT), "Old title");
        if (ok) {
            EXPECT_FALSE(SaveScreenshot(dialog, "edit_title").empty());
        }

        SetDlgItemTextA(dialog, IDC_EDIT_TITLE_TEXT, "New: A/B");
        SendMessageA(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        EXPECT_EQ(dialog.Handle(), nullptr) << "the dialog closes either way";
        EXPECT_EQ(dialog.Title, ok ? "New: A/B" : "Old title");
    }
}

TEST(TitleCombo, ListsTheAudioTracksWithTheTrackIcon) {
    CTestHost host("Titles", 260, 160);
    HWND combo =
        host.AddChild(WC_COMBOBOXEXA, "", CBS_DROPDOWNLIST | WS_VSCROLL, 1069, 10, 10, 200, 120);
    _CDROM_TOC toc{};
    toc.FirstTrack = 1;
    toc.LastTrack = 3;
    toc.TrackData[0].ControlAdr = 0x14; // a mixed mode disc: data first
    toc.TrackData[1].ControlAdr = toc.TrackData[2].ControlAdr = 0x10;
    CTitleCombo titles;
    titles.Attach(combo, toc, {"data", "Two", "Three"});

    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    char text[64] = {};
    COMBOBOXEXITEMA item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    item.iItem = 1;
    SendMessageA(combo, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Three");
    EXPECT_EQ(item.iImage + item.iSelectedImage, 0);
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(combo, CBEM_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 1);
}

} // namespace
