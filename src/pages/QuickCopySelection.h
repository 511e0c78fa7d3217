#pragma once
// The decisions of the Quick Copy file selection dialog, without a window: the rows it
// shows, when Delete is offered, what Delete and OK do.
#include "app/QuickCopy.h"

#include <string>
#include <vector>

constexpr int kNoQuickCopySelected = 279; // message: OK without a selected file

class CQuickCopySelection {
public:
    struct Row {
        std::string path;
        std::string displayName;
    };

    explicit CQuickCopySelection(const QuickCopyCandidates& candidates);

    // One row per candidate, in the order the list shows them: ascending by display name,
    // ignoring case. A row's index here is the item data of its list entry.
    const std::vector<Row>& Rows() const { return m_rows; }

    // Delete is offered exactly while a row is selected and focused (`row` >= 0).
    static bool CanDelete(int selectedFocusedRow) { return selectedFocusedRow >= 0; }
    // Deletes the row's file at once, without asking; true when the file is gone and the
    // row is to leave the list. The candidate itself stays until the search ends.
    bool Delete(int row, IQuickCopyFiles& files) const;
    // OK with the given row selected (-1: none): 0 with the choice filled in, or the
    // message to show while the dialog stays open.
    int Accept(int row, QuickCopyChoice& choice) const;

private:
    std::vector<Row> m_rows;
};
