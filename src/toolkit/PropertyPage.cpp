#include "toolkit/PropertyPage.h"

#include "toolkit/ResourceModule.h"

CPropertyPage::CPropertyPage(int templateId, std::string caption, std::string headerTitle,
                             std::string headerSubtitle)
    : CDialog(templateId), m_caption(std::move(caption)), m_headerTitle(std::move(headerTitle)),
      m_headerSubtitle(std::move(headerSubtitle)) {}

HPROPSHEETPAGE CPropertyPage::CreatePage() {
    PROPSHEETPAGEA psp = {};
    psp.dwSize = sizeof psp;
    psp.dwFlags = PSP_USETITLE | PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE;
    psp.hInstance = ResourceModule();
    psp.pszTemplate = MAKEINTRESOURCEA(TemplateId());
    psp.pfnDlgProc = PageProc;
    psp.pszTitle = m_caption.c_str();
    psp.pszHeaderTitle = m_headerTitle.c_str();
    psp.pszHeaderSubTitle = m_headerSubtitle.c_str();
    psp.lParam = reinterpret_cast<LPARAM>(this);
    m_page = CreatePropertySheetPageA(&psp);
    return m_page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        lParam = reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam; // the page object
    return DialogProc(window, message, wParam, lParam);
}

void CPropertyPage::SetWizardButtons(DWORD buttons) const {
    if (HWND sheet = Sheet())
        PostMessageA(sheet, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

bool CPropertyPage::OnSetActive() {
    return true;
}
bool CPropertyPage::OnKillActive() {
    return DataExchange(true);
}
int CPropertyPage::OnWizardNext() {
    return kGoOn;
}
int CPropertyPage::OnWizardBack() {
    return kGoOn;
}
bool CPropertyPage::OnWizardFinish() {
    return true;
}
bool CPropertyPage::OnQueryCancel() {
    return true;
}

bool CPropertyPage::OnNotify(NMHDR* header, LRESULT& result) {
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        return true;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        return true;
    case PSN_WIZBACK:
        result = OnWizardBack();
        return true;
    case PSN_WIZFINISH:
        result = OnWizardFinish() ? FALSE : TRUE;
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;
        return true;
    default:
        return false;
    }
}
