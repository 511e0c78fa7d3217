#include "pages/PageDestination.h"

#include "controls/DlgHardDiscInfo.h"
#include "res/page_destination_ids.h"
#include "toolkit/DataExchange.h"
#include "toolkit/FileDialog.h"
#include "toolkit/ResourceModule.h"

#include <shellapi.h>

namespace {
enum TextId {
    kTitle = 268,
    kSubtitle = 269,
    kFileFilter = 152,
    kBrowseTitle = 153,
};
enum TipId {
    kTipPath = 218,
    kTipBrowse = 219,
    kTipOwnFolder = 220,
    kTipHardDisks = 221,
    kTipCompression = 240,
    kTipView = 257,
};
const char* const kViewEntries[] = {"Local view", "Network view"};
const char* const kCompressionNames[kCompressionEntries] = {"None", "Level 1", "Level 2", "Level 3",
                                                            "Level 4"};

void FillCombo(HWND combo, const char* const* entries, size_t count) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < count; ++i)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i]));
}
} // namespace

CPageDestination::CPageDestination(const PageContext& context)
    : CTTPage(context, IDD_PAGE_DESTINATION, kTitle, kSubtitle),
      m_model(context, m_folders, m_drives, LoadResourceString) {}

CPageDestination::~CPageDestination() {
    if (m_folderIcon)
        DestroyIcon(m_folderIcon);
}

BOOL CPageDestination::OnInitDialog() {
    CTTPage::OnInitDialog();
    const int headings[] = {IDC_DEST_HEAD_FILE, IDC_DEST_HEAD_COMPRESSION, IDC_DEST_HEAD_SPACE};
    for (size_t i = 0; i < m_headings.size(); ++i)
        m_headings[i].SubclassDlgItem(headings[i], m_hWnd);
    m_chart.SubclassDlgItem(IDC_DEST_CHART, m_hWnd);
    m_needed.SubclassDlgItem(IDC_DEST_NEEDED, m_hWnd);
    m_free.SubclassDlgItem(IDC_DEST_FREE, m_hWnd);
    FillCombo(Item(IDC_DEST_VIEW), kViewEntries, std::size(kViewEntries));
    FillCombo(Item(IDC_DEST_COMPRESSION), kCompressionNames, std::size(kCompressionNames));

    // The shell's own folder icon, whatever the system's icon resources are numbered.
    SHFILEINFOA folder = {};
    if (SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &folder, sizeof folder,
                       SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON))
        m_folderIcon = folder.hIcon;
    if (m_folderIcon)
        SendDlgItemMessageA(m_hWnd, IDC_DEST_BROWSE, BM_SETIMAGE, IMAGE_ICON,
                            reinterpret_cast<LPARAM>(m_folderIcon));
    else
        SetItemText(IDC_DEST_BROWSE, "...");

    AddTip(IDC_DEST_PATH, kTipPath);
    AddTip(IDC_DEST_BROWSE, kTipBrowse);
    AddTip(IDC_DEST_VIEW, kTipView);
    AddTip(IDC_DEST_OWN_FOLDER, kTipOwnFolder);
    AddTip(IDC_DEST_HARD_DISKS, kTipHardDisks);
    AddTip(IDC_DEST_COMPRESSION, kTipCompression);
    m_model.Initialise();
    return TRUE;
}

bool CPageDestination::OnSetActive() {
    m_model.Activate();
    WriteControls();
    return CTTPage::OnSetActive();
}

int CPageDestination::OnWizardNext() {
    ReadControls();
    const bool goOn = m_model.Validate();
    WriteControls();
    return goOn ? kGoOn : kStay;
}

bool CPageDestination::OnWizardFinish() {
    ReadControls();
    const bool finished = m_model.Finish();
    if (!finished)
        WriteControls();
    return finished;
}

bool CPageDestination::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_DEST_PATH:
        // Every keystroke reaches the job, so the sizes follow the drive being typed.
        if (code != EN_CHANGE)
            return false;
        if (m_writing)
            return true;
        ReadControls();
        m_model.PathChanged();
        ShowSizes();
        return true;
    case IDC_DEST_BROWSE:
        if (code != BN_CLICKED)
            return false;
        ReadControls();
        Browse();
        return true;
    case IDC_DEST_OWN_FOLDER:
        if (code != BN_CLICKED)
            return false;
        ReadControls();
        m_model.OwnFolderChanged();
        return true;
    case IDC_DEST_COMPRESSION:
        if (code != CBN_SELCHANGE)
            return false;
        ReadControls();
        m_model.CompressionChanged();
        ShowSizes();
        return true;
    case IDC_DEST_HARD_DISKS:
        if (code != BN_CLICKED)
            return false;
        ShowHardDisks();
        return true;
    default:
        return false;
    }
}

bool CPageDestination::DataExchange(bool save) {
    DestinationView& view = m_model.View();
    m_writing = !save;
    CDataExchange dx(*this, save);
    dx.Text(IDC_DEST_PATH, view.path, CDestinationPageModel::kMaxPath);
    dx.ComboIndex(IDC_DEST_VIEW, view.viewIndex);
    int ownFolder = view.ownFolder ? 1 : 0;
    dx.Check(IDC_DEST_OWN_FOLDER, ownFolder);
    view.ownFolder = ownFolder != 0;
    dx.ComboIndex(IDC_DEST_COMPRESSION, view.compression);
    if (!save) {
        ShowCompression();
        ShowSizes();
    }
    m_writing = false;
    return dx.Ok();
}

void CPageDestination::ShowSizes() {
    const DestinationView& view = m_model.View();
    m_needed.SetText(view.neededText);
    m_needed.SetTextColour(view.neededRed ? RGB(255, 0, 0) : RGB(0, 0, 0));
    m_free.SetText(view.freeText);
    m_chart.SetValues(view.totalMB, view.freeMB, view.neededMB);
}

void CPageDestination::ShowCompression() {
    const bool shown = m_model.View().compressionShown;
    for (int id : {IDC_DEST_HEAD_COMPRESSION, IDC_DEST_COMPRESSION_LABEL, IDC_DEST_COMPRESSION}) {
        EnableItem(id, shown);
        ShowItem(id, shown);
    }
}

void CPageDestination::Browse() {
    const BrowseStart start = BrowseStartOf(m_model.View().path);
    FileDialogRequest request;
    request.owner = Sheet();
    request.filter = LoadResourceString(kFileFilter);
    request.title = LoadResourceString(kBrowseTitle);
    request.folder = start.folder;
    request.name = start.name;
    std::string chosen;
    if (!ChooseFileToSave(request, chosen))
        return;
    m_model.Browsed(chosen);
    WriteControls();
}

void CPageDestination::ShowHardDisks() {
    CDlgHardDiscInfo dialog;
    dialog.SetRequiredSpace(m_model.NeededText());
    dialog.SetRequiredMegabytes(m_model.View().neededMB);
    dialog.DoModal(Sheet());
}
