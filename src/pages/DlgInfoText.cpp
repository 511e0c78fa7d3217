#include "pages/DlgInfoText.h"

#include "res/page_properties_ids.h"
#include "toolkit/DataExchange.h"

namespace {
enum InfoTextString { kHeaderTitle = 285, kHeaderSubtitle = 286 };
} // namespace

CDlgInfoText::CDlgInfoText(std::string text) : CDialog(IDD_INFO_TEXT), m_text(std::move(text)) {
    if (m_text.size() > static_cast<size_t>(kMaxText))
        m_text.resize(static_cast<size_t>(kMaxText));
}

BOOL CDlgInfoText::OnInitDialog() {
    CDialog::OnInitDialog();
    m_header.Bind(m_hWnd, kHeaderTitle, kHeaderSubtitle, IDI_INFO_TEXT);
    // The caret goes after the comment: the dialog manager would select it all, and the
    // first key typed would replace it.
    HWND edit = Item(IDC_INFO_TEXT_EDIT);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, m_text.size(), m_text.size());
    return FALSE;
}

bool CDlgInfoText::DataExchange(bool save) {
    CDataExchange dx(*this, save);
    dx.Text(IDC_INFO_TEXT_EDIT, m_text, kMaxText);
    return dx.Ok();
}
