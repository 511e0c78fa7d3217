#pragma once
// The wizard sheet: a wizard-97 property sheet whose pages live in seven fixed slots.
#include "app/AppServices.h"

#include <windows.h>
#include <prsht.h>

#include <array>

constexpr int kPageSlots = 7;

class CZlxbuildDlg : public IWizardSheet {
public:
    explicit CZlxbuildDlg(int captionStringId);
    ~CZlxbuildDlg() override;
    CZlxbuildDlg(const CZlxbuildDlg&) = delete;
    CZlxbuildDlg& operator=(const CZlxbuildDlg&) = delete;

    bool ShowModal(int startPage) override;
    HWND Window() const { return m_window; }

private:
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int m_captionId;
    HICON m_icon;
    HWND m_window = nullptr;
    WNDPROC m_baseProc = nullptr;
    std::string m_caption;
};

class CWizardSheetFactory : public IWizardSheetFactory {
public:
    std::unique_ptr<IWizardSheet> Create(int captionStringId) override {
        return std::make_unique<CZlxbuildDlg>(captionStringId);
    }
};
