#include "app/ZlxbuildDlg.h"

#include "app/ZlxbuildApp.h"
#include "pages/WizardPages.h"
#include "toolkit/ResourceModule.h"

namespace {
constexpr int kAppIcon = 101;
constexpr int kHeaderBitmap = 173;
CZlxbuildDlg* g_current = nullptr;
} // namespace

CZlxbuildDlg::CZlxbuildDlg(int captionStringId)
    : m_icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kAppIcon))) {
    SetCaption(LoadResourceString(captionStringId));
    SetHeaderBitmap(kHeaderBitmap);
    g_current = this;
}

CZlxbuildDlg::~CZlxbuildDlg() {
    if (g_current == this)
        g_current = nullptr;
}

CZlxbuildDlg* CZlxbuildDlg::Current() {
    return g_current;
}

CTTPage* CZlxbuildDlg::SlotPage(int slot) const {
    return slot >= 1 && slot <= kPageSlotCount ? m_pages[static_cast<size_t>(slot - 1)].get()
                                               : nullptr;
}

bool CZlxbuildDlg::CreateAndAppend(int slot) {
    CZlxbuildApp* app = CZlxbuildApp::Current();
    if (!app || !app->Job())
        return false;
    std::unique_ptr<CTTPage> page = CreateSlotPage(slot, app->PageContextFor(m_slots));
    if (!page || !AppendPage(page.get()))
        return false;
    m_pages[static_cast<size_t>(slot - 1)] = std::move(page);
    return true;
}

void CZlxbuildDlg::RemoveAndDestroy(int slot) {
    auto& page = m_pages[static_cast<size_t>(slot - 1)];
    CPropertySheet::RemovePage(page.get());
    page.reset();
}

SheetResult CZlxbuildDlg::ShowModal(int startPage) {
    AddAllPages();
    const INT_PTR result = DoModal(nullptr, startPage);
    return result > 0    ? SheetResult::Finished
           : result == 0 ? SheetResult::Cancelled
                         : SheetResult::Failed;
}

HWND CZlxbuildDlg::ShowModeless(int startPage) {
    AddAllPages();
    return CreateModeless(nullptr, startPage);
}

void CZlxbuildDlg::OnInitialized() {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
}

LRESULT CZlxbuildDlg::OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    static const UINT autoPlay = RegisterWindowMessageA("QueryCancelAutoPlay");
    static const UINT toFront = RegisterWindowMessageA(kMsgWizardToFront);
    handled = true;
    if (message == autoPlay) {
        // A disc inserted for the wizard must not start AutoPlay while it is in front.
        SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, 1);
        return 1;
    }
    if (message == toFront) {
        ShowWindow(Handle(), SW_SHOWDEFAULT);
        SetForegroundWindow(Handle());
        return 0;
    }
    if (message == WM_DEVICECHANGE) {
        // Device news reach top-level windows only; the source page follows the drives.
        CTTPage* source = SlotPage(kSlotSource);
        if (source && source->Handle())
            SendMessageA(source->Handle(), message, wParam, lParam);
        handled = false;
        return 0;
    }
    if (message == WM_QUERYDRAGICON)
        return reinterpret_cast<LRESULT>(m_icon);
    if (message == WM_PAINT && IsIconic(Handle())) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT client;
        GetClientRect(Handle(), &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, m_icon);
        EndPaint(Handle(), &ps);
        return 0;
    }
    handled = false;
    return 0;
}
