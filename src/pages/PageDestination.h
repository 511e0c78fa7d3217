#pragma once
// The destination page: binds its controls to CDestinationPageModel, which holds every rule.
#include "app/TTPage.h"
#include "controls/Label.h"
#include "controls/PieChartCtrl.h"
#include "controls/Separator.h"
#include "controls/WinDriveQuery.h"
#include "pages/DestinationPageLogic.h"
#include "pages/WinFolderQuery.h"

#include <array>

class CPageDestination : public CTTPage {
public:
    explicit CPageDestination(const PageContext& context);
    ~CPageDestination() override;

    CDestinationPageModel& Model() { return m_model; }
    const CPieChartCtrl& Chart() const { return m_chart; }
    const CLabel& NeededLabel() const { return m_needed; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    DWORD WizardButtons() const override { return static_cast<DWORD>(m_model.Buttons()); }
    int OnWizardNext() override;
    bool OnWizardFinish() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool DataExchange(bool save) override;

private:
    void Browse();
    void ShowHardDisks();
    void ShowSizes();
    void ShowCompression();
    void WriteControls() { DataExchange(false); }
    void ReadControls() { DataExchange(true); }

    CWinFolderQuery m_folders;
    CWinDriveQuery m_drives;
    CDestinationPageModel m_model;
    CPieChartCtrl m_chart; // made before the page's window: registers the chart's class
    std::array<CSeparator, 3> m_headings;
    CLabel m_needed;
    CLabel m_free;
    HICON m_folderIcon = nullptr; // ours
    bool m_writing = false;
};
