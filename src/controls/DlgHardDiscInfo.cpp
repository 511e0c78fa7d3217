#include "controls/DlgHardDiscInfo.h"

#include "controls/WinDriveQuery.h"
#include "res/controls_ids.h"
#include "toolkit/ResourceModule.h"

#include <shellapi.h>

namespace {
enum HardDiscText {
    kTitleText = 283,
    kSubtitleText = 284,
    kMegabyteFormat = 179,
    kYesText = 208,
    kNoText = 209,
};

struct Column {
    int headingId;
    int format;
    int width;
};
const Column kColumns[] = {
    {204, LVCFMT_LEFT, 100}, // "Drive"
    {205, LVCFMT_RIGHT, 80}, // "Total space"
    {206, LVCFMT_RIGHT, 80}, // "Available space"
    {207, LVCFMT_RIGHT, 40}, // "RO"
};

// The drive's shell icon appended to the image list; -1 when there is none.
int AddDriveIcon(HIMAGELIST images, const std::string& root) {
    SHFILEINFOA info = {};
    HICON icon = nullptr;
    if (SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) &&
        info.szDisplayName[0])
        icon = ExtractIconA(GetModuleHandleA(nullptr), info.szDisplayName,
                            static_cast<UINT>(info.iIcon));
    if (reinterpret_cast<INT_PTR>(icon) <= 1) {
        // No icon file to extract from (some shells answer only with the icon itself).
        info = {};
        SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
        icon = info.hIcon;
    }
    if (!icon)
        return -1;
    const int image = ImageList_ReplaceIcon(images, -1, icon);
    DestroyIcon(icon);
    return image;
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}
} // namespace

CDlgHardDiscInfo::CDlgHardDiscInfo(std::unique_ptr<IDriveQuery> drives)
    : CDialog(IDD_HARD_DISC_INFO),
      m_drives(drives ? std::move(drives) : std::make_unique<CWinDriveQuery>()) {}

CDlgHardDiscInfo::~CDlgHardDiscInfo() {
    // The list shares the image list (LVS_SHAREIMAGELISTS), so it is ours to destroy,
    // after the window is gone.
    Destroy();
    if (m_images)
        ImageList_Destroy(m_images);
}

BOOL CDlgHardDiscInfo::OnInitDialog() {
    CDialog::OnInitDialog();
    m_header.Bind(m_hWnd, kTitleText, kSubtitleText, IDI_HARD_DISC_INFO);
    m_required.SubclassDlgItem(IDC_HD_REQUIRED, m_hWnd);
    m_required.SetBold(true);
    m_required.SetText(m_requiredText);
    m_chart.SubclassDlgItem(IDC_HD_CHART, m_hWnd);

    HWND list = Item(IDC_HD_DRIVES);
    AddColumns(list);
    if (!m_images) {
        m_images = ImageList_Create(16, 16, ILC_COLORDDB | ILC_MASK, 1, 1);
        ImageList_SetBkColor(m_images, GetSysColor(COLOR_WINDOW));
    }
    ListView_SetImageList(list, m_images, LVSIL_SMALL);

    m_rows = ListHardDiscs(*m_drives);
    for (const HardDiscRow& row : m_rows)
        AddRow(list, row, AddDriveIcon(m_images, row.root));
    // Selecting the first drive also shows it in the pie (LVN_ITEMCHANGED).
    if (!m_rows.empty())
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return TRUE;
}

void CDlgHardDiscInfo::AddColumns(HWND list) const {
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const Column& c : kColumns) {
        const std::string heading = LoadResourceString(c.headingId);
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = c.format;
        column.cx = c.width;
        column.pszText = const_cast<char*>(heading.c_str());
        column.iSubItem = index;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&column));
    }
}

void CDlgHardDiscInfo::AddRow(HWND list, const HardDiscRow& row, int image) const {
    const std::string name = DriveRowText(row);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char*>(name.c_str());
    item.iImage = image;
    const int at =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0)
        return;
    const std::string format = LoadResourceString(kMegabyteFormat);
    SetCell(list, at, 1, MegabyteText(format, row.totalMB));
    SetCell(list, at, 2, MegabyteText(format, row.freeMB));
    SetCell(list, at, 3, LoadResourceString(row.readOnly ? kYesText : kNoText));
}

void CDlgHardDiscInfo::ShowDriveInChart(int row) {
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size())
        return;
    const HardDiscRow& drive = m_rows[static_cast<size_t>(row)];
    m_chart.SetValues(drive.totalMB, drive.freeMB, m_requiredMB);
}

bool CDlgHardDiscInfo::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->idFrom == IDC_HD_DRIVES && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            ShowDriveInChart(change->iItem);
        result = 0;
        return true;
    }
    return CDialog::OnNotify(header, result);
}
