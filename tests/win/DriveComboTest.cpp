// The virtual-drive combo box against scripted drives.
#include "source/CBDrives.h"
#include "support/FakeDriveLibrary.h"

#include <gtest/gtest.h>

namespace {

TEST(DriveCombo, ListsUsableVirtualDrivesAfterThePagesOwnItems) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    HWND combo = CreateWindowExA(0, WC_COMBOBOXEXA, "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 200,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    CFakeDriveLibrary drives;
    drives.drives['D'];
    drives.drives['V'];
    drives.drives['W'].infoReadable = false; // a virtual drive the library cannot use
    drives.drives['X'];
    drives.virtualLetters = "XWV";

    char text[16] = "None";
    COMBOBOXEXITEMA item = {CBEIF_TEXT, -1, text, sizeof text, 0, 0, 0, 0, 0};
    SendMessageA(combo, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    CCBDrives list;
    list.Attach(combo);
    EXPECT_EQ(list.Fill(drives, false), 3);
    item.iItem = 1;
    SendMessageA(combo, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "V:") << "in the order the library knows the drives";
    EXPECT_EQ(list.SelectedDrive(), 0) << "item 0 is the page's own";
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(list.SelectedDrive(), 'X');
    DestroyWindow(combo);
}

} // namespace
