#include "controls/OwnerDrawButton.h"

#include <commctrl.h>

COwnerDrawButton::~COwnerDrawButton() {
    ReleaseParent();
}

void COwnerDrawButton::OnSubclassed() {
    const LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    SetWindowLongA(m_hWnd, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    m_parent = GetParent(m_hWnd);
    if (m_parent && !SetWindowSubclass(m_parent, ParentProc, reinterpret_cast<UINT_PTR>(this),
                                       reinterpret_cast<DWORD_PTR>(this)))
        m_parent = nullptr;
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void COwnerDrawButton::ReleaseParent() {
    if (m_parent && IsWindow(m_parent))
        RemoveWindowSubclass(m_parent, ParentProc, reinterpret_cast<UINT_PTR>(this));
    m_parent = nullptr;
}

LRESULT COwnerDrawButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY)
        ReleaseParent();
    return Default(message, wParam, lParam);
}

RECT COwnerDrawButton::DrawFace(const DRAWITEMSTRUCT& item) const {
    RECT face = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    UINT state = DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0);
    if (item.itemState & ODS_DISABLED)
        state |= DFCS_INACTIVE;
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, state);
    RECT content = item.rcItem;
    InflateRect(&content, -3, -3);
    if (pushed)
        OffsetRect(&content, 1, 1);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
    return content;
}

LRESULT CALLBACK COwnerDrawButton::ParentProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<COwnerDrawButton*>(data);
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->hwndItem == self->m_hWnd && item->CtlType == ODT_BUTTON) {
            self->DrawItem(*item);
            return TRUE;
        }
    } else if (message == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        self->ReleaseParent();
        return result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
