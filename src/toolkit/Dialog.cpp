#include "toolkit/Dialog.h"

#include "toolkit/ResourceModule.h"

namespace {
// Property pages keep DWLP_USER for themselves, so the object lives in a window property.
const char kThisProperty[] = "ZlxDialogThis";
} // namespace

CDialog::~CDialog() {
    if (m_hWnd && !m_modal)
        Destroy();
}

INT_PTR CDialog::DoModal(HWND parent) {
    m_modal = true;
    return DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(m_templateId), parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
    m_modal = false;
    return CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(m_templateId), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::Destroy() {
    if (m_hWnd) {
        HWND window = m_hWnd;
        DestroyWindow(window);
        m_hWnd = nullptr;
    }
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        Destroy();
}

BOOL CDialog::OnInitDialog() {
    DataExchange(false);
    return TRUE;
}

bool CDialog::OnCommand(int, int, HWND) {
    return false;
}

bool CDialog::OnNotify(NMHDR*, LRESULT&) {
    return false;
}

INT_PTR CDialog::OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

void CDialog::OnOK() {
    if (DataExchange(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::DataExchange(bool) {
    return true;
}

bool CDialog::IsChildDialog() const {
    return m_hWnd && (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

void CDialog::Bind(HWND window, CDialog* dialog) {
    dialog->m_hWnd = window;
    SetPropA(window, kThisProperty, dialog);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        Bind(window, reinterpret_cast<CDialog*>(lParam));
    auto* self = static_cast<CDialog*>(GetPropA(window, kThisProperty));
    if (!self)
        return FALSE;
    INT_PTR result = FALSE;
    // An exception must not unwind through the system's code: the message counts as not
    // handled, the dialog stays as it was.
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kThisProperty);
        self->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (OnCommand(id, code, reinterpret_cast<HWND>(lParam)))
            return TRUE;
        // Enter or Escape in a multi-line edit reaches a page or a sub-form as IDOK or
        // IDCANCEL; ending a child dialog would destroy it inside the running sheet.
        if ((id == IDOK || id == IDCANCEL) && IsChildDialog())
            return TRUE;
        if (id == IDOK && code == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) {
            SetMessageResult(result);
            return TRUE;
        }
        return FALSE;
    }
    default: {
        bool handled = false;
        const INT_PTR result = OnMessage(message, wParam, lParam, handled);
        return handled ? result : FALSE;
    }
    }
}
