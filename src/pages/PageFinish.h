#pragma once
// The image properties page, the wizard's last: binds its controls to
// CPropertiesPageModel, which holds every rule, and opens the dialogs the model asks for.
// The page starts empty and its controls keep what the user typed while the page exists;
// they are read whenever the model needs them.
#include "app/TTPage.h"
#include "controls/ImageButton.h"
#include "controls/Separator.h"
#include "pages/PropertiesPageLogic.h"
#include "source/CBDrives.h"

#include <array>

class CPageFinish : public CTTPage, private IPropertiesDialogs {
public:
    explicit CPageFinish(const PageContext& context);

    CPropertiesPageModel& Model() { return m_model; }

protected:
    BOOL OnInitDialog() override;
    DWORD WizardButtons() const override { return static_cast<DWORD>(m_model.Buttons()); }
    bool OnWizardFinish() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool DataExchange(bool save) override;

private:
    bool ChooseProgram(const std::string& initial, std::string& chosen) override;
    bool ChooseFolder(std::string& chosen) override;
    bool EditComment(std::string& text) override;
    void FillDrives();
    void WriteControls() { DataExchange(false); }
    void ReadControls() { DataExchange(true); }

    CPropertiesPageModel m_model;
    CCBDrives m_drives;
    std::array<CImageButton, 2> m_browseButtons;
    std::array<CSeparator, 4> m_headings;
};
