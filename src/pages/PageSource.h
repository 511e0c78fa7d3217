#pragma once
// The first wizard page: the user picks the source drive; Next analyses its disc.
#include "app/TTPage.h"
#include "source/DriveList.h"
#include "source/FileSearchWin.h"
#include "source/LCCDDrives.h"

class CPageSource : public CTTPage {
public:
    explicit CPageSource(const PageContext& context);
    static constexpr int kDriveList = 1003;

    CLCCDDrives& Drives() { return m_drives; }
    void Refresh();

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    DWORD WizardButtons() const override { return PSWIZB_NEXT; }
    int OnWizardNext() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    CWinFileSearch m_files;
    CDriveListModel m_model;
    CLCCDDrives m_drives{m_model};
    bool m_initialised = false;
    bool m_active = false;
};
