#pragma once
// Combo box (with icons) of the product's virtual drives, for choosing where an image
// is inserted.
#include "source/DriveLibrary.h"

#include <windows.h>
#include <commctrl.h>

class CCBDrives {
public:
    CCBDrives() = default;
    ~CCBDrives();
    CCBDrives(const CCBDrives&) = delete;
    CCBDrives& operator=(const CCBDrives&) = delete;

    void Attach(HWND comboEx) { m_combo = comboEx; }
    // Appends one item per virtual drive after whatever the page put first; selects item 0.
    int Fill(IDriveLibrary& drives, bool xpIcons);
    // The drive letter of the selected item, 0 for the page's own items.
    char SelectedDrive() const;

private:
    HWND m_combo = nullptr;
    HIMAGELIST m_images = nullptr;
};
