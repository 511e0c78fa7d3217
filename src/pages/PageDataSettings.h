#pragma once
// The data track settings page: binds its controls to CDataSettingsPageModel, which holds
// every rule.
#include "app/TTPage.h"
#include "controls/Separator.h"
#include "pages/DataSettingsPageLogic.h"

#include <array>
#include <string>
#include <vector>

class CPageDataSettings : public CTTPage {
public:
    explicit CPageDataSettings(const PageContext& context);

    CDataSettingsPageModel& Model() { return m_model; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    DWORD WizardButtons() const override { return static_cast<DWORD>(m_model.Buttons()); }
    int OnWizardNext() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool DataExchange(bool save) override;

private:
    // `checkSkipRange`: the skip range is read with its range message (not while typing).
    bool Exchange(bool save, bool checkSkipRange);
    void ShowSpeeds();
    void SkipRangeEdited();
    void WriteControls() { Exchange(false, true); }

    CDataSettingsPageModel m_model;
    std::array<CSeparator, 4> m_headings;
    std::vector<std::string> m_shownSpeeds;
    bool m_initialised = false;
    bool m_writing = false;
};
