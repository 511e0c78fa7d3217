#pragma once
// A list view in report mode, as the pages and dialogs use it: columns, rows with text,
// item data and an image, selection, moving rows, editing the first column in place and
// sorting. Bound to an existing control (usually a dialog item); owns nothing but the
// binding, and borrows its image list (see COwnedImageList).
#include "toolkit/ImageList.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

enum class ColumnAlign { Left, Right, Centre };

class CReportList {
public:
    CReportList() = default;
    // Lets go of the image list while the control still shows it.
    ~CReportList();
    CReportList(const CReportList&) = delete;
    CReportList& operator=(const CReportList&) = delete;

    void Attach(HWND list) { m_list = list; }
    bool AttachDlgItem(HWND dialog, int id);
    HWND Handle() const { return m_list; }

    // Whole rows highlight when selected.
    void SetFullRowSelect();
    void SetSingleSelection(bool single);
    // Rows are kept in ascending order of their text as they are added.
    void SetSortAscending(bool sorted);
    // The control is told to share the list, so destroying the control leaves it intact.
    void SetSmallImages(const COwnedImageList& images);

    int AddColumn(const std::string& heading, int width, ColumnAlign align = ColumnAlign::Left);
    int ColumnCount() const;

    // Inserts before `at` (or at the end of a sorted list); `image` -1 shows none. The
    // row's index, or -1.
    int InsertRow(int at, const std::string& text, LPARAM data = 0, int image = -1);
    int AppendRow(const std::string& text, LPARAM data = 0, int image = -1) {
        return InsertRow(RowCount(), text, data, image);
    }
    void SetCell(int row, int column, const std::string& text);
    std::string CellText(int row, int column = 0) const;
    LPARAM RowData(int row) const;
    int RowImage(int row) const;
    // The first row carrying `data`, or -1.
    int FindRowByData(LPARAM data) const;
    int RowCount() const;
    bool DeleteRow(int row);
    void DeleteAllRows();
    // Moves a row with all its cells, data, image and state; its new index, or -1.
    int MoveRow(int from, int to);

    // The row that is both selected and focused, or -1.
    int SelectedFocusedRow() const;
    // The first selected row, or -1.
    int SelectedRow() const;
    std::vector<int> SelectedRows() const;
    // Selects and focuses the row (and scrolls it into view); other rows keep their state.
    void Select(int row);
    void ClearSelection();

    // Starts editing the first column of the row in place; the edit control, or nullptr.
    HWND EditFirstColumn(int row);
    // The text of a finished in-place edit (LVN_ENDLABELEDIT of this list); false when the
    // notification is not one or the edit was cancelled. Return TRUE from the notification
    // to keep the text.
    bool EditedText(const NMHDR* header, std::string& text) const;

    // Sorts the rows by their first column's text, ascending and ignoring case.
    void SortAscending();

private:
    void SetStyle(DWORD style, bool on);
    HWND m_list = nullptr;
    bool m_hasImages = false;
};
