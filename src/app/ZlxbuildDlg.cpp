#include "app/ZlxbuildDlg.h"

#include "app/ZlxbuildApp.h"
#include "toolkit/ResourceModule.h"

#include <commctrl.h>

namespace {
constexpr int kAppIcon = 101;
constexpr int kHeaderBitmap = 173;

struct SlotInfo {
    int templateId;
    int titleId;
    int subtitleId;
    DWORD buttons;
};

// Slot n is entry n - 1.
const SlotInfo kSlots[kPageSlots] = {
    {130, 260, 259, PSWIZB_NEXT},
    {137, 261, 262, PSWIZB_BACK | PSWIZB_NEXT},
    {136, 266, 267, PSWIZB_BACK | PSWIZB_NEXT},
    {134, 274, 275, PSWIZB_BACK | PSWIZB_NEXT},
    {133, 272, 273, PSWIZB_BACK | PSWIZB_NEXT},
    {132, 268, 269, PSWIZB_BACK | PSWIZB_NEXT},
    {131, 270, 271, PSWIZB_BACK | PSWIZB_FINISH},
};

CZlxbuildDlg* g_sheet = nullptr; // the sheet callback carries no user data

struct PageTexts {
    std::string title, subtitle;
};
std::array<PageTexts, kPageSlots> g_texts;

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* psp = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        SetWindowLongPtrA(page, DWLP_USER, psp->lParam);
        const int slot = static_cast<int>(psp->lParam);
        SetDlgItemTextA(page, 1000, g_texts[static_cast<size_t>(slot)].subtitle.c_str());
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == PSN_SETACTIVE) {
            const auto slot = static_cast<size_t>(GetWindowLongPtrA(page, DWLP_USER));
            PostMessageA(GetParent(page), PSM_SETWIZBUTTONS, 0, kSlots[slot].buttons);
            SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        return FALSE;
    }
    default: return FALSE;
    }
}
} // namespace

CZlxbuildDlg::CZlxbuildDlg(int captionStringId)
    : m_captionId(captionStringId),
      m_icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kAppIcon))) {}

CZlxbuildDlg::~CZlxbuildDlg() {
    if (g_sheet == this)
        g_sheet = nullptr;
}

int CALLBACK CZlxbuildDlg::SheetCallback(HWND window, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && g_sheet) {
        g_sheet->m_window = window;
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_sheet->m_icon));
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_sheet->m_icon));
        g_sheet->m_baseProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SheetProc)));
    }
    return 0;
}

LRESULT CALLBACK CZlxbuildDlg::SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT autoPlay = RegisterWindowMessageA("QueryCancelAutoPlay");
    static const UINT toFront = RegisterWindowMessageA(kMsgWizardToFront);
    if (message == autoPlay) {
        // While the wizard is in front, a disc inserted for it must not start AutoPlay.
        SetWindowLongPtrA(window, DWLP_MSGRESULT, 1);
        return 1;
    }
    if (message == toFront) {
        ShowWindow(window, SW_SHOWDEFAULT);
        SetForegroundWindow(window);
        return 0;
    }
    return CallWindowProcA(g_sheet->m_baseProc, window, message, wParam, lParam);
}

bool CZlxbuildDlg::ShowModal(int startPage) {
    m_caption = LoadResourceString(m_captionId);
    HPROPSHEETPAGE pages[kPageSlots] = {};
    UINT count = 0;
    for (int slot = 0; slot < kPageSlots; ++slot) {
        g_texts[static_cast<size_t>(slot)] = {LoadResourceString(kSlots[slot].titleId),
                                              LoadResourceString(kSlots[slot].subtitleId)};
        PROPSHEETPAGEA psp = {};
        psp.dwSize = sizeof psp;
        psp.dwFlags = PSP_USETITLE | PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE;
        psp.hInstance = ResourceModule();
        psp.pszTemplate = MAKEINTRESOURCEA(kSlots[slot].templateId);
        psp.pfnDlgProc = PageProc;
        psp.pszTitle = m_caption.c_str();
        psp.pszHeaderTitle = g_texts[static_cast<size_t>(slot)].title.c_str();
        psp.pszHeaderSubTitle = g_texts[static_cast<size_t>(slot)].subtitle.c_str();
        psp.lParam = slot;
        if (HPROPSHEETPAGE page = CreatePropertySheetPageA(&psp))
            pages[count++] = page;
        else
            break;
    }
    PROPSHEETHEADERA psh = {};
    psh.dwSize = sizeof psh;
    psh.dwFlags = PSH_WIZARD97 | PSH_HEADER | PSH_USECALLBACK;
    psh.hInstance = GetModuleHandleA(nullptr); // the header bitmap is the program's own
    psh.pszCaption = m_caption.c_str();
    psh.nPages = count;
    psh.nStartPage = static_cast<UINT>(startPage) < count ? static_cast<UINT>(startPage) : 0;
    psh.phpage = pages;
    psh.pszbmHeader = MAKEINTRESOURCEA(kHeaderBitmap);
    psh.pfnCallback = SheetCallback;
    g_sheet = this;
    const INT_PTR result = PropertySheetA(&psh);
    m_window = nullptr;
    return result > 0;
}
