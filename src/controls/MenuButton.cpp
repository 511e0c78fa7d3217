#include "controls/MenuButton.h"

#include "toolkit/Gdi.h"
#include "toolkit/ResourceModule.h"

namespace {
constexpr int kIconSize = 16;
constexpr int kArrowWidth = 7; // the drop-down triangle
} // namespace

CMenuButton::CMenuButton() : m_menu(CreatePopupMenu()) {}

CMenuButton::~CMenuButton() {
    if (m_menu)
        DestroyMenu(m_menu);
    if (m_icon)
        DestroyIcon(m_icon);
}

void CMenuButton::AddItem(int command, const std::string& text) {
    AppendMenuA(m_menu, MF_STRING, static_cast<UINT_PTR>(command), text.c_str());
}

void CMenuButton::AddSeparator() {
    AppendMenuA(m_menu, MF_SEPARATOR, 0, nullptr);
}

void CMenuButton::SetGreyed(int command, bool greyed) {
    EnableMenuItem(m_menu, static_cast<UINT>(command),
                   MF_BYCOMMAND | (greyed ? MF_GRAYED : MF_ENABLED));
}

bool CMenuButton::IsGreyed(int command) const {
    const UINT state = GetMenuState(m_menu, static_cast<UINT>(command), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_GRAYED);
}

void CMenuButton::RemoveAllItems() {
    while (GetMenuItemCount(m_menu) > 0)
        DeleteMenu(m_menu, 0, MF_BYPOSITION);
}

void CMenuButton::SetIcon(int resourceId) {
    if (m_icon)
        DestroyIcon(m_icon);
    m_icon = resourceId
                 ? static_cast<HICON>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(resourceId),
                                                 IMAGE_ICON, kIconSize, kIconSize, 0))
                 : nullptr;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CMenuButton::ShowMenu() {
    if (!m_hWnd || GetMenuItemCount(m_menu) <= 0)
        return false;
    RECT r = {};
    GetWindowRect(m_hWnd, &r);
    // Shown pushed while the menu is open, like any button that is being pressed.
    Send(BM_SETSTATE, TRUE);
    const int command = static_cast<int>(
        TrackPopupMenu(m_menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON,
                       r.left, r.bottom, 0, m_hWnd, nullptr));
    Send(BM_SETSTATE, FALSE);
    if (!command)
        return false;
    // Posted: the page may open a dialog for the command, and the menu is gone by then.
    PostMessageA(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

LRESULT CMenuButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(m_hWnd);
        ShowMenu();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_SPACE) {
            ShowMenu();
            return 0;
        }
        break;
    case WM_KEYUP:
    case WM_CHAR:
        // The button would click on the Space that opened the menu.
        if (wParam == VK_SPACE || wParam == ' ')
            return 0;
        break;
    case WM_GETDLGCODE:
        // The Down key belongs to the button, not to the dialog's navigation.
        return Default(message, wParam, lParam) | DLGC_WANTARROWS;
    default:
        break;
    }
    return COwnerDrawButton::WindowProc(message, wParam, lParam);
}

void CMenuButton::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT content = DrawFace(item);
    HDC dc = item.hDC;
    SavedDc saved(dc);
    const bool enabled = !(item.itemState & ODS_DISABLED);
    const int middle = (content.top + content.bottom) / 2;

    // The triangle at the right says that a menu drops down.
    const COLORREF ink = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const int arrowLeft = content.right - kArrowWidth - 2;
    for (int row = 0; row < (kArrowWidth + 1) / 2; ++row)
        FillSolidRect(
            dc, {arrowLeft + row, middle - 1 + row, arrowLeft + kArrowWidth - row, middle + row},
            ink);
    content.right = arrowLeft - 2;

    if (m_icon) {
        DrawIconEx(dc, content.left + 2, middle - kIconSize / 2, m_icon, kIconSize, kIconSize, 0,
                   nullptr, DI_NORMAL);
        content.left += kIconSize + 4;
    }
    const std::string text = Text();
    SelectObject(dc, reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &content,
              DT_SINGLELINE | DT_VCENTER | (m_icon ? DT_LEFT : DT_CENTER));
}
