#include "pages/PageSource.h"

#include "app/StringIds.h"
#include "discinfo/TitleLookup.h"
#include "pages/SourcePageLogic.h"
#include "toolkit/ResourceModule.h"

#include <dbt.h>

CPageSource::CPageSource(const PageContext& context)
    : CTTPage(context, 130, 260, 259),
      m_model(context.services.drives, context.services.common, context.services.shellDrives,
              m_files, LoadResourceString, context.services.albumTitles) {}

BOOL CPageSource::OnInitDialog() {
    CTTPage::OnInitDialog();
    AddTip(kDriveList, IDS_SOURCE_LIST_TIP);
    m_drives.Attach(Item(kDriveList));
    m_drives.SetIncludeVirtual(m_context.buildSettings.AcceptVirtualDrives != 0);
    m_drives.SetErrorCorrectedToc(m_context.buildSettings.UseErrorCorrectedToc != 0);
    std::string preselection;
    if (Job().SourceDrive)
        preselection = std::string(1, Job().SourceDrive) + ":";
    const bool discInformation = m_context.settings.UseDiscInfoService != 0 &&
                                 !DiscInfoServiceDisabled(m_context.services.store);
    m_drives.Initialise(false, true, discInformation, preselection);
    m_initialised = true;
    return TRUE;
}

bool CPageSource::OnSetActive() {
    CTTPage::OnSetActive();
    m_active = true;
    if (m_initialised)
        Refresh();
    Job().MaxReadSpeed = 0;
    Job().SelReadSpeed = 0;
    return true;
}

bool CPageSource::OnKillActive() {
    m_active = false;
    return CTTPage::OnKillActive();
}

void CPageSource::Refresh() {
    CWorkInfoScope work(m_context.services.workInfo, IDS_SEARCHING_SOURCE_CDS);
    // The service may show dialogs while the list asks it; they belong to the work dialog.
    if (m_context.settings.UseDiscInfoService)
        m_context.services.discInfo.Init(m_context.services.workInfo.Window());
    m_drives.Refresh();
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
        SourcePageNext(text, cdType, Job(), m_context.services.analysis, m_context.buildSettings);
    if (result.goOn)
        return kGoOn;
    m_context.Messages().Show(result.messageId, MsgIcon::Error, MsgButtons::Ok);
    return kStay;
}

INT_PTR CPageSource::OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) {
    handled = false;
    if (message == WM_DEVICECHANGE &&
        (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
        // Behind another page the list is only refilled when the page shows again, which
        // it does at every activation anyway; a search now would only slow the user down.
        if (m_initialised && m_active)
            Refresh();
        handled = true;
        return TRUE;
    }
    return 0;
}
