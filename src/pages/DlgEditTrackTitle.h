#pragma once
// "Edit title": the user changes the title of one track. The caller sets the track number
// and the title, runs DoModal and reads Title back; Cancel leaves Title as it was set.
#include "controls/DialogHeaderCtrl.h"
#include "controls/Label.h"
#include "toolkit/Dialog.h"

#include <string>

class CDlgEditTrackTitle : public CDialog {
public:
    explicit CDlgEditTrackTitle(HWND parent);

    using CDialog::DoModal;
    // Over the parent given at construction.
    INT_PTR DoModal() { return CDialog::DoModal(m_parent); }

    std::string TrackNumber; // shown in bold, at most three digits
    std::string Title;

protected:
    BOOL OnInitDialog() override;
    bool DataExchange(bool save) override;

private:
    HWND m_parent;
    CDialogHeaderCtrl m_header;
    CLabel m_number;
};
