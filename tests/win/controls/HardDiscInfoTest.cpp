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
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', 0};
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
        rows.push_back({std::string(1, letter) + ": [" + name + "]",
                        std::to_string(totalMB) + " MB",
                        std::to_string(available.QuadPart >> 20) + " MB", writable ? "No" : "Yes"});
    }
    return rows;
}

TEST(HardDiscInfo, ListsTheDrivesAndShowsTheSelectedOneInThePie) {
    EnsureCommonControls();
    CDlgHardDiscInfo dialog;
    dialog.SetRequiredSpace("1234 MB");
    dialog.SetRequiredMegabytes(1234);
    ASSERT_TRUE(dialog.Create(nullptr));
    ShowWindow(dialog, SW_SHOW);
    PumpMessages(100);
    EXPECT_EQ(dialog.ItemText(IDC_HD_REQUIRED), "1234 MB");

    HWND list = dialog.Item(IDC_HD_DRIVES);
    const auto expected = ExpectedRows();
    ASSERT_FALSE(expected.empty()); // Wine always has C: and Z:
    ASSERT_EQ(ListView_GetItemCount(list), static_cast<int>(expected.size()));
    for (size_t row = 0; row < expected.size(); ++row)
        for (int column = 0; column < 4; ++column) {
            const std::string cell = Cell(list, static_cast<int>(row), column);
            if (column == 2) // free space may move while the tests write
                EXPECT_NEAR(std::stod(cell), std::stod(expected[row][2]), 16) << cell;
            else
                EXPECT_EQ(cell, expected[row][column]) << "row " << row << " column " << column;
        }
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_GE(item.iImage, 0) << "the drive's icon";

    // The pie's space in use follows the selected row.
    for (int row = static_cast<int>(dialog.Rows().size()) - 1; row >= 0; --row) {
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        const HardDiscRow& selected = dialog.Rows()[static_cast<size_t>(row)];
        if (!selected.totalMB)
            continue;
        ASSERT_FALSE(dialog.Chart().Pieces().empty());
        EXPECT_EQ(dialog.Chart().Pieces()[0]->Degrees(),
                  360 - static_cast<int>(360.0 / selected.totalMB * selected.freeMB));
    }
    EXPECT_FALSE(SaveScreenshot(dialog, "hard_disc_info").empty());
}

TEST(FileSystem, MissingDrivesHaveNoSpaceAndTheWriteTestLeavesNothingBehind) {
    FileSystem::DiskSpace space;
    space.totalBytes = space.freeBytes = 7;
    EXPECT_FALSE(FileSystem::QueryDiskSpace("Q:\\", space));
    EXPECT_EQ(space.totalBytes + space.freeBytes, 0u);
    EXPECT_EQ(FileSystem::VolumeLabel("Q:\\"), "");

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "zl_write_test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(FileSystem::CanCreateTempFile(folder));
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str())); // only an empty folder can be removed
    EXPECT_FALSE(FileSystem::CanCreateTempFile(folder));
}

} // namespace
