#include "source/CBDrives.h"

#include "source/DriveScan.h"

namespace {
constexpr int kDriveIcon = 136, kDriveIconXp = 148;
}

CCBDrives::~CCBDrives() {
    if (m_images)
        ImageList_Destroy(m_images);
}

int CCBDrives::Fill(IDriveLibrary& drives, bool xpIcons) {
    if (!m_images) {
        m_images = ImageList_Create(16, 16, ILC_COLORDDB | ILC_MASK, 1, 1);
        ImageList_SetBkColor(m_images, GetSysColor(COLOR_WINDOW));
        HICON icon = static_cast<HICON>(LoadImageA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(xpIcons ? kDriveIconXp : kDriveIcon),
            IMAGE_ICON, 16, 16, 0));
        if (icon) {
            ImageList_AddIcon(m_images, icon);
            DestroyIcon(icon);
        }
        SendMessageA(m_combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    }
    for (char letter : UsableVirtualDrives(drives)) {
        char text[4] = {letter, ':', '\0', '\0'};
        COMBOBOXEXITEMA item = {};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
        item.iItem = -1;
        item.pszText = text;
        item.lParam = static_cast<unsigned char>(letter);
        SendMessageA(m_combo, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(m_combo, CB_SETCURSEL, 0, 0);
    return static_cast<int>(SendMessageA(m_combo, CB_GETCOUNT, 0, 0));
}

char CCBDrives::SelectedDrive() const {
    const LRESULT index = SendMessageA(m_combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return 0;
    return static_cast<char>(SendMessageA(m_combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}
