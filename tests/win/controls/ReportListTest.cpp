// The report list wrapper on a real list view, and who destroys its image list.
#include "WinTestSupport.h"

#include "toolkit/ReportList.h"

#include <gtest/gtest.h>

namespace {
constexpr int kAppIcon = 101; // the program's icon, compiled into the tests

struct ReportListFixture : ::testing::Test {
    CTestHost host{"Report list", 400, 200};
    COwnedImageList images;
    CReportList list;

    void SetUp() override {
        // Deliberately without LVS_SHAREIMAGELISTS, as the source page's template has it.
        list.Attach(host.AddChild(WC_LISTVIEWA, "", LVS_REPORT | WS_BORDER, 1, 0, 0, 400, 200));
        ASSERT_TRUE(images.Create(16));
        ASSERT_GE(images.AddIconResource(GetModuleHandleA(nullptr), kAppIcon), 0);
        list.SetSmallImages(images);
        list.SetFullRowSelect();
        EXPECT_EQ(list.AddColumn("Name", 120), 0);
        EXPECT_EQ(list.AddColumn("Size", 60, ColumnAlign::Right), 1);
    }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> cells;
        for (int row = 0; row < list.RowCount(); ++row)
            cells.push_back(list.CellText(row, column));
        return cells;
    }
    void AddRows(const std::vector<std::string>& names) {
        for (size_t i = 0; i < names.size(); ++i) {
            const int row = list.AppendRow(names[i], static_cast<LPARAM>(100 + i), i % 2 ? -1 : 0);
            list.SetCell(row, 1, std::to_string(i) + " MB");
        }
    }
};

TEST_F(ReportListFixture, TheControlNeverDestroysTheOwnersImages) {
    EXPECT_TRUE(GetWindowLongPtrA(list.Handle(), GWL_STYLE) & LVS_SHAREIMAGELISTS);
    DestroyWindow(list.Handle());
    // Had the control destroyed the list, this would be a second destroy of a dead handle.
    EXPECT_EQ(ImageList_GetImageCount(images.Handle()), 1);
    EXPECT_EQ(images.AddIconResource(GetModuleHandleA(nullptr), kAppIcon), 1);
}

TEST_F(ReportListFixture, RowsKeepTheirCellsDataImageAndSelectionWhenMovedOrSorted) {
    AddRows({"delta", "Alpha", "charlie", "bravo"});
    ASSERT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.FindRowByData(102), 2);
    EXPECT_EQ(list.RowImage(0), 0);
    EXPECT_EQ(list.RowImage(1), -1);

    list.Select(2);
    EXPECT_EQ(list.SelectedFocusedRow(), 2);
    EXPECT_EQ(list.MoveRow(2, 0), 0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"charlie", "delta", "Alpha", "bravo"}));
    EXPECT_EQ(list.CellText(0, 1), "2 MB");
    EXPECT_EQ(list.RowData(0), 102);
    EXPECT_EQ(list.RowImage(0), 0);
    EXPECT_EQ(list.SelectedFocusedRow(), 0) << "the selection moves with the row";
    EXPECT_EQ(list.MoveRow(0, 3), 3);
    EXPECT_EQ(list.MoveRow(0, 9), -1);

    list.SortAscending();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"1 MB", "3 MB", "2 MB", "0 MB"}));
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{2});

    list.SetSortAscending(true); // later rows go to their place
    list.AppendRow("aardvark", 7);
    EXPECT_EQ(list.CellText(0), "aardvark");
    EXPECT_TRUE(list.DeleteRow(0));
    list.ClearSelection();
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(list.SelectedFocusedRow(), -1);
}

TEST_F(ReportListFixture, SingleSelectionAndEditingTheFirstColumnInPlace) {
    AddRows({"one", "two", "three"});
    list.Select(0);
    list.Select(2);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{0, 2}));
    list.SetSingleSelection(true);
    list.Select(1);
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{1});

    HWND edit = list.EditFirstColumn(1);
    ASSERT_NE(edit, nullptr);
    char text[32] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "two");
    SendMessageA(list.Handle(), LVM_CANCELEDITLABEL, 0, 0);
}

} // namespace
