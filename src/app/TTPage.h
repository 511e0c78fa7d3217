#pragma once
// Base of every wizard page: header title and subtitle from the string table, the
// page's wizard buttons, and tool tips on its controls when the user wants them.
#include "app/ZlxbuildApp.h"
#include "toolkit/PropertyPage.h"

#include <memory>

class CToolTip;

class CTTPage : public CPropertyPage {
public:
    // `buttons`: the PSWIZB_* mask the page shows (pages that compute it override OnSetActive).
    CTTPage(int templateId, int titleStringId, int subtitleStringId, DWORD buttons);
    ~CTTPage() override;

    bool ToolTipsEnabled() const { return m_toolTipsEnabled; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    // Adds a tip (string-table text) to a control; does nothing with tool tips off.
    void AddTip(int controlId, int stringId);
    static CZlxbuildApp& App() { return *CZlxbuildApp::Current(); }
    static CBuildJob& Job() { return *CZlxbuildApp::Current()->Job(); }

private:
    DWORD m_buttons;
    bool m_toolTipsEnabled;
    std::unique_ptr<CToolTip> m_toolTip;
};
