#include "toolkit/PropertySheet.h"

#include <algorithm>

namespace {
// The sheet callback carries no user data: the sheet being created is remembered here
// (one thread, one sheet created at a time).
CPropertySheet* g_creating = nullptr;
const char kSheetProperty[] = "ZlxSheetThis";
} // namespace

CPropertySheet::~CPropertySheet() {
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    if (m_header)
        DeleteObject(m_header);
}

bool CPropertySheet::AppendPage(CPropertyPage* page) {
    HPROPSHEETPAGE handle = page->CreatePage();
    if (!handle)
        return false;
    if (m_hWnd && !PropSheet_AddPage(m_hWnd, handle)) {
        DestroyPropertySheetPage(handle);
        return false;
    }
    m_pages.push_back(page);
    return true;
}

void CPropertySheet::RemovePage(CPropertyPage* page) {
    auto it = std::find(m_pages.begin(), m_pages.end(), page);
    if (it == m_pages.end())
        return;
    if (m_hWnd)
        PropSheet_RemovePage(m_hWnd, 0, page->Page());
    else
        DestroyPropertySheetPage(page->Page());
    m_pages.erase(it);
}

INT_PTR CPropertySheet::DoModal(HWND parent, int startPage) {
    return Run(parent, startPage, false);
}

HWND CPropertySheet::CreateModeless(HWND parent, int startPage) {
    return reinterpret_cast<HWND>(Run(parent, startPage, true));
}

INT_PTR CPropertySheet::Run(HWND parent, int startPage, bool modeless) {
    std::vector<HPROPSHEETPAGE> handles;
    for (CPropertyPage* page : m_pages)
        handles.push_back(page->Page());
    PROPSHEETHEADERA psh = {};
    psh.dwSize = sizeof psh;
    psh.dwFlags = PSH_WIZARD97 | PSH_USECALLBACK | (modeless ? PSH_MODELESS : 0);
    if (m_headerBitmap) {
        // Loaded here so the header shows the same with every common-controls version.
        if (!m_header)
            m_header = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_headerBitmap));
        psh.dwFlags |= PSH_HEADER | (m_header ? PSH_USEHBMHEADER : 0);
        psh.hbmHeader = m_header;
    }
    psh.hwndParent = parent;
    psh.hInstance = GetModuleHandleA(nullptr);
    psh.pszCaption = m_caption.c_str();
    psh.nPages = static_cast<UINT>(handles.size());
    psh.nStartPage =
        static_cast<UINT>(startPage) < handles.size() ? static_cast<UINT>(startPage) : 0;
    psh.phpage = handles.data();
    psh.pfnCallback = Callback;
    g_creating = this;
    const INT_PTR result = PropertySheetA(&psh);
    g_creating = nullptr;
    if (!modeless)
        m_hWnd = nullptr;
    return result;
}

CPropertyPage* CPropertySheet::ActivePage() const {
    if (!m_hWnd)
        return nullptr;
    HWND current = PropSheet_GetCurrentPageHwnd(m_hWnd);
    for (CPropertyPage* page : m_pages)
        if (page->Handle() == current)
            return page;
    return nullptr;
}

LRESULT CPropertySheet::OnSheetMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

int CALLBACK CPropertySheet::Callback(HWND window, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && g_creating) {
        CPropertySheet* self = g_creating;
        self->m_hWnd = window;
        SetPropA(window, kSheetProperty, self);
        self->m_baseProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
        self->OnInitialized();
    }
    return 0;
}

LRESULT CALLBACK CPropertySheet::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = static_cast<CPropertySheet*>(GetPropA(window, kSheetProperty));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    bool handled = false;
    LRESULT result = 0;
    try { // nothing may unwind through the system's code
        result = self->OnSheetMessage(message, wParam, lParam, handled);
    } catch (...) {
        handled = false;
    }
    if (handled)
        return result;
    const WNDPROC base = self->m_baseProc;
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kSheetProperty);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        self->m_hWnd = nullptr;
    }
    return CallWindowProcA(base, window, message, wParam, lParam);
}
