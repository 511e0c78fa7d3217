// The installed wizard started the way the product's other programs start it.
#include "E2eHarness.h"

#include "app/BuildJob.h"
#include "settings/MemoryEnvStore.h"

#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

using namespace e2e;

namespace {

const std::string kCaption = "Zelvane - Image Writer";

std::string Wizard() {
    return HomeFile("system\\zl5build.exe");
}

// Each test leaves the store as it found it and starts without a writer around.
struct StartupE2e : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(WaitForWriterToEnd(10000)); }
    StoreScope store;
};

TEST_F(StartupE2e, EditorBuildHandsItsJobToTheWriter) {
    const std::pair<const char*, const char*> handOver[] = {
        {"ZLXBuildEditor", "3"},
        {"ZLXBuildZLXLabel", "E2E COMPILATION"},
        {"ZlxBuildDescription", "Built by the editor"},
        {"ZLXBuildDestinationFile", "C:\\images\\e2e.zl4"},
        {"ZlxBuildInfoText", "not part of an editor build"}};
    CMemoryEnvStore expectedStore;
    for (const auto& v : handOver) {
        store.Set(v.first, v.second);
        expectedStore.Set(v.first, v.second);
    }
    const std::string journal = TempFile("zl5e2e_journal.txt");
    const std::string report = HomeFile("system\\zl5write.log");
    DeleteFileA(report.c_str());
    EnvScope journalScope("ZL5ENV_JOURNAL", journal);
    EnvScope quiet("ZL5WRITE_QUIET", "1");

    ChildProcess wizard;
    ASSERT_TRUE(wizard.Start(Wizard()));
    ASSERT_TRUE(wizard.WaitExit(20000));
    ASSERT_TRUE(WaitForWriterReport(report, 20000));

    // The same hand-over through the job in memory gives the sequence the writer relies on.
    CMemoryRegistry registry;
    CBuildJob job(expectedStore, registry);
    expectedStore.ClearJournal();
    job.LoadEditorValues(false);
    job.WriteToStore();

    const auto lines = JournalledJobLines(journal);
    EXPECT_EQ(lines, expectedStore.Journal());
    for (const auto& line : lines)
        EXPECT_NE(line.rfind("B\tZlxBuildTOC", 0), 0u)
            << "an editor build has no table of contents";
    const auto written = ReadLines(report);
    for (const char* expected :
         {"ZLXBuildZLXLabel=E2E COMPILATION", "ZLXBuildDestinationFile=C:\\images\\e2e.zl4",
          "ZlxBuildDescription=Built by the editor", "ZLXBuildDataReady=1"})
        EXPECT_NE(std::find(written.begin(), written.end(), expected), written.end()) << expected;
    DeleteFileA(journal.c_str());
}

TEST_F(StartupE2e, SecondStartBringsTheOpenWizardForwardAndEndsWithoutAWindow) {
    store.Set("ZLXBuildEditor", "2"); // an editor wizard needs no disc
    store.Set("ZLXBuildZLXLabel", "E2E WIZARD");
    BroadcastListener listener;

    ChildProcess first;
    ASSERT_TRUE(first.Start(Wizard()));
    HWND sheet = WaitForWindow(first.Pid(), "#32770", 20000);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(WindowText(sheet), kCaption);
    ShowWindow(sheet, SW_MINIMIZE);
    Pump(200);
    ASSERT_TRUE(IsIconic(sheet));

    ChildProcess second;
    ASSERT_TRUE(second.Start(Wizard()));
    const DWORD started = GetTickCount();
    bool ended = false;
    while (!ended && GetTickCount() - started < 15000) {
        EXPECT_TRUE(WindowsOf(second.Pid()).empty());
        ended = second.WaitExit(100);
    }
    ASSERT_TRUE(ended);
    EXPECT_GE(GetTickCount() - started, 3500u) << "the second start waits for the lock first";
    EXPECT_EQ(listener.Count("WM_ZL5_IMAGE_WIZARD_TO_FRONT"), 1);
    Pump(500);
    EXPECT_FALSE(IsIconic(sheet)) << "the open wizard comes to the front";

    // Cancelling a wizard the editor started tells the editor and clears its hand-over.
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    ASSERT_TRUE(first.WaitExit(10000));
    EXPECT_EQ(listener.Count("WM_EDITOR5_BUILD_DONE"), 1);
    char mode[2] = {};
    EXPECT_EQ(Store().ReadText("ZLXBuildEditor", mode, sizeof mode), 0);
    EXPECT_EQ(Store().ReadText("ZLXBuildZLXLabel", mode, sizeof mode), 1)
        << "only hand-over values are cleared";
}

TEST_F(StartupE2e, StartWhileTheWriterRunsEndsAtOnce) {
    store.Set("ZLXBuildDataReady", "1"); // the writer shows the job it finds
    BroadcastListener listener;
    ChildProcess writer;
    ASSERT_TRUE(writer.Start(HomeFile("system\\zl5write.exe")));
    HWND writerWindow = WaitForWindow(writer.Pid(), "", 20000);
    ASSERT_NE(writerWindow, nullptr);

    ChildProcess wizard;
    ASSERT_TRUE(wizard.Start(Wizard()));
    const DWORD started = GetTickCount();
    ASSERT_TRUE(wizard.WaitExit(10000));
    EXPECT_LT(GetTickCount() - started, 3500u);
    EXPECT_EQ(listener.Count("WM_ZL5_IMAGE_WRITER_TO_FRONT"), 1);
    EXPECT_EQ(listener.Count("WM_ZL5_IMAGE_WIZARD_TO_FRONT"), 0);
    EXPECT_TRUE(WindowsOf(wizard.Pid(), "", false).empty());

    PostMessageA(writerWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(writer.WaitExit(10000));
}

TEST_F(StartupE2e, MissingConfigurationFileIsReportedAndEndsTheProgram) {
    const std::string config = HomeFile("system\\zlximg.dat");
    const std::string away = config + ".away";
    ASSERT_TRUE(MoveFileA(config.c_str(), away.c_str()));
    store.Clear("ZlxConfigPathNet");
    store.Set("ZLXBuildEditor", "3");
    const std::string journal = TempFile("zl5e2e_journal_config.txt");
    EnvScope journalScope("ZL5ENV_JOURNAL", journal);

    ChildProcess wizard;
    ASSERT_TRUE(wizard.Start(Wizard()));
    HWND box = WaitForWindow(wizard.Pid(), "#32770", 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), kCaption);
    EXPECT_NE(MessageBoxText(box).find("No \"write\" privileges in the configuration file"),
              std::string::npos)
        << MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(wizard.WaitExit(10000));
    MoveFileA(away.c_str(), config.c_str());
    for (const auto& line : ReadLines(journal))
        EXPECT_EQ(line.find("ZLXBuildDataReady"), std::string::npos) << "no job was started";
    DeleteFileA(journal.c_str());
}

} // namespace
