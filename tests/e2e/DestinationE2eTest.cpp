// The destination page of the installed wizard in Expert Copy Mode: a typed image file and
// a chosen compression level are exactly what the job hands the writer, and the writer
// makes that file.
#include "E2eHarness.h"

#include "res/page_destination_ids.h"
#include "res/page_todo_ids.h"
#include "settings/Registry.h"
#include "settings/ZlxBuildSettings.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

using namespace e2e;

namespace {

struct DestinationE2e : ::testing::Test {
    void SetUp() override {
        if (GetDriveTypeA("G:\\") != DRIVE_CDROM)
            GTEST_SKIP() << "the sample drives are not mapped";
        ASSERT_TRUE(WaitForWriterToEnd(10000));
        store.Clear("ZLXBuildEditor");
        store.Set("ZLXBuildSourceCDDrive", "G");
        // A data disc's job names no track order, so an earlier job's order would stand.
        store.Clear("ZlxBuildTrackOrder");
        UseCopyMode(store, true);
        CreateDirectoryA(images.c_str(), nullptr);
        store.Set("ZlxImagePath", images + "\\");
        DeleteFileA(report.c_str());
    }
    void TearDown() override {
        DeleteFileA(image.c_str());
        RemoveDirectoryA(images.c_str());
        DeleteFileA(journal.c_str());
    }
    // The wizard on the data sample, walked with Next from the copy method page to ours.
    HWND OpenDestination() {
        HWND sheet = StartWizardSheet(wizard);
        if (!sheet || !WaitFor([&] { return PageControl(sheet, IDC_TODO_PRESETS); }, 20000))
            return nullptr;
        // The sample's drive cannot read raw sectors: the plain copy method reads it.
        ChooseEntry(sheet, IDC_TODO_PRESETS, 0);
        for (int page = 0; page < 4 && !PageControl(sheet, IDC_DEST_CHART); ++page) {
            HWND before = CurrentPage(sheet);
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            if (!WaitFor([&] { return CurrentPage(sheet) != before; }, 10000))
                return nullptr;
        }
        return PageControl(sheet, IDC_DEST_CHART) ? sheet : nullptr;
    }

    StoreScope store;
    std::string journal = TempFile("zl5e2e_destination_journal.txt");
    EnvScope journalScope{"ZL5ENV_JOURNAL", journal};
    EnvScope quiet{"ZL5WRITE_QUIET", "1"};
    std::string images = TempFile("zl5e2e_destination_images");
    std::string image = images + "\\Typed image.zl4";
    std::string report = HomeFile("system\\zl5write.log");
    ChildProcess wizard;
};

TEST_F(DestinationE2e, TheTypedFileAndCompressionLevelReachTheWriter) {
    HWND sheet = OpenDestination();
    ASSERT_NE(sheet, nullptr);
    HWND page = CurrentPage(sheet);
    EXPECT_EQ(ControlText(PageControl(sheet, IDC_DEST_PATH)).rfind(images + "\\", 0), 0u)
        << "the copy method page's default name";
    EXPECT_NE(ControlText(PageControl(sheet, IDC_DEST_NEEDED)), "");

    // Typed without its extension; the page adds it.
    const std::string typed = images + "\\Typed image";
    SendMessageA(PageControl(sheet, IDC_DEST_PATH), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(typed.c_str()));
    HWND compression = PageControl(sheet, IDC_DEST_COMPRESSION);
    ASSERT_EQ(SendMessageA(compression, CB_GETCOUNT, 0, 0), 5);
    SendMessageA(compression, CB_SETCURSEL, 3, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DEST_COMPRESSION, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(compression));
    SendMessageA(PageControl(sheet, IDC_DEST_OWN_FOLDER), BM_CLICK, 0, 0);

    HWND before = CurrentPage(sheet);
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    ASSERT_TRUE(WaitFor([&] { return CurrentPage(sheet) != before; }, 10000))
        << "the destination was refused";
    Pump(500); // the properties page's buttons arrive as it becomes active
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    ASSERT_TRUE(wizard.WaitExit(20000)) << "the wizard did not end on Finish";
    ASSERT_TRUE(WaitForWriterReport(report, 60000));

    auto job = JournalledJob(journal);
    ASSERT_EQ(job["ZLXBuildDataReady"], "1");
    const std::pair<const char*, std::string> chosen[] = {
        {"ZLXBuildDestinationFile", image}, {"ZlxBuildCompressionType", "2"},
        {"ZlxBuildCompressionLevel", "3"},  {"ZlxBuildAutoCreateFolder", "0"},
        {"ZlxBuildInsertIntoNet", "0"},
    };
    const auto lines = ReadLines(report);
    auto reported = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const auto& [name, value] : chosen) {
        EXPECT_EQ(job[name], Journalled(value)) << name;
        EXPECT_TRUE(reported(std::string(name) + "=" + value)) << name;
    }
    EXPECT_TRUE(reported("ImageResult=done"));
    EXPECT_TRUE(reported("ImageFile=" + image));
    EXPECT_NE(GetFileAttributesA(image.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
