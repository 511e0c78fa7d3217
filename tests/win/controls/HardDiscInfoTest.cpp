// The hard disk dialog against the drives Wine offers, and the file-system helpers it uses.
#include "WinTestSupport.h"

#include "controls/DlgHardDiscInfo.h"
#include "res/controls_ids.h"
#include "toolkit/FileSystem.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Cell(HWND list, int row, int column) {
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// The rows the dialog must show, worked out here straight from the system.
std::vector<std::vector<std::string>> ExpectedRows() {
    std::vector<std::vector<std::string>> rows;
    const DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i)))
            continue;
        const char root[] = {static_cast<char>('A' + i), ':', '\\', 0};
        const UINT type = GetDriveTypeA(root);
        if (type != DRIVE_REMOVABLE && type != DRIVE_FIXED && type != DRIVE_REMOTE)
            continue;
        ULARGE_INTEGER available = {}, total = {}, free = {};
        GetDiskFreeSpaceExA(root, &available, &total, &free);
        const unsigned long long totalMB = total.QuadPart >> 20;
        if (type == DRIVE_REMOVABLE && totalMB <= 4)
            continue;
        char label[256] = {};
        GetVolumeInformationA(root, label, 255, nullptr, nullptr, nullptr, nullptr, 0);
        std::string name = label;
        name.erase(name.find_last_not_of(' ') + 1);
        char temp[MAX_PATH] = {};
        const bool writable = GetTempFileNameA(root, "chk", 0, temp) && DeleteFileA(temp);
        rows.push_back({std::string(1, root[0]) + ": [" + name + "]",
                        std::to_string(totalMB) + " MB",
                        std::to_string(available.QuadPart >> 20) + " MB", writable ? "No" : "Yes"});
    }
    return rows;
}

struct HardDiscFixture : ::testing::Test {
    CDlgHardDiscInfo dialog;
    HardDiscFixture() {
        EnsureCommonControls();
        dialog.SetRequiredSpace("1234 MB");
        dialog.SetRequiredMegabytes(1234);
        EXPECT_TRUE(dialog.Create(nullptr));
        ShowWindow(dialog, SW_SHOW);
        PumpMessages(100);
    }
    HWND List() const { return dialog.Item(IDC_HD_DRIVES); }
};

TEST_F(HardDiscFixture, ListsTheDrivesWithTheirSizesAndWriteAccess) {
    const auto expected = ExpectedRows();
    ASSERT_FALSE(expected.empty()); // Wine always has C: and Z:
    ASSERT_EQ(ListView_GetItemCount(List()), static_cast<int>(expected.size()));
    for (size_t row = 0; row < expected.size(); ++row)
        for (int column = 0; column < 4; ++column) {
            const std::string cell = Cell(List(), static_cast<int>(row), column);
            if (column == 2) // free space may move while the tests write
                EXPECT_NEAR(std::stod(cell), std::stod(expected[row][2]), 16) << cell;
            else
                EXPECT_EQ(cell, expected[row][column]) << "row " << row << " column " << column;
        }
    // Every row has the drive's icon.
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_GE(item.iImage, 0);
}

TEST_F(HardDiscFixture, ColumnsHeaderAndRequiredSpace) {
    const char* headings[] = {"Drive", "Total space", "Available space", "RO"};
    const int widths[] = {100, 80, 80, 40};
    const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_RIGHT, LVCFMT_RIGHT};
    for (int i = 0; i < 4; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(List(), LVM_GETCOLUMNA, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(text, headings[i]);
        EXPECT_EQ(column.cx, widths[i]);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, formats[i]);
    }
    const LONG style = GetWindowLongA(List(), GWL_STYLE);
    EXPECT_EQ(style & (LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER),
              LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);

    EXPECT_EQ(dialog.Header().Title(), "Hard disk information");
    EXPECT_EQ(dialog.Header().Subtitle(),
              "Check to see which hard disk has enough space available.");
    EXPECT_TRUE(dialog.Header().HasIcon());
    EXPECT_EQ(dialog.ItemText(IDC_HD_REQUIRED), "1234 MB");
    LOGFONTA font = {};
    GetObjectA(
        reinterpret_cast<HFONT>(SendMessageA(dialog.Item(IDC_HD_REQUIRED), WM_GETFONT, 0, 0)),
        sizeof font, &font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(dialog.Text(), "Zelvane - Image Writer");
}

TEST_F(HardDiscFixture, PieShowsTheSelectedDrive) {
    ASSERT_FALSE(dialog.Rows().empty());
    const HardDiscRow& first = dialog.Rows()[0];
    ASSERT_GT(first.totalMB, 0u);
    ASSERT_FALSE(dialog.Chart().Pieces().empty());
    const int inUse = dialog.Chart().Pieces()[0]->Degrees();
    EXPECT_EQ(inUse, 360 - static_cast<int>(360.0 / first.totalMB * first.freeMB));
    if (dialog.Rows().size() > 1) {
        ListView_SetItemState(List(), 1, LVIS_SELECTED, LVIS_SELECTED);
        const HardDiscRow& second = dialog.Rows()[1];
        EXPECT_EQ(dialog.Chart().Pieces()[0]->Degrees(),
                  360 - static_cast<int>(360.0 / second.totalMB * second.freeMB));
        ListView_SetItemState(List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    }
}

TEST_F(HardDiscFixture, Screenshot) {
    EXPECT_FALSE(SaveScreenshot(dialog, "hard_disc_info").empty());
}

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

TEST(FileSystem, DiskSpaceOfPresentAndMissingDrives) {
    FileSystem::DiskSpace space;
    ASSERT_TRUE(FileSystem::QueryDiskSpace("C:\\", space));
    ULARGE_INTEGER available = {}, total = {}, free = {};
    GetDiskFreeSpaceExA("C:\\", &available, &total, &free);
    EXPECT_EQ(space.totalBytes, total.QuadPart);
    EXPECT_GT(space.freeBytes, 0u);
    EXPECT_LE(space.freeBytes, space.totalBytes);

    space.totalBytes = space.freeBytes = 7;
    EXPECT_FALSE(FileSystem::QueryDiskSpace("Q:\\", space));
    EXPECT_EQ(space.totalBytes, 0u);
    EXPECT_EQ(space.freeBytes, 0u);
    EXPECT_EQ(FileSystem::VolumeLabel("Q:\\"), "");
}

TEST(FileSystem, TempFileWriteTestLeavesNothingBehind) {
    const std::string folder = TempFolder() + "zl_write_test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(FileSystem::CanCreateTempFile(folder));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())); // only an empty folder can be removed
    EXPECT_FALSE(FileSystem::CanCreateTempFile(folder));
}

TEST(FileSystem, CriticalErrorBoxesAreOffOnlyWithinTheScope) {
    const UINT before = SetErrorMode(0);
    {
        FileSystem::CriticalErrorBoxesOff quiet;
        EXPECT_TRUE(GetErrorMode() & SEM_FAILCRITICALERRORS);
    }
    EXPECT_EQ(GetErrorMode(), 0u);
    SetErrorMode(before);
}

} // namespace
