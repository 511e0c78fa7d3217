#include "pages/PageSource.h"

#include "app/StringIds.h"
#include "pages/SourcePageLogic.h"
#include "toolkit/ResourceModule.h"

#include <dbt.h>

CPageSource::CPageSource()
    : CTTPage(130, 260, 259, PSWIZB_NEXT),
      m_model(App().Services().drives, App().Services().common, App().Services().shellDrives,
              m_files, LoadResourceString, App().Services().albumTitles) {}

BOOL CPageSource::OnInitDialog() {
    CTTPage::OnInitDialog();
    AddTip(kDriveList, IDS_SOURCE_LIST_TIP);
    m_drives.Attach(Item(kDriveList));
    m_drives.SetIncludeVirtual(App().BuildSettings.AcceptVirtualDrives != 0);
    m_drives.SetErrorCorrectedToc(App().BuildSettings.UseErrorCorrectedToc != 0);
    std::string preselection;
    if (Job().SourceDrive)
        preselection = std::string(1, Job().SourceDrive) + ":";
    bool discInformation = App().Settings.UseDiscInfoService != 0;
    if (discInformation) {
        auto disabled = ReadStoreText(App().Services().store, "ZlxDisabledFeatures", 11);
        if (disabled && !disabled->empty() && (*disabled)[0] == '1')
            discInformation = false;
    }
    m_drives.Initialise(false, true, discInformation, preselection);
    m_initialised = true;
    return TRUE;
}

bool CPageSource::OnSetActive() {
    CTTPage::OnSetActive();
    if (m_initialised)
        Refresh();
    Job().MaxReadSpeed = 0;
    Job().SelReadSpeed = 0;
    return true;
}

void CPageSource::Refresh() {
    IWorkInfo& work = App().Services().workInfo;
    work.Show(IDS_SEARCHING_SOURCE_CDS);
    // The service may show dialogs while the list asks it; they belong to the work dialog.
    if (App().Settings.UseDiscInfoService)
        App().Services().discInfo.Init(work.Window());
    m_drives.Refresh();
    work.Close();
}

int CPageSource::OnWizardNext() {
    const int row = m_drives.SelectedRow();
    std::optional<std::string> text;
    uint16_t cdType = 0;
    if (row >= 0) {
        text = m_drives.RowText(row);
        cdType = m_drives.RowCdType(row);
    }
    const SourceNextResult result =
        SourcePageNext(text, cdType, Job(), App().Services().analysis, App().BuildSettings);
    if (result.goOn)
        return kGoOn;
    App().Services().messages.Show(result.messageId, MsgIcon::Error, MsgButtons::Ok);
    return kStay;
}

INT_PTR CPageSource::OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) {
    handled = false;
    if (message == WM_DEVICECHANGE &&
        (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
        if (m_initialised)
            Refresh();
        handled = true;
        return TRUE;
    }
    return 0;
}
