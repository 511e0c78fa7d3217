#include "source/LCCDDrives.h"

#include "toolkit/ResourceModule.h"

#include <shellapi.h>

namespace {
enum Column { kColumnDrive, kColumnSize, kColumnInfo };
constexpr int kHeadingSourceCd = 312, kHeadingSize = 313, kHeadingInfo = 314;
constexpr int kDriveIcon = 136;
} // namespace

void CLCCDDrives::Initialise(bool showEmpty, bool largeIcons, bool discInformation,
                             const std::string& preselection) {
    m_options.showEmpty = showEmpty;
    m_options.discInformation = discInformation;
    m_largeIcons = largeIcons;
    m_preselection = preselection;
    CreateImageList();
    m_view.SetFullRowSelect();
    m_view.AddColumn(LoadResourceString(kHeadingSourceCd), 200);
    m_view.AddColumn(LoadResourceString(kHeadingSize), 63, ColumnAlign::Right);
    m_view.AddColumn(LoadResourceString(kHeadingInfo), 260);
}

void CLCCDDrives::CreateImageList() {
    if (m_images.Handle())
        return;
    m_images.Create(m_largeIcons ? 32 : 16);
    m_view.SetSmallImages(m_images);
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
    if (!icon)
        return m_images.AddIconResource(GetModuleHandleA(nullptr), kDriveIcon);
    const int index = m_images.AddIcon(icon);
    DestroyIcon(icon);
    return index;
}

void CLCCDDrives::Fill() {
    m_view.DeleteAllRows();
    m_images.RemoveAll();
    m_rows = m_model.Rows(m_options);
    for (const DriveRow& row : m_rows) {
        const int image = row.empty ? -1 : AddDriveIcon(row.letter);
        const int at = m_view.AppendRow(row.text, row.cdType, image);
        if (row.empty || at < 0)
            continue;
        m_view.SetCell(at, kColumnSize, row.sizeText);
        m_view.SetCell(at, kColumnInfo, row.info);
    }
}

void CLCCDDrives::Refresh() {
    std::optional<std::string> remembered;
    const int selected = m_view.SelectedRow();
    if (selected >= 0)
        remembered = RowText(selected);
    Fill();
    std::vector<std::string> texts;
    for (int i = 0; i < m_view.RowCount(); ++i)
        texts.push_back(RowText(i));
    Select(RowToSelect(texts, remembered, m_preselection));
}

void CLCCDDrives::Select(int row) {
    m_view.Select(row);
}

int CLCCDDrives::SelectedRow() const {
    return m_view.SelectedFocusedRow();
}

std::string CLCCDDrives::RowText(int row) const {
    return m_view.CellText(row, kColumnDrive);
}

uint16_t CLCCDDrives::RowCdType(int row) const {
    return static_cast<uint16_t>(m_view.RowData(row));
}
