#pragma once
// A control whose messages a C++ object handles: an existing window (usually a dialog
// item from a template) is subclassed, and the subclass is removed again when either
// the window or the object goes.
#include "toolkit/Window.h"

class CControlWindow : public CWindow {
public:
    CControlWindow() = default;
    ~CControlWindow() override;
    CControlWindow(const CControlWindow&) = delete;
    CControlWindow& operator=(const CControlWindow&) = delete;

    // False when there is no such item or it is already bound.
    bool SubclassDlgItem(int id, HWND parent);
    bool Subclass(HWND window);
    void UnsubclassWindow();

protected:
    // Everything not handled goes to Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is bound (styles, fonts).
    virtual void OnSubclassed() {}

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
};

// A control that draws all of its client area itself, on screen and into the context of
// WM_PRINTCLIENT; the background is never erased first, so it does not flicker.
class CPaintedControl : public CControlWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void Paint(HDC dc) = 0;
};

// A painted control over a static: it shows the static's text in the static's font, on the
// background the parent gives its statics, and redraws whenever the text changes.
class CPaintedStatic : public CPaintedControl {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Fills the client area with the parent's background and readies `dc` to write the text
    // transparently in `colour`; returns the client area. Save the context first.
    RECT BeginTextPaint(HDC dc, COLORREF colour) const;
};
