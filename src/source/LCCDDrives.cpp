#include "source/LCCDDrives.h"

#include "toolkit/ResourceModule.h"

#include <shellapi.h>

namespace {
enum Column { kColumnDrive, kColumnSize, kColumnInfo };
constexpr int kHeadingSourceCd = 312, kHeadingSize = 313, kHeadingInfo = 314;
constexpr int kDriveIcon = 136;
} // namespace

CLCCDDrives::~CLCCDDrives() {
    if (m_images && m_list && IsWindow(m_list))
        ListView_SetImageList(m_list, nullptr, LVSIL_SMALL);
    if (m_images)
        ImageList_Destroy(m_images);
}

void CLCCDDrives::Initialise(bool showEmpty, bool largeIcons, bool discInformation,
                             const std::string& preselection) {
    m_options.showEmpty = showEmpty;
    m_options.discInformation = discInformation;
    m_largeIcons = largeIcons;
    m_preselection = preselection;
    CreateImageList();
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_FULLROWSELECT);
    const struct {
        int heading, format, width;
    } columns[] = {{kHeadingSourceCd, LVCFMT_LEFT, 200},
                   {kHeadingSize, LVCFMT_RIGHT, 63},
                   {kHeadingInfo, LVCFMT_LEFT, 260}};
    for (int i = 0; i < 3; ++i) {
        std::string heading = LoadResourceString(columns[i].heading);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = columns[i].format;
        column.cx = columns[i].width;
        column.pszText = &heading[0];
        column.iSubItem = i;
        SendMessageA(m_list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
}

void CLCCDDrives::CreateImageList() {
    if (m_images)
        return;
    const int size = m_largeIcons ? 32 : 16;
    m_images = ImageList_Create(size, size, ILC_COLORDDB | ILC_MASK, 1, 1);
    ImageList_SetBkColor(m_images, GetSysColor(COLOR_WINDOW));
    ListView_SetImageList(m_list, m_images, LVSIL_SMALL);
}

int CLCCDDrives::AddDriveIcon(char letter) {
    const char root[4] = {letter, ':', '\\', '\0'};
    SHFILEINFOA info = {};
    HICON icon = nullptr;
    if (SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_ICONLOCATION) && info.szDisplayName[0])
        icon = ExtractIconA(GetModuleHandleA(nullptr), info.szDisplayName,
                            static_cast<UINT>(info.iIcon));
    if (reinterpret_cast<UINT_PTR>(icon) <= 1) // none, or "not an icon file"
        icon = nullptr;
    const bool ours = !icon;
    if (ours)
        icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(kDriveIcon), IMAGE_ICON,
                                             m_largeIcons ? 32 : 16, m_largeIcons ? 32 : 16, 0));
    const int index = icon ? ImageList_AddIcon(m_images, icon) : -1;
    if (icon)
        DestroyIcon(icon);
    return index;
}

void CLCCDDrives::Fill() {
    ListView_DeleteAllItems(m_list);
    if (m_images)
        for (int i = ImageList_GetImageCount(m_images) - 1; i >= 0; --i)
            ImageList_Remove(m_images, i);
    m_rows = m_model.Rows(m_options);
    int index = 0;
    for (DriveRow& row : m_rows) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index++;
        item.pszText = &row.text[0];
        item.lParam = row.cdType;
        if (!row.empty) {
            item.mask |= LVIF_IMAGE;
            item.iImage = AddDriveIcon(row.letter);
        }
        const int at = static_cast<int>(
            SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (row.empty)
            continue;
        ListView_SetItemText(m_list, at, kColumnSize, &row.sizeText[0]);
        ListView_SetItemText(m_list, at, kColumnInfo, &row.info[0]);
    }
}

void CLCCDDrives::Refresh() {
    std::optional<std::string> remembered;
    const int selected = ListView_GetNextItem(m_list, -1, LVNI_SELECTED);
    if (selected >= 0)
        remembered = RowText(selected);
    Fill();
    std::vector<std::string> texts;
    for (int i = 0; i < ListView_GetItemCount(m_list); ++i)
        texts.push_back(RowText(i));
    Select(RowToSelect(texts, remembered, m_preselection));
}

void CLCCDDrives::Select(int row) {
    if (row < 0)
        return;
    ListView_SetItemState(m_list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m_list, row, FALSE);
}

int CLCCDDrives::SelectedRow() const {
    return ListView_GetNextItem(m_list, -1, LVNI_SELECTED | LVNI_FOCUSED);
}

std::string CLCCDDrives::RowText(int row) const {
    char text[300] = {};
    ListView_GetItemText(m_list, row, kColumnDrive, text, sizeof text);
    return text;
}

uint16_t CLCCDDrives::RowCdType(int row) const {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(m_list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<uint16_t>(item.lParam);
}
