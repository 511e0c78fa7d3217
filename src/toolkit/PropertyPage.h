#pragma once
// A wizard page: turns the sheet's PSN_* notifications into virtual calls and writes
// their results where the sheet expects them, in one place.
#include "toolkit/Dialog.h"

#include <prsht.h>

#include <string>

class CPropertyPage : public CDialog {
public:
    // Results of OnWizardNext / OnWizardBack.
    static constexpr int kGoOn = 0;
    static constexpr int kStay = -1;

    CPropertyPage(int templateId, std::string caption, std::string headerTitle,
                  std::string headerSubtitle);

    // The page for the sheet; the sheet destroys it when the page is removed.
    HPROPSHEETPAGE CreatePage();
    HPROPSHEETPAGE Page() const { return m_page; }
    HWND Sheet() const { return m_hWnd ? GetParent(m_hWnd) : nullptr; }
    // Posted, as the sheet wants it while a page is being activated.
    void SetWizardButtons(DWORD buttons) const;

protected:
    virtual bool OnSetActive();  // false: the sheet skips this page
    virtual bool OnKillActive(); // false: the page stays (data not valid)
    virtual int OnWizardNext();  // kGoOn, kStay, or the template id to go to
    virtual int OnWizardBack();
    virtual bool OnWizardFinish(); // false: the sheet stays open
    virtual bool OnQueryCancel();  // false: cancelling is refused
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::string m_caption, m_headerTitle, m_headerSubtitle;
    HPROPSHEETPAGE m_page = nullptr;
};
