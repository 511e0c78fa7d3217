#pragma once
// The wizard: a wizard-97 sheet whose pages live in seven fixed slots (see PageSlots.h).
#include "app/AppServices.h"
#include "app/PageSlots.h"
#include "app/TTPage.h"
#include "toolkit/PropertySheet.h"

#include <array>
#include <memory>

class CZlxbuildDlg : public CPropertySheet, public IWizardSheet, private ISlotPages {
public:
    explicit CZlxbuildDlg(int captionStringId);
    ~CZlxbuildDlg() override;

    int AddPage(int slot) { return m_slots.AddPage(slot); }
    void RemovePage(int slot) { m_slots.RemovePage(slot); }
    bool AddAllPages() { return m_slots.AddAllPages(); }
    const CPageSlots& Slots() const { return m_slots; }
    CTTPage* SlotPage(int slot) const;

    // Start-up: all pages, then the modal wizard.
    SheetResult ShowModal(int startPage) override;
    // All pages in a modeless sheet (hosts with their own message loop, tests).
    HWND ShowModeless(int startPage);
    // The sheet of the running wizard, for the pages that change the page order.
    static CZlxbuildDlg* Current();

protected:
    void OnInitialized() override;
    LRESULT OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    bool CreateAndAppend(int slot) override;
    void RemoveAndDestroy(int slot) override;

    HICON m_icon;
    CPageSlots m_slots{*this};
    std::array<std::unique_ptr<CTTPage>, kPageSlotCount> m_pages;
};

class CWizardSheetFactory : public IWizardSheetFactory {
public:
    std::unique_ptr<IWizardSheet> Create(int captionStringId) override {
        return std::make_unique<CZlxbuildDlg>(captionStringId);
    }
};
