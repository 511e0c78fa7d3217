#include "pages/PageTracks.h"

#include "res/page_tracks_ids.h"
#include "pages/DlgEditTrackTitle.h"
#include "toolkit/ResourceModule.h"

#include <algorithm>

namespace {
enum TextId {
    kTipToTop = 129,
    kColumnTitle = 136,
    kColumnTime = 137,
    kColumnNumber = 138,
    kTipUp = 142,
    kTipToggle = 143,
    kTipToEnd = 146,
    kTipDiscMenu = 172,
    kTipEdit = 211,
    kTipList = 212,
    kPageTitle = 266,
    kPageSubtitle = 267,
};
constexpr int kImageSize = 16;
// What the list's in-place editor holds, with its zero.
constexpr size_t kEditBufferLength = 260;
constexpr COLORREF kImageBackground = RGB(255, 255, 255);

constexpr int kButtonIds[] = {IDC_TRACKS_TOP, IDC_TRACKS_UP, IDC_TRACKS_TOGGLE, IDC_TRACKS_DOWN,
                              IDC_TRACKS_END};
constexpr int kToggleButton = 2;

struct MenuCommandId {
    int id;
    DiscInfoCommand command;
};
constexpr MenuCommandId kMenuCommands[] = {
    {IDM_TRACKS_ABOUT, kDiscInfoAbout},     {IDM_TRACKS_SHOW, kDiscInfoShow},
    {IDM_TRACKS_EDIT_INFO, kDiscInfoEdit},  {IDM_TRACKS_SUBMIT, kDiscInfoSubmit},
    {IDM_TRACKS_BROWSER, kDiscInfoBrowser}, {IDM_TRACKS_OPTIONS, kDiscInfoOptions},
};

void SetRowDataAndImage(HWND list, int row, LPARAM data, int image) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM | LVIF_IMAGE;
    item.iItem = row;
    item.lParam = data;
    item.iImage = image;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}
} // namespace

void CTrackImageButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (!(item.itemState & ODS_DISABLED) || !BitmapHandle()) {
        CImageButton::DrawItem(item);
        return;
    }
    const RECT content = DrawFace(item);
    BITMAP info = {};
    if (!GetObjectA(BitmapHandle(), sizeof info, &info))
        return;
    // Every pixel but the white background becomes the embossed shape of a disabled image.
    DrawStateA(item.hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(BitmapHandle()), 0,
               (content.left + content.right - info.bmWidth) / 2,
               (content.top + content.bottom - info.bmHeight) / 2, info.bmWidth, info.bmHeight,
               DST_BITMAP | DSS_DISABLED);
}

CPageTracks::CPageTracks(const PageContext& context)
    : CTTPage(context, IDD_PAGE_TRACKS, kPageTitle, kPageSubtitle),
      m_model(context, LoadResourceString) {}

BOOL CPageTracks::OnInitDialog() {
    CTTPage::OnInitDialog();
    m_model.Initialise(m_hWnd);

    m_list.AttachDlgItem(m_hWnd, IDC_TRACKS_LIST);
    m_list.SetFullRowSelect();
    m_images.Create(kImageSize, 4);
    for (int id : {IDI_TRACK_AUDIO, IDI_TRACK_AUDIO_OFF, IDI_TRACK_DATA, IDI_TRACK_DATA_OFF})
        m_images.AddIconResource(ResourceModule(), id);
    m_list.SetSmallImages(m_images);
    m_list.AddColumn(LoadResourceString(kColumnTitle), 400);
    m_list.AddColumn(LoadResourceString(kColumnTime), 60, ColumnAlign::Right);
    m_list.AddColumn(LoadResourceString(kColumnNumber), 30, ColumnAlign::Right);
    m_list.AddColumn(LoadResourceString(kColumnNumber), 30, ColumnAlign::Right);

    const int moveImages[] = {IDB_MOVE_TOP, IDB_MOVE_UP, 0, IDB_MOVE_DOWN, IDB_MOVE_END};
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i].SubclassDlgItem(kButtonIds[i], m_hWnd);
        if (moveImages[i])
            m_buttons[i].SetBitmap(moveImages[i], kImageBackground);
    }

    if (m_model.View().menu.visible) {
        m_menuButton.SubclassDlgItem(IDC_TRACKS_DISC_MENU, m_hWnd);
        m_menuButton.SetIcon(IDI_TRACKS_DISC_INFO);
        BuildDiscMenu();
    } else {
        ShowItem(IDC_TRACKS_DISC_MENU, false);
    }

    AddTip(IDC_TRACKS_TOP, kTipToTop);
    AddTip(IDC_TRACKS_UP, kTipUp);
    AddTip(IDC_TRACKS_TOGGLE, kTipToggle);
    AddTip(IDC_TRACKS_END, kTipToEnd);
    AddTip(IDC_TRACKS_DISC_MENU, kTipDiscMenu);
    AddTip(IDC_TRACKS_EDIT, kTipEdit);
    AddTip(IDC_TRACKS_LIST, kTipList);
    return TRUE;
}

// The menu comes from the resource module, so a language module translates it.
void CPageTracks::BuildDiscMenu() {
    HMENU loaded = LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(IDR_TRACKS_DISC_MENU));
    HMENU popup = loaded ? GetSubMenu(loaded, 0) : nullptr;
    const int count = popup ? GetMenuItemCount(popup) : 0;
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.fType & MFT_SEPARATOR)
            m_menuButton.AddSeparator();
        else
            m_menuButton.AddItem(static_cast<int>(info.wID), text);
    }
    if (loaded)
        DestroyMenu(loaded);
}

bool CPageTracks::OnSetActive() {
    m_model.Activate(m_hWnd);
    ShowView();
    return CTTPage::OnSetActive();
}

int CPageTracks::OnWizardNext() {
    m_model.Next();
    return kGoOn;
}

bool CPageTracks::OnCommand(int id, int code, HWND) {
    const auto menu = std::find_if(std::begin(kMenuCommands), std::end(kMenuCommands),
                                   [id](const MenuCommandId& m) { return m.id == id; });
    if (menu != std::end(kMenuCommands)) {
        m_model.MenuCommand(menu->command, m_hWnd);
        ShowView();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    ReadSelection();
    switch (id) {
    case IDC_TRACKS_TOP:
        m_model.MoveToTop();
        break;
    case IDC_TRACKS_UP:
        m_model.MoveUp();
        break;
    case IDC_TRACKS_TOGGLE:
        m_model.ToggleActive();
        break;
    case IDC_TRACKS_DOWN:
        m_model.MoveDown();
        break;
    case IDC_TRACKS_END:
        m_model.MoveToEnd();
        break;
    case IDC_TRACKS_EDIT:
        EditTitle();
        break;
    default:
        return false;
    }
    ShowView();
    return true;
}

bool CPageTracks::OnNotify(NMHDR* header, LRESULT& result) {
    if (!header || header->hwndFrom != m_list.Handle())
        return CTTPage::OnNotify(header, result);
    const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(header);
    switch (header->code) {
    case LVN_ITEMCHANGED:
        if (!m_writing && (reinterpret_cast<const NMLISTVIEW*>(header)->uChanged & LVIF_STATE)) {
            ReadSelection();
            ShowButtons();
        }
        break;
    case NM_DBLCLK:
        ReadSelection();
        EditTitle();
        ShowView();
        break;
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
        result = m_model.CanEditInPlace(info->item.iItem) ? FALSE : TRUE;
        break;
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW: {
        std::string text;
        if (m_list.EditedText(header, text) &&
            m_model.EndInPlaceEdit(info->item.iItem, text, kEditBufferLength))
            ShowRows();
        result = FALSE; // the row shows what was stored, written above
        break;
    }
    default:
        return false;
    }
    return true;
}

void CPageTracks::ReadSelection() {
    m_model.View().selected = m_list.SelectedRows();
    m_model.SelectionChanged();
}

void CPageTracks::EditTitle() {
    m_model.EditTitle([this](const std::string& number, std::string& title) {
        CDlgEditTrackTitle dialog(m_hWnd);
        dialog.TrackNumber = number;
        dialog.Title = title;
        dialog.DoModal();
        title = dialog.Title;
    });
}

void CPageTracks::ShowView() {
    ShowRows();
    ShowSelection();
    ShowButtons();
    ShowDiscMenu();
}

// Only what differs is written, so the list does not flicker and keeps its scroll position.
void CPageTracks::ShowRows() {
    const std::vector<TrackRow>& rows = m_model.View().rows;
    m_writing = true;
    if (m_list.RowCount() != static_cast<int>(rows.size()))
        m_list.DeleteAllRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const TrackRow& row = rows[i];
        const int r = static_cast<int>(i);
        if (r >= m_list.RowCount())
            m_list.AppendRow(row.title, row.active, row.Image());
        const std::string cells[] = {row.title, row.time, row.number, row.session};
        for (int column = 0; column < 4; ++column)
            if (m_list.CellText(r, column) != cells[column])
                m_list.SetCell(r, column, cells[column]);
        if (m_list.RowData(r) != row.active || m_list.RowImage(r) != row.Image())
            SetRowDataAndImage(m_list.Handle(), r, row.active, row.Image());
    }
    m_writing = false;
}

void CPageTracks::ShowSelection() {
    TracksView& view = m_model.View();
    HWND list = m_list.Handle();
    m_writing = true;
    for (int r = 0; r < m_list.RowCount(); ++r) {
        const bool selected =
            std::find(view.selected.begin(), view.selected.end(), r) != view.selected.end();
        ListView_SetItemState(list, r, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    if (view.focused >= 0) {
        ListView_SetItemState(list, view.focused, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(list, view.focused, FALSE);
        view.focused = -1;
    }
    m_writing = false;
}

void CPageTracks::ShowButtons() {
    const TracksView& view = m_model.View();
    const TrackButtons& b = view.buttons;
    const std::pair<int, bool> states[] = {
        {IDC_TRACKS_TOP, b.toTop}, {IDC_TRACKS_UP, b.up},     {IDC_TRACKS_TOGGLE, b.toggle},
        {IDC_TRACKS_DOWN, b.down}, {IDC_TRACKS_END, b.toEnd}, {IDC_TRACKS_EDIT, b.edit},
    };
    HWND focus = GetFocus();
    for (const auto& [id, enabled] : states) {
        EnableItem(id, enabled);
        // A button that just went grey must not keep the keyboard.
        if (!enabled && focus == Item(id))
            SetFocus(m_list.Handle());
    }
    if (view.toggleImage != m_toggleImage) {
        m_buttons[kToggleButton].SetBitmap(IDB_TRACK_AUDIO + view.toggleImage, kImageBackground);
        m_toggleImage = view.toggleImage;
    }
}

void CPageTracks::ShowDiscMenu() {
    const DiscMenuState& menu = m_model.View().menu;
    if (!menu.visible)
        return;
    EnableItem(IDC_TRACKS_DISC_MENU, menu.enabled);
    m_menuButton.SetGreyed(IDM_TRACKS_SUBMIT, menu.submitGreyed);
    m_menuButton.SetGreyed(IDM_TRACKS_SHOW, menu.showGreyed);
    m_menuButton.SetGreyed(IDM_TRACKS_EDIT_INFO, menu.showGreyed);
}
