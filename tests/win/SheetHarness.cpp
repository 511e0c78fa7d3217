#include "SheetHarness.h"

#include <gtest/gtest.h>

namespace sheet_test {

void Flush(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

int ActiveSlot(CZlxbuildDlg& sheet) {
    CPropertyPage* active = sheet.ActivePage();
    for (int slot = 1; slot <= kPageSlotCount; ++slot)
        if (sheet.SlotPage(slot) && sheet.SlotPage(slot) == active)
            return slot;
    return 0;
}

int PageCount(CZlxbuildDlg& sheet) {
    int count = 0;
    while (PropSheet_IndexToPage(sheet.Handle(), count))
        ++count;
    return count;
}

DWORD EnabledButtons(CZlxbuildDlg& sheet) {
    DWORD buttons = 0;
    const struct {
        int id;
        DWORD flag;
    } map[] = {{0x3023, PSWIZB_BACK}, {0x3024, PSWIZB_NEXT}, {0x3025, PSWIZB_FINISH}};
    for (const auto& b : map) {
        HWND button = GetDlgItem(sheet.Handle(), b.id);
        if (button && IsWindowVisible(button) && IsWindowEnabled(button))
            buttons |= b.flag;
    }
    return buttons;
}

void Press(CZlxbuildDlg& sheet, int button) {
    PostMessageA(sheet.Handle(), PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    Flush();
}

namespace {
// A sheet that runs the test body instead of a modal loop.
class TestSheet : public IWizardSheet {
public:
    TestSheet(int captionId, std::function<void(CZlxbuildDlg&)> body) : m_sheet(captionId), m_body(std::move(body)) {}
    bool ShowModal(int startPage) override {
        HWND window = m_sheet.ShowModeless(startPage);
        EXPECT_NE(window, nullptr);
        if (!window)
            return false;
        ShowWindow(window, SW_SHOW);
        Flush();
        m_body(m_sheet);
        if (IsWindow(window))
            DestroyWindow(window);
        return false;
    }

private:
    CZlxbuildDlg m_sheet;
    std::function<void(CZlxbuildDlg&)> m_body;
};
} // namespace

std::unique_ptr<IWizardSheet> SheetRun::Factory::Create(int captionId) {
    return std::make_unique<TestSheet>(captionId, body);
}

SheetRun::SheetRun() {
    store.Set("ZlxHomePath", "C:\\Zelvane\\");
    for (const char* p : {"ZlxImagePath", "CddbPath", "ZlxZQCPath", "ZlxScriptPath"})
        store.Set(p, "C:\\Data\\");
    system.files.insert("C:\\Zelvane\\system\\zlximg.dat");
}

void SheetRun::StartWizard(const std::function<void(CZlxbuildDlg&)>& body, const std::string& commandLine) {
    m_factory.body = body;
    AppServices withSheet{store,    registry,    folders,  messages,  system, common, languages,
                          drives,   shellDrives, discInfo, analysis,  m_factory, workInfo};
    CZlxbuildApp app(withSheet);
    app.InitInstance(commandLine);
    app.ExitInstance();
}

} // namespace sheet_test
