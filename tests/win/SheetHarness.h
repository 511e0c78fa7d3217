#pragma once
// Runs the real start-up with scripted services, and hands the running wizard sheet
// (modeless) to a test body instead of entering a modal loop.
#include "app/ZlxbuildApp.h"
#include "app/ZlxbuildDlg.h"
#include "support/FakeServices.h"

#include <functional>

namespace sheet_test {

// Dispatches this thread's pending messages (posted button presses, set-active work).
void Flush(int rounds = 5);

// Slot of the active page, 0 when none.
int ActiveSlot(CZlxbuildDlg& sheet);
// Number of pages in the sheet window.
int PageCount(CZlxbuildDlg& sheet);
// The wizard buttons that are enabled: PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_FINISH.
DWORD EnabledButtons(CZlxbuildDlg& sheet);
void Press(CZlxbuildDlg& sheet, int button); // PSBTN_*

// Text of a dialog's control.
std::string ItemText(HWND dialog, int id);
// Shows the page of a slot the sheet holds (Expert Copy Mode holds them all); its window.
HWND ShowSlot(CZlxbuildDlg& sheet, int slot);
// Clicks a button (check box, radio) and lets the page react.
void Click(HWND dialog, int id);
// Selects a combo box entry as the user does, with the selection-change notice.
void SelectComboEntry(HWND dialog, int id, int index);

// Clicks `button` on the page and hands the dialog it opens (owned by the sheet) to `act`,
// from inside that dialog's modal loop; `act` must close it. The dialog's caption, or empty
// when none opened.
std::string ClickIntoDialog(CZlxbuildDlg& sheet, HWND page, int button,
                            std::function<void(HWND)> act);

struct SheetRun : FakeServices {
    SheetRun() { InstallProduct(); }
    // A disc in a fake drive, with the shell's display name "LABEL (E:)"; data track 1
    // unless the kind is an audio CD. The analysis finds that kind, and a drive that reads
    // raw sectors when `readsRaw`.
    void InsertDisc(char letter, uint16_t kind, const std::string& label, bool readsRaw = false);
    // Stores the build settings as `change` leaves them (Easy/Expert mode, label change...).
    void BuildSettings(const std::function<void(CZlxBuildSettings&)>& change);
    // Runs start-up; `body` gets the live sheet, which is closed (cancelled) after it.
    void StartWizard(const std::function<void(CZlxbuildDlg&)>& body);

private:
    struct Factory : IWizardSheetFactory {
        std::function<void(CZlxbuildDlg&)> body;
        std::unique_ptr<IWizardSheet> Create(int captionId) override;
    } m_factory;
};

} // namespace sheet_test
