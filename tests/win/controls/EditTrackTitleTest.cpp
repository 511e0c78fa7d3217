// The track title editor, live with the program's own resources.
#include "WinTestSupport.h"

#include "pages/DlgEditTrackTitle.h"
#include "res/edit_title_ids.h"

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

} // namespace
