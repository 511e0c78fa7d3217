#include "SheetHarness.h"

#include "WinTestSupport.h"

#include <gtest/gtest.h>

namespace sheet_test {

void Flush(int rounds) {
    PumpMessages(static_cast<DWORD>(10 * rounds));
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
    const std::pair<int, DWORD> ids[] = {
        {0x3023, PSWIZB_BACK}, {0x3024, PSWIZB_NEXT}, {0x3025, PSWIZB_FINISH}};
    for (const auto& [id, flag] : ids) {
        HWND button = GetDlgItem(sheet.Handle(), id);
        if (button && IsWindowVisible(button) && IsWindowEnabled(button))
            buttons |= flag;
    }
    return buttons;
}

void Press(CZlxbuildDlg& sheet, int button) {
    PostMessageA(sheet.Handle(), PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    Flush();
}

std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    Flush();
}

void SelectComboEntry(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    Flush();
}

namespace {
std::function<void(HWND)> g_onDialog;
HWND g_owner = nullptr;
std::string g_caption;

BOOL CALLBACK FindOwned(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == g_owner &&
        std::string(name) == "#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwned, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    KillTimer(nullptr, id);
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    g_caption = caption;
    g_onDialog(dialog);
}
} // namespace

std::string ClickIntoDialog(CZlxbuildDlg& sheet, HWND page, int button,
                            std::function<void(HWND)> act) {
    g_owner = sheet.Handle();
    g_onDialog = std::move(act);
    g_caption.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, LookForDialog);
    Click(page, button);
    KillTimer(nullptr, timer); // when no dialog came
    return g_caption;
}

HWND ShowSlot(CZlxbuildDlg& sheet, int slot) {
    PropSheet_SetCurSel(sheet.Handle(), sheet.SlotPage(slot)->Page(), 0);
    Flush();
    EXPECT_EQ(ActiveSlot(sheet), slot);
    return sheet.SlotPage(slot)->Handle();
}

void SheetRun::InsertDisc(char letter, uint16_t kind, const std::string& label, bool readsRaw) {
    analysis.kinds[letter] = kind;
    if (readsRaw)
        analysis.rawReadable += letter;
    FakeDrive& d = drives.drives[letter];
    d.cdType = kind;
    d.lastSector = 333000;
    d.toc = MakeToc({{0, kind != 2}}, 333001);
    shellDrives.names[letter] = label + " (" + std::string(1, letter) + ":)";
}

void SheetRun::BuildSettings(const std::function<void(CZlxBuildSettings&)>& change) {
    CZlxBuildSettings settings(store, registry);
    change(settings);
    store.Set("ZlxBuildSettings", settings.Text());
}

namespace {
// A sheet that runs the test body instead of a modal loop.
class TestSheet : public IWizardSheet {
public:
    TestSheet(int captionId, std::function<void(CZlxbuildDlg&)> body)
        : m_sheet(captionId), m_body(std::move(body)) {}
    SheetResult ShowModal(int startPage) override {
        HWND window = m_sheet.ShowModeless(startPage);
        EXPECT_NE(window, nullptr);
        if (!window)
            return SheetResult::Failed;
        ShowWindow(window, SW_SHOW);
        Flush();
        m_body(m_sheet);
        if (IsWindow(window))
            DestroyWindow(window);
        return SheetResult::Cancelled;
    }

private:
    CZlxbuildDlg m_sheet;
    std::function<void(CZlxbuildDlg&)> m_body;
};
} // namespace

std::unique_ptr<IWizardSheet> SheetRun::Factory::Create(int captionId) {
    return std::make_unique<TestSheet>(captionId, body);
}

void SheetRun::StartWizard(const std::function<void(CZlxbuildDlg&)>& body) {
    m_factory.body = body;
    AppServices withSheet{store,  registry,    folders,  messages, system,    common,  languages,
                          drives, shellDrives, discInfo, analysis, m_factory, workInfo};
    CZlxbuildApp app(withSheet);
    app.InitInstance("");
    app.ExitInstance();
}

} // namespace sheet_test
