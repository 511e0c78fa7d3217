#pragma once
// A dialog from a resource template, modal or modeless. One static dialog procedure
// stores `this` at WM_INITDIALOG and dispatches to virtuals; DataExchange reads all
// controls into the members (save) or writes the members into the controls.
#include "toolkit/Window.h"

class CDialog : public CWindow {
public:
    explicit CDialog(int templateId) : m_templateId(templateId) {}
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    INT_PTR DoModal(HWND parent);
    // Modeless; the dialog lives until Destroy.
    bool Create(HWND parent);
    void Destroy();
    void EndDialog(INT_PTR result);
    int TemplateId() const { return m_templateId; }
    // Pages and sub-forms live inside another window and never end on IDOK/IDCANCEL.
    bool IsChildDialog() const;

protected:
    virtual BOOL OnInitDialog();
    // True when handled.
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // Any other message; set handled to take it.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual void OnOK();
    virtual void OnCancel();
    // false refuses (the dialog stays as it is).
    virtual bool DataExchange(bool save);
    // The result of a notification, where the dialog manager expects it.
    void SetMessageResult(LRESULT result) const {
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // For derived wrappers that create the window themselves (property pages).
    static void Bind(HWND window, CDialog* dialog);

private:
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    int m_templateId;
    bool m_modal = false;
};
