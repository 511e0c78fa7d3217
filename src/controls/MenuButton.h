#pragma once
// A push button that drops down a menu below its left edge when it is clicked or gets
// Down or Space. The chosen item's command goes to the parent as a WM_COMMAND, like a
// menu command; greyed items are shown but cannot be chosen.
#include "controls/OwnerDrawButton.h"

#include <string>

class CMenuButton : public COwnerDrawButton {
public:
    CMenuButton();
    ~CMenuButton() override;

    void AddItem(int command, const std::string& text);
    void AddSeparator();
    void SetGreyed(int command, bool greyed);
    bool IsGreyed(int command) const;
    void RemoveAllItems();
    // A small icon resource shown before the text; 0 removes it.
    void SetIcon(int resourceId);
    HMENU Menu() const { return m_menu; }
    // Opens the menu and sends the chosen command; false when nothing was chosen.
    bool ShowMenu();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    HMENU m_menu;
    HICON m_icon = nullptr;
};
