// The image properties page of the installed wizard in Expert Copy Mode: password,
// autostart program, hot key, insertion drive and comment are exactly what the job hands
// the writer.
#include "E2eHarness.h"

#include "res/page_properties_ids.h"
#include "res/page_todo_ids.h"
#include "settings/Registry.h"
#include "settings/ZlxBuildSettings.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

using namespace e2e;

namespace {

const char kComment[] = "Serial 42\r\nInstall with setup.exe";

// Our page: other pages use some of its control ids, none has a hot key control.
bool OnProperties(HWND sheet) {
    char name[32] = {};
    HWND hotkey = PageControl(sheet, IDC_PROPS_HOTKEY);
    return hotkey && GetClassNameA(hotkey, name, sizeof name) && std::string(name) == HOTKEY_CLASSA;
}
void SetText(HWND control, const char* text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
struct PropertiesE2e : ::testing::Test {
    void SetUp() override {
        if (GetDriveTypeA("G:\\") != DRIVE_CDROM)
            GTEST_SKIP() << "the sample drives are not mapped";
        ASSERT_TRUE(WaitForWriterToEnd(10000));
        store.Clear("ZLXBuildEditor");
        store.Clear("ZLXBuildSourceCDDrive");
        UseCopyMode(store, true);
        CreateDirectoryA(images.c_str(), nullptr);
        store.Set("ZlxImagePath", images + "\\");
        DeleteFileA(report.c_str());
    }
    void TearDown() override {
        RemoveTree(images);
        DeleteFileA(journal.c_str());
    }
    // The wizard on the data sample, walked with Next from the copy method page to ours.
    HWND OpenProperties() {
        HWND sheet = StartWizardSheet(wizard);
        if (!sheet || !WaitFor([&] { return PageControl(sheet, IDC_TODO_PRESETS); }, 20000))
            return nullptr;
        // The plain preset: this drive cannot read raw sectors.
        ChooseEntry(sheet, IDC_TODO_PRESETS, 0);
        for (int page = 0; page < 4 && !OnProperties(sheet); ++page) {
            HWND before = CurrentPage(sheet);
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            if (!WaitFor([&] { return CurrentPage(sheet) != before; }, 10000))
                return nullptr;
        }
        return OnProperties(sheet) ? sheet : nullptr;
    }
    // Waits for the wizard's dialog that `accept`s and presses `button` on it.
    bool Answer(const std::function<bool(HWND)>& accept, int button,
                const std::function<void(HWND)>& fill = nullptr) {
        HWND dialog = WaitForWindow(wizard.Pid(), "#32770", 10000, accept);
        if (!dialog)
            return false;
        if (fill)
            fill(dialog);
        PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return WaitFor([&] { return !IsWindow(dialog); }, 10000);
    }

    StoreScope store;
    PrivateDrives drives;
    std::string journal = TempFile("zl5e2e_properties_journal.txt");
    EnvScope journalScope{"ZL5ENV_JOURNAL", journal};
    EnvScope quiet{"ZL5WRITE_QUIET", "1"};
    std::string images = TempFile("zl5e2e_properties_images");
    std::string report = HomeFile("system\\zl5write.log");
    ChildProcess wizard;
};

TEST_F(PropertiesE2e, TheImagesPropertiesReachTheWriterAsChosen) {
    drives.Insert('G', "data.iso", "--profile noraw");
    drives.AddVirtual('V');
    HWND sheet = OpenProperties();
    ASSERT_NE(sheet, nullptr);

    HWND driveList = PageControl(sheet, IDC_PROPS_DRIVES);
    ASSERT_EQ(SendMessageA(driveList, CB_GETCOUNT, 0, 0), 2) << "None and the virtual drive";
    EXPECT_EQ(SendMessageA(driveList, CB_GETITEMDATA, 1, 0), 'V');
    SendMessageA(driveList, CB_SETCURSEL, 1, 0);
    SetText(PageControl(sheet, IDC_PROPS_PASSWORD), "Secret");
    SetText(PageControl(sheet, IDC_PROPS_VERIFY), "secret");
    SetText(PageControl(sheet, IDC_PROPS_PROGRAM), "C:\\Tools\\setup.exe");
    SetText(PageControl(sheet, IDC_PROPS_DIRECTORY), "C:\\Tools\\");
    SendMessageA(PageControl(sheet, IDC_PROPS_HOTKEY), HKM_SETHOTKEY,
                 MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);

    PostMessageA(PageControl(sheet, IDC_PROPS_COMMENT), BM_CLICK, 0, 0);
    ASSERT_TRUE(Answer([](HWND w) { return GetDlgItem(w, IDC_INFO_TEXT_EDIT) != nullptr; }, IDOK,
                       [](HWND w) { SetText(GetDlgItem(w, IDC_INFO_TEXT_EDIT), kComment); }))
        << "the comment editor";

    // Passwords that differ only in letter case are refused, and the wizard stays.
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    ASSERT_TRUE(Answer(
        [](HWND w) { return MessageBoxText(w).rfind("Two different passwords entered.", 0) == 0; },
        IDOK));
    EXPECT_TRUE(OnProperties(sheet));
    SetText(PageControl(sheet, IDC_PROPS_VERIFY), "Secret");
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    ASSERT_TRUE(wizard.WaitExit(20000)) << "the wizard did not end on Finish";
    ASSERT_TRUE(WaitForWriterReport(report, 30000));

    auto job = JournalledJob(journal);
    ASSERT_EQ(job["ZLXBuildDataReady"], "1");
    // The journal escapes backslashes and line breaks, the report line breaks only.
    const struct {
        const char *name, *journalled, *reported;
    } chosen[] = {
        {"ZlxBuildPassword", "Secret", "(set)"}, // the writer never shows a password
        {"ZlxBuildStartProgram", "C:\\\\Tools\\\\setup.exe", "C:\\Tools\\setup.exe"},
        {"ZlxBuildStartPath", "C:\\\\Tools\\\\", "C:\\Tools\\"},
        {"ZlxBuildHotkeyVirtualCode", "116", "116"},
        {"ZlxBuildHotkeyModifiers", "6", "6"},
        {"ZlxBuildAutoInsertDrive", "V:", "V:"},
        {"ZlxBuildInfoText", "Serial 42\\r\\nInstall with setup.exe",
         "Serial 42\\r\\nInstall with setup.exe"},
    };
    const auto lines = ReadLines(report);
    for (const auto& c : chosen) {
        EXPECT_EQ(job[c.name], c.journalled) << c.name;
        const std::string line = std::string(c.name) + "=" + c.reported;
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
}

} // namespace
