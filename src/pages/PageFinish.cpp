#include "pages/PageFinish.h"

#include "pages/DlgInfoText.h"
#include "res/page_properties_ids.h"
#include "toolkit/DataExchange.h"
#include "toolkit/FileDialog.h"
#include "toolkit/FolderDialog.h"
#include "toolkit/ResourceModule.h"

namespace {
enum PropertiesString {
    kTitle = 270,
    kSubtitle = 271,
    kProgramFilter = 163,
    kProgramTitle = 164,
    kDirectoryTitle = 165,
    kTipPassword = 223,
    kTipVerify = 224,
    kTipProgram = 225,
    kTipBrowseProgram = 226,
    kTipDirectory = 227,
    kTipBrowseDirectory = 228,
    kTipHotkey = 229,
    kTipDrives = 230,
    kTipComment = 231,
};
constexpr COLORREF kBrowseTransparent = RGB(255, 255, 255);
// A control caption, as the list's own first entry.
constexpr const char* kNoDrive = "None";

} // namespace

CPageFinish::CPageFinish(const PageContext& context)
    : CTTPage(context, IDD_PAGE_PROPERTIES, kTitle, kSubtitle), m_model(context, *this) {}

BOOL CPageFinish::OnInitDialog() {
    CTTPage::OnInitDialog();
    const int buttons[] = {IDC_PROPS_BROWSE_PROGRAM, IDC_PROPS_BROWSE_DIRECTORY};
    for (size_t i = 0; i < m_browseButtons.size(); ++i) {
        m_browseButtons[i].SubclassDlgItem(buttons[i], m_hWnd);
        m_browseButtons[i].SetBitmap(IDB_PROPS_BROWSE, kBrowseTransparent);
    }
    const int headings[] = {IDC_PROPS_HEAD_PROTECT, IDC_PROPS_HEAD_AUTOSTART, IDC_PROPS_HEAD_INSERT,
                            IDC_PROPS_HEAD_INFO};
    for (size_t i = 0; i < m_headings.size(); ++i)
        m_headings[i].SubclassDlgItem(headings[i], m_hWnd);
    FillDrives();
    AddTip(IDC_PROPS_PASSWORD, kTipPassword);
    AddTip(IDC_PROPS_VERIFY, kTipVerify);
    AddTip(IDC_PROPS_PROGRAM, kTipProgram);
    AddTip(IDC_PROPS_BROWSE_PROGRAM, kTipBrowseProgram);
    AddTip(IDC_PROPS_DIRECTORY, kTipDirectory);
    AddTip(IDC_PROPS_BROWSE_DIRECTORY, kTipBrowseDirectory);
    AddTip(IDC_PROPS_HOTKEY, kTipHotkey);
    AddTip(IDC_PROPS_DRIVES, kTipDrives);
    AddTip(IDC_PROPS_COMMENT, kTipComment);
    return TRUE;
}

void CPageFinish::FillDrives() {
    HWND combo = Item(IDC_PROPS_DRIVES);
    char text[16] = {};
    lstrcpynA(text, kNoDrive, sizeof text);
    COMBOBOXEXITEMA item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
    item.iItem = 0;
    item.pszText = text;
    item.iImage = item.iSelectedImage = I_IMAGENONE;
    item.lParam = 0;
    SendMessageA(combo, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    m_drives.Attach(combo);
    m_drives.Fill(m_context.services.drives, m_context.settings.UseXPIcons != 0);
}

bool CPageFinish::OnWizardFinish() {
    ReadControls();
    return m_model.Finish();
}

bool CPageFinish::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_PROPS_BROWSE_PROGRAM:
        ReadControls();
        m_model.BrowseProgram();
        break;
    case IDC_PROPS_BROWSE_DIRECTORY:
        ReadControls();
        m_model.BrowseDirectory();
        break;
    case IDC_PROPS_COMMENT:
        m_model.EditComment();
        return true;
    default:
        return false;
    }
    WriteControls();
    return true;
}

bool CPageFinish::DataExchange(bool save) {
    PropertiesView& view = m_model.View();
    CDataExchange dx(*this, save);
    dx.Text(IDC_PROPS_PASSWORD, view.password, CPropertiesPageModel::kMaxPassword);
    dx.Text(IDC_PROPS_VERIFY, view.verification, CPropertiesPageModel::kMaxPassword);
    dx.Text(IDC_PROPS_PROGRAM, view.startProgram, CPropertiesPageModel::kMaxPath);
    dx.Text(IDC_PROPS_DIRECTORY, view.workingDirectory, CPropertiesPageModel::kMaxPath);
    dx.HotKey(IDC_PROPS_HOTKEY, view.hotkeyKey, view.hotkeyModifiers);
    intptr_t drive = static_cast<unsigned char>(view.insertDrive);
    dx.ComboData(IDC_PROPS_DRIVES, drive);
    view.insertDrive = static_cast<char>(drive);
    return dx.Ok();
}

bool CPageFinish::ChooseProgram(const std::string& initial, std::string& chosen) {
    FileDialogRequest request;
    request.owner = Sheet();
    request.filter = LoadResourceString(kProgramFilter);
    request.title = LoadResourceString(kProgramTitle);
    request.name = initial;
    return ChooseFileToOpen(request, chosen);
}

bool CPageFinish::ChooseFolder(std::string& chosen) {
    CFolderDialog dialog(LoadResourceString(kDirectoryTitle), m_model.View().workingDirectory);
    if (!dialog.DoModal(Sheet()))
        return false;
    chosen = dialog.Folder();
    return true;
}

bool CPageFinish::EditComment(std::string& text) {
    CDlgInfoText dialog(text);
    if (dialog.DoModal(Sheet()) != IDOK)
        return false;
    text = dialog.Text();
    return true;
}
