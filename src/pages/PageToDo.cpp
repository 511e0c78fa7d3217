#include "pages/PageToDo.h"

#include "res/page_todo_ids.h"
#include "pages/QuickCopyAccess.h"
#include "toolkit/DataExchange.h"
#include "toolkit/ResourceModule.h"

#include <shellapi.h>

namespace {
enum TipId {
    kTipExplorer = 107,
    kTipLabel = 108,
    kTipDescription = 128,
    kTipExpert = 305,
    kTipPresets = 306,
    kTipBrowse = 307,
    kTipQuickCopy = 308,
};
constexpr int kFirstPresetText = 294; // preset code n has the text 294 + n
} // namespace

CPageToDo::CPageToDo(const PageContext& context)
    : CTTPage(context, IDD_PAGE_TODO, 261, 262), m_quickCopy(CreateQuickCopyAccess(context)),
      m_model(context, *m_quickCopy, m_folders, LoadResourceString) {}

CPageToDo::~CPageToDo() {
    if (m_driveIcon)
        DestroyIcon(m_driveIcon);
}

BOOL CPageToDo::OnInitDialog() {
    CTTPage::OnInitDialog();
    const int headings[] = {IDC_TODO_HEAD_SOURCE, IDC_TODO_HEAD_SPECS, IDC_TODO_HEAD_RESULT};
    for (size_t i = 0; i < m_headings.size(); ++i)
        m_headings[i].SubclassDlgItem(headings[i], m_hWnd);
    const bool editorMode = m_context.EditorMode();
    EnableItem(IDC_TODO_EXPLORER, !editorMode);
    EnableItem(IDC_TODO_BROWSE, !editorMode);
    AddTip(IDC_TODO_EXPLORER, kTipExplorer);
    AddTip(IDC_TODO_LABEL, kTipLabel);
    AddTip(IDC_TODO_DESCRIPTION, kTipDescription);
    AddTip(IDC_TODO_PRESETS, kTipPresets);
    AddTip(IDC_TODO_QUICKCOPY, kTipQuickCopy);
    AddTip(IDC_TODO_BROWSE, kTipBrowse);
    AddTip(IDC_TODO_EXPERT, kTipExpert);
    m_model.Initialised();
    return TRUE;
}

bool CPageToDo::OnSetActive() {
    const bool wasFilled = m_model.Filled();
    m_model.Activate();
    if (!wasFilled && m_model.Filled())
        ShowIcons();
    WriteControls();
    return CTTPage::OnSetActive();
}

int CPageToDo::OnWizardNext() {
    ReadControls();
    const bool goOn = m_model.Next();
    WriteControls();
    return goOn ? kGoOn : kStay;
}

int CPageToDo::OnWizardBack() {
    m_model.Back();
    return kGoOn;
}

bool CPageToDo::OnWizardFinish() {
    ReadControls();
    m_model.Finish();
    return true;
}

bool CPageToDo::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_TODO_PRESETS:
        if (code != CBN_SELCHANGE)
            return false;
        ReadControls();
        m_model.PresetChanged();
        break;
    case IDC_TODO_BROWSE:
        if (code != BN_CLICKED)
            return false;
        ReadControls();
        m_model.BrowseQuickCopy();
        break;
    case IDC_TODO_EXPLORER:
        if (code != BN_CLICKED)
            return false;
        m_model.StartExplorer();
        return true;
    case IDC_TODO_EXPERT:
        if (code != BN_CLICKED)
            return false;
        ReadControls();
        m_model.ToggleExpert();
        PostButtons();
        break;
    case IDC_TODO_LABEL:
    case IDC_TODO_DESCRIPTION:
        // The fields follow every keystroke, so the space check and Finish see them.
        if (code == EN_CHANGE && !m_writing)
            ReadControls();
        return code == EN_CHANGE;
    default:
        return false;
    }
    WriteControls();
    return true;
}

bool CPageToDo::DataExchange(bool save) {
    ToDoView& view = m_model.View();
    m_writing = !save;
    if (!save)
        ShowPresets();
    CDataExchange dx(*this, save);
    dx.Text(IDC_TODO_LABEL, view.label, CToDoPageModel::kMaxLabel);
    dx.Text(IDC_TODO_DESCRIPTION, view.description, CToDoPageModel::kMaxDescription);
    dx.ComboIndex(IDC_TODO_PRESETS, view.selected);
    int expert = view.expert ? 1 : 0;
    dx.Check(IDC_TODO_EXPERT, expert);
    view.expert = expert != 0;
    if (!save) {
        SetItemText(IDC_TODO_SOURCE, view.sourceText);
        SetItemText(IDC_TODO_QUICKCOPY, view.quickCopyText);
        SetItemText(IDC_TODO_RESULT, view.resultText);
        EnableItem(IDC_TODO_LABEL, view.labelEnabled);
    }
    m_writing = false;
    return dx.Ok();
}

// The list is rebuilt only when its entries changed, so a selection survives a rewrite.
void CPageToDo::ShowPresets() {
    const ToDoView& view = m_model.View();
    if (view.presets == m_shownPresets)
        return;
    HWND list = Item(IDC_TODO_PRESETS);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int code : view.presets) {
        const std::string text = LoadResourceString(kFirstPresetText + code);
        const LRESULT index =
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), code);
    }
    m_shownPresets = view.presets;
}

void CPageToDo::ShowIcons() {
    if (m_driveIcon) {
        DestroyIcon(m_driveIcon);
        m_driveIcon = nullptr;
    }
    if (m_context.EditorMode()) {
        const std::string editor = m_context.settings.HomePath + "system\\zlxedit.exe";
        m_driveIcon = ExtractIconA(GetModuleHandleA(nullptr), editor.c_str(), 0);
        if (m_driveIcon == reinterpret_cast<HICON>(1))
            m_driveIcon = nullptr; // not an icon file: ExtractIcon's "no icons" answer
    } else {
        const std::string root = std::string(1, Job().SourceDrive) + ":\\";
        SHFILEINFOA info = {};
        if (SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON))
            m_driveIcon = info.hIcon;
    }
    SendDlgItemMessageA(m_hWnd, IDC_TODO_DRIVE_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(m_driveIcon), 0);
    HICON result = static_cast<HICON>(
        LoadImageA(nullptr, MAKEINTRESOURCEA(32516) /* the system information icon */, IMAGE_ICON,
                   16, 16, LR_SHARED));
    SendDlgItemMessageA(m_hWnd, IDC_TODO_RESULT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(result),
                        0);
}
