#include "pages/DlgZQCSelection.h"

#include "res/quickcopy_ids.h"
#include "toolkit/ResourceModule.h"

namespace {
enum QuickCopyText { kColumnDescription = 278, kTitle = 280, kSubtitle = 281 };
constexpr int kColumnWidth = 375;
} // namespace

CDlgZQCSelection::CDlgZQCSelection(const QuickCopyCandidates& candidates, IMessages& messages,
                                   IQuickCopyFiles& files)
    : CDialog(IDD_ZQC_SELECTION), m_selection(candidates), m_messages(messages), m_files(files) {}

CDlgZQCSelection::~CDlgZQCSelection() {
    // A modeless test run may leave the window; it must go before the images do.
    Destroy();
}

BOOL CDlgZQCSelection::OnInitDialog() {
    CDialog::OnInitDialog();
    m_header.Bind(m_hWnd, kTitle, kSubtitle, IDI_ZQC_FILE);

    m_list.AttachDlgItem(m_hWnd, IDC_ZQC_LIST);
    m_list.SetFullRowSelect();
    m_list.SetSingleSelection(true);
    m_list.SetSortAscending(true);
    m_images.Create(16);
    const int icon = m_images.AddIconResource(ResourceModule(), IDI_ZQC_FILE);
    m_list.SetSmallImages(m_images);
    m_list.AddColumn(LoadResourceString(kColumnDescription), kColumnWidth);

    const auto& rows = m_selection.Rows();
    for (size_t i = 0; i < rows.size(); ++i)
        m_list.AppendRow(rows[i].displayName, static_cast<LPARAM>(i), icon);
    // Selecting the first row enables Delete (LVN_ITEMCHANGED).
    m_list.Select(0);
    UpdateDelete();
    return TRUE;
}

void CDlgZQCSelection::UpdateDelete() {
    EnableItem(IDC_ZQC_DELETE, CQuickCopySelection::CanDelete(m_list.SelectedFocusedRow()));
}

void CDlgZQCSelection::DeleteSelected() {
    const int row = m_list.SelectedFocusedRow();
    if (row >= 0 && m_selection.Delete(static_cast<int>(m_list.RowData(row)), m_files))
        m_list.DeleteRow(row);
    EnableItem(IDC_ZQC_DELETE, false);
}

bool CDlgZQCSelection::OnCommand(int id, int code, HWND) {
    if (id == IDC_ZQC_DELETE && code == BN_CLICKED) {
        // The button is disabled from here on; keep the keyboard in the dialog.
        SetFocus(m_list.Handle());
        DeleteSelected();
        return true;
    }
    return false;
}

bool CDlgZQCSelection::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->hwndFrom == m_list.Handle() && header->code == LVN_ITEMCHANGED) {
        UpdateDelete();
        result = 0;
        return true;
    }
    return CDialog::OnNotify(header, result);
}

void CDlgZQCSelection::OnOK() {
    const int row = m_list.SelectedRow();
    const int entry = row >= 0 ? static_cast<int>(m_list.RowData(row)) : -1;
    const int refusal = m_selection.Accept(entry, m_choice);
    if (refusal) {
        m_messages.Show(refusal, MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    EndDialog(IDOK);
}

bool CWinQuickCopyChooser::Choose(const QuickCopyCandidates& candidates, QuickCopyChoice& choice) {
    CDlgZQCSelection dialog(candidates, m_messages, m_files);
    if (dialog.DoModal(m_parent ? m_parent : GetActiveWindow()) != IDOK)
        return false;
    choice = dialog.Choice();
    return true;
}
