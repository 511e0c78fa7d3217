#pragma once
// The copy method page: binds its controls to CToDoPageModel, which holds every rule.
#include "app/TTPage.h"
#include "controls/Separator.h"
#include "pages/ToDoPageLogic.h"
#include "pages/WinFolderQuery.h"

#include <array>
#include <memory>

class CPageToDo : public CTTPage {
public:
    explicit CPageToDo(const PageContext& context);
    ~CPageToDo() override;

    CToDoPageModel& Model() { return m_model; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    DWORD WizardButtons() const override { return static_cast<DWORD>(m_model.Buttons()); }
    int OnWizardNext() override;
    int OnWizardBack() override;
    bool OnWizardFinish() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool DataExchange(bool save) override;

private:
    void ShowPresets();
    void ShowIcons();
    void WriteControls() { DataExchange(false); }
    void ReadControls() { DataExchange(true); }

    std::unique_ptr<IQuickCopyAccess> m_quickCopy;
    CWinFolderQuery m_folders;
    CToDoPageModel m_model;
    std::array<CSeparator, 3> m_headings;
    std::vector<int> m_shownPresets;
    HICON m_driveIcon = nullptr; // ours
    bool m_writing = false;
};
