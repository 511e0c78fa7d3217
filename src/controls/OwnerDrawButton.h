#pragma once
// A push button that draws itself. Windows sends an owner-drawn button's WM_DRAWITEM to
// its parent, so the parent is subclassed too and hands that one message back here: the
// dialogs that hold such buttons need no code of their own for it.
#include "controls/ControlWindow.h"

class COwnerDrawButton : public CControlWindow {
public:
    ~COwnerDrawButton() override;

protected:
    void OnSubclassed() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the face (frame, pushed state, focus); returns the content area.
    RECT DrawFace(const DRAWITEMSTRUCT& item) const;
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

private:
    void ReleaseParent();
    static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
    HWND m_parent = nullptr;
};
