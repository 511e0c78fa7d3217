#pragma once
// Base of every wizard page: header title and subtitle from the string table, the page's
// context, the wizard buttons it computes at each activation, and tool tips on its
// controls when the user wants them.
#include "app/PageContext.h"
#include "toolkit/PropertyPage.h"

#include <memory>

class CToolTip;

class CTTPage : public CPropertyPage {
public:
    CTTPage(const PageContext& context, int templateId, int titleStringId, int subtitleStringId);
    ~CTTPage() override;

    bool ToolTipsEnabled() const { return m_toolTipsEnabled; }
    // Posts the page's current buttons again, after a change that alters them.
    void PostButtons() const { SetWizardButtons(WizardButtons()); }

protected:
    BOOL OnInitDialog() override;
    // Posts the buttons; pages that override it call the base first.
    bool OnSetActive() override;
    // The PSWIZB_* mask the page shows now.
    virtual DWORD WizardButtons() const = 0;
    // Adds a tip (string-table text) to a control; does nothing with tool tips off.
    void AddTip(int controlId, int stringId);

    PageContext m_context;
    CBuildJob& Job() const { return m_context.job; }

private:
    bool m_toolTipsEnabled;
    std::unique_ptr<CToolTip> m_toolTip;
};
