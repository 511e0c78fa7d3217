// The folder dialog opens on the folder it is given and returns it as a settings folder.
#include "WinTestSupport.h"

#include "toolkit/FolderDialog.h"

#include <gtest/gtest.h>

namespace {

// Presses a button of the open folder dialog once the shell has filled it in.
WPARAM g_button = IDOK;
HWND g_dialog = nullptr;
void CALLBACK Press(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_dialog = FindWindowA("#32770", nullptr);
    if (g_dialog)
        PostMessageA(g_dialog, WM_COMMAND, g_button, 0);
}

TEST(FolderDialog, ReturnsTheChosenFolderWithATrailingBackslash) {
    CTestHost host("Folder", 100, 50);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    CFolderDialog dialog("Zelvane - Select a Working Directory", std::string(windows) + "\\");

    g_button = IDCANCEL;
    SetTimer(nullptr, 0, 1500, Press);
    EXPECT_FALSE(dialog.DoModal(host.Handle()));
    ASSERT_TRUE(g_dialog != nullptr) << "the dialog did not open";

    g_button = IDOK;
    SetTimer(nullptr, 0, 1500, Press);
    ASSERT_TRUE(dialog.DoModal(host.Handle()));
    EXPECT_EQ(_stricmp(dialog.Folder().c_str(), (std::string(windows) + "\\").c_str()), 0)
        << dialog.Folder();
}

} // namespace
