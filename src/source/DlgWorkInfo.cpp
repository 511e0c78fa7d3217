#include "source/DlgWorkInfo.h"

#include "app/ZlxbuildDlg.h"
#include "toolkit/ResourceModule.h"

#include <commctrl.h>

namespace {
constexpr int kAnimation = 144;

// Paints what is pending, since the work that follows keeps the message loop busy.
void PaintNow(HWND window) {
    MSG msg;
    while (PeekMessageA(&msg, window, WM_PAINT, WM_PAINT, PM_REMOVE))
        DispatchMessageA(&msg);
    UpdateWindow(window);
}
} // namespace

BOOL CDlgWorkInfo::OnInitDialog() {
    for (int id : {kAnimationLeft, kAnimationRight}) {
        SendMessageA(Item(id), ACM_OPENA, reinterpret_cast<WPARAM>(GetModuleHandleA(nullptr)),
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(kAnimation)));
        Animate_Play(Item(id), 0, -1, -1);
    }
    return TRUE;
}

void CDlgWorkInfo::Show(int messageStringId) {
    HWND owner = CZlxbuildDlg::Current() ? CZlxbuildDlg::Current()->Handle() : nullptr;
    if (!m_hWnd) {
        if (!Create(owner))
            return;
        CenterOver(owner);
        ShowWindow(m_hWnd, SW_SHOWNA);
    }
    SetItemText(kMessage, LoadResourceString(messageStringId));
    PaintNow(m_hWnd);
}
