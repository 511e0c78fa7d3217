#include "pages/DlgEditTrackTitle.h"

#include "res/edit_title_ids.h"
#include "toolkit/ResourceModule.h"

namespace {
enum EditTitleText { kHeaderTitle = 287, kHeaderSubtitle = 288 };
constexpr size_t kNumberDigits = 3;
} // namespace

CDlgEditTrackTitle::CDlgEditTrackTitle(HWND parent)
    : CDialog(IDD_EDIT_TRACK_TITLE), m_parent(parent) {}

BOOL CDlgEditTrackTitle::OnInitDialog() {
    m_number.SetBold(true);
    m_number.SubclassDlgItem(IDC_EDIT_TITLE_NUMBER, m_hWnd);
    CDialog::OnInitDialog();
    m_header.Bind(m_hWnd, kHeaderTitle, kHeaderSubtitle, IDI_AUDIO_TRACK);
    return TRUE;
}

bool CDlgEditTrackTitle::DataExchange(bool save) {
    if (save) {
        Title = ItemText(IDC_EDIT_TITLE_TEXT);
    } else {
        m_number.SetText(TrackNumber.substr(0, kNumberDigits));
        SetItemText(IDC_EDIT_TITLE_TEXT, Title);
    }
    return true;
}
