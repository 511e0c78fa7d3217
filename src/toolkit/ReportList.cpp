#include "toolkit/ReportList.h"

#include <algorithm>

namespace {
constexpr UINT kRowState = LVIS_SELECTED | LVIS_FOCUSED;

// Everything a row holds, so rows can be taken out and put back.
struct RowCopy {
    std::vector<std::string> cells;
    LPARAM data = 0;
    int image = -1;
    UINT state = 0;
};

int Format(ColumnAlign align) {
    switch (align) {
    case ColumnAlign::Right:
        return LVCFMT_RIGHT;
    case ColumnAlign::Centre:
        return LVCFMT_CENTER;
    default:
        return LVCFMT_LEFT;
    }
}

bool GetItem(HWND list, int row, UINT mask, LVITEMA& item) {
    item = {};
    item.mask = mask;
    item.iItem = row;
    item.stateMask = kRowState;
    return SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

RowCopy ReadRow(const CReportList& list, int row) {
    RowCopy copy;
    LVITEMA item;
    if (GetItem(list.Handle(), row, LVIF_PARAM | LVIF_IMAGE | LVIF_STATE, item)) {
        copy.data = item.lParam;
        copy.image = item.iImage;
        copy.state = item.state & kRowState;
    }
    for (int column = 0; column < std::max(list.ColumnCount(), 1); ++column)
        copy.cells.push_back(list.CellText(row, column));
    return copy;
}

// Inserts the row before `at`; its new index, or -1.
int WriteRow(CReportList& list, int at, const RowCopy& copy) {
    const int row = list.InsertRow(at, copy.cells[0], copy.data, copy.image);
    if (row < 0)
        return -1;
    for (size_t column = 1; column < copy.cells.size(); ++column)
        list.SetCell(row, static_cast<int>(column), copy.cells[column]);
    ListView_SetItemState(list.Handle(), row, copy.state, kRowState);
    return row;
}
} // namespace

CReportList::~CReportList() {
    if (m_hasImages && m_list && IsWindow(m_list))
        ListView_SetImageList(m_list, nullptr, LVSIL_SMALL);
}

bool CReportList::AttachDlgItem(HWND dialog, int id) {
    m_list = GetDlgItem(dialog, id);
    return m_list != nullptr;
}

void CReportList::SetStyle(DWORD style, bool on) {
    const LONG_PTR old = GetWindowLongPtrA(m_list, GWL_STYLE);
    const LONG_PTR now =
        on ? (old | static_cast<LONG_PTR>(style)) : (old & ~static_cast<LONG_PTR>(style));
    if (now != old)
        SetWindowLongPtrA(m_list, GWL_STYLE, now);
}

void CReportList::SetFullRowSelect() {
    ListView_SetExtendedListViewStyleEx(m_list, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void CReportList::SetSingleSelection(bool single) {
    SetStyle(LVS_SINGLESEL, single);
}

void CReportList::SetSortAscending(bool sorted) {
    SetStyle(LVS_SORTASCENDING, sorted);
    if (sorted)
        SortAscending();
}

void CReportList::SetSmallImages(const COwnedImageList& images) {
    // Without this style the control destroys its image lists with itself, and the owner's
    // destroy would then be the second one.
    SetStyle(LVS_SHAREIMAGELISTS, true);
    ListView_SetImageList(m_list, images.Handle(), LVSIL_SMALL);
    m_hasImages = images.Handle() != nullptr;
}

int CReportList::AddColumn(const std::string& heading, int width, ColumnAlign align) {
    const int index = ColumnCount();
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = Format(align);
    column.cx = width;
    column.pszText = const_cast<char*>(heading.c_str());
    column.iSubItem = index;
    return static_cast<int>(SendMessageA(m_list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&column)));
}

int CReportList::ColumnCount() const {
    HWND header = ListView_GetHeader(m_list);
    return header ? Header_GetItemCount(header) : 0;
}

int CReportList::InsertRow(int at, const std::string& text, LPARAM data, int image) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = std::max(at, 0);
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = data;
    item.iImage = image >= 0 ? image : I_IMAGENONE;
    return static_cast<int>(
        SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void CReportList::SetCell(int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(m_list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

std::string CReportList::CellText(int row, int column) const {
    // The control copies at most the buffer's size; grow until the text fits.
    for (int size = 256;; size *= 4) {
        std::string text(static_cast<size_t>(size), '\0');
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = size;
        const auto length = static_cast<int>(SendMessageA(
            m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length < size - 1 || size >= 65536) {
            text.resize(static_cast<size_t>(std::clamp(length, 0, size - 1)));
            return text;
        }
    }
}

LPARAM CReportList::RowData(int row) const {
    LVITEMA item;
    return GetItem(m_list, row, LVIF_PARAM, item) ? item.lParam : 0;
}

int CReportList::RowImage(int row) const {
    LVITEMA item;
    return GetItem(m_list, row, LVIF_IMAGE, item) && item.iImage >= 0 ? item.iImage : -1;
}

int CReportList::FindRowByData(LPARAM data) const {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(SendMessageA(m_list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

int CReportList::RowCount() const {
    return ListView_GetItemCount(m_list);
}

bool CReportList::DeleteRow(int row) {
    return ListView_DeleteItem(m_list, row) != FALSE;
}

void CReportList::DeleteAllRows() {
    ListView_DeleteAllItems(m_list);
}

int CReportList::MoveRow(int from, int to) {
    const int count = RowCount();
    if (from < 0 || from >= count || to < 0 || to >= count)
        return -1;
    if (from == to)
        return to;
    const RowCopy copy = ReadRow(*this, from);
    DeleteRow(from);
    return WriteRow(*this, to, copy);
}

int CReportList::SelectedFocusedRow() const {
    return ListView_GetNextItem(m_list, -1, LVNI_SELECTED | LVNI_FOCUSED);
}

int CReportList::SelectedRow() const {
    return ListView_GetNextItem(m_list, -1, LVNI_SELECTED);
}

std::vector<int> CReportList::SelectedRows() const {
    std::vector<int> rows;
    for (int row = ListView_GetNextItem(m_list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(m_list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void CReportList::Select(int row) {
    if (row < 0 || row >= RowCount())
        return;
    ListView_SetItemState(m_list, row, kRowState, kRowState);
    ListView_EnsureVisible(m_list, row, FALSE);
}

void CReportList::ClearSelection() {
    ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED);
}

HWND CReportList::EditFirstColumn(int row) {
    SetStyle(LVS_EDITLABELS, true);
    SetFocus(m_list);
    return reinterpret_cast<HWND>(
        SendMessageA(m_list, LVM_EDITLABELA, static_cast<WPARAM>(row), 0));
}

bool CReportList::EditedText(const NMHDR* header, std::string& text) const {
    if (!header || header->hwndFrom != m_list)
        return false;
    if (header->code == LVN_ENDLABELEDITA) {
        const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(header);
        if (!info->item.pszText)
            return false;
        text = info->item.pszText;
        return true;
    }
    if (header->code == LVN_ENDLABELEDITW) {
        const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(header);
        if (!info->item.pszText)
            return false;
        const int size =
            WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, nullptr, 0, nullptr, nullptr);
        std::string converted(static_cast<size_t>(std::max(size, 1)), '\0');
        WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, &converted[0], size, nullptr,
                            nullptr);
        converted.resize(static_cast<size_t>(std::max(size - 1, 0)));
        text = converted;
        return true;
    }
    return false;
}

void CReportList::SortAscending() {
    // Taking the rows out and putting them back keeps this independent of how the control
    // numbers items during its own sort.
    std::vector<RowCopy> rows;
    for (int row = 0; row < RowCount(); ++row)
        rows.push_back(ReadRow(*this, row));
    std::stable_sort(rows.begin(), rows.end(), [](const RowCopy& a, const RowCopy& b) {
        return lstrcmpiA(a.cells[0].c_str(), b.cells[0].c_str()) < 0;
    });
    SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    DeleteAllRows();
    for (const RowCopy& copy : rows)
        WriteRow(*this, RowCount(), copy);
    SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
}
