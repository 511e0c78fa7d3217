#pragma once
// The Quick Copy file selection dialog: the files that match the source disc, one row each,
// sorted by display name. OK takes the selected file, Delete removes the selected file from
// the disk at once. The decisions are CQuickCopySelection's; this binds them to the window.
#include "app/Messages.h"
#include "app/QuickCopy.h"
#include "controls/DialogHeaderCtrl.h"
#include "pages/QuickCopySelection.h"
#include "toolkit/Dialog.h"
#include "toolkit/ImageList.h"
#include "toolkit/ReportList.h"

class CDlgZQCSelection : public CDialog {
public:
    CDlgZQCSelection(const QuickCopyCandidates& candidates, IMessages& messages,
                     IQuickCopyFiles& files);
    ~CDlgZQCSelection() override;

    // Filled when the dialog ended with IDOK.
    const QuickCopyChoice& Choice() const { return m_choice; }
    // For tests of the live dialog.
    CReportList& List() { return m_list; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    void OnOK() override;

private:
    void UpdateDelete();
    void DeleteSelected();

    CQuickCopySelection m_selection;
    IMessages& m_messages;
    IQuickCopyFiles& m_files;
    CDialogHeaderCtrl m_header;
    // Declared before the list: the list lets go of the images before they are destroyed.
    COwnedImageList m_images;
    CReportList m_list;
    QuickCopyChoice m_choice;
};

// The selection dialog as the job's searches ask for it, over the given parent window (or
// the active window).
class CWinQuickCopyChooser : public IQuickCopyChooser {
public:
    CWinQuickCopyChooser(IMessages& messages, IQuickCopyFiles& files, HWND parent = nullptr)
        : m_messages(messages), m_files(files), m_parent(parent) {}
    bool Choose(const QuickCopyCandidates& candidates, QuickCopyChoice& choice) override;

private:
    IMessages& m_messages;
    IQuickCopyFiles& m_files;
    HWND m_parent;
};
