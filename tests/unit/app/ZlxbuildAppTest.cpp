#include "app/Messages.h"
#include "app/ZlxbuildApp.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Ids = std::vector<int>;

struct AppFixture : ::testing::Test, FakeServices {
    AppFixture() { InstallProduct(); }
    void InsertAudioCd(char letter) {
        drives.drives[letter].toc = MakeToc({{0, false}, {1000, false}}, 2000);
        shellDrives.names[letter] = "AUDIO CD (" + std::string(1, letter) + ":)";
    }
    bool Run(const std::string& commandLine = {}) {
        CZlxbuildApp app(services);
        bool result = app.InitInstance(commandLine);
        app.ExitInstance();
        return result;
    }
};

TEST_F(AppFixture, RunningWriterOrWizardEndsStartUpAndIsBroughtForward) {
    system.heldElsewhere = {kWriterMutex};
    EXPECT_FALSE(Run());
    EXPECT_EQ(system.broadcasts, Strings{kMsgWriterToFront});
    EXPECT_EQ(system.waits, Strings{"ZL5_BUILD_WRITER:2000"});

    system.heldElsewhere = {kWizardMutex};
    system.waits.clear();
    system.broadcasts.clear();
    EXPECT_FALSE(Run());
    EXPECT_EQ(system.waits, (Strings{"ZL5_BUILD_WRITER:2000", "ZL5_BUILD_WIZARD:4000"}));
    EXPECT_EQ(system.released, Strings{kWriterMutex}); // the probe holds nothing
    EXPECT_EQ(system.broadcasts, Strings{kMsgWizardToFront});
    EXPECT_TRUE(sheets.shownAt.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppFixture, MissingPlayerIsFatal) {
    common.player = 0;
    Run();
    ASSERT_EQ(messages.Ids(), Ids{201});
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
    EXPECT_FALSE(store.Has("ZLXBuildDataReady")); // no job was created
}

TEST_F(AppFixture, ConfigurationFileMustBeWritableLocallyOrOnTheNetwork) {
    common.readOnly.insert("C:\\Zelvane\\system\\zlximg.dat");
    Run();
    EXPECT_EQ(messages.Ids(), Ids{150});
    EXPECT_TRUE(sheets.shownAt.empty());

    messages.shown.clear();
    store.Set("ZlxConfigPathNet", "\\\\server\\zelvane\\");
    system.files.insert("\\\\server\\zelvane\\zlximg.dat");
    Run();
    EXPECT_EQ(messages.Ids(), Ids{170}); // got past the check, asks for a disc

    // With local images disabled a writable local file does not count.
    messages.shown.clear();
    common.readOnly.clear();
    system.files.erase("\\\\server\\zelvane\\zlximg.dat");
    store.Set("ZlxDisabelUseOfLoacalImages", "1");
    Run();
    EXPECT_EQ(messages.Ids(), Ids{150});
}

TEST_F(AppFixture, LanguageModuleOfTheRightVersionProvidesTheTexts) {
    store.Set("ZlxLanguage", "ENU");
    const std::string module = "C:\\Zelvane\\Language\\ENU\\Res\\zl5build.ENU";
    system.files.insert(module);
    {
        CZlxbuildApp app(services);
        app.InitInstance("");
        EXPECT_EQ(languages.loaded, module);
        EXPECT_EQ(app.AppName, "lang:174");
        EXPECT_EQ(messages.caption, "lang:174");
        EXPECT_EQ(app.HelpFilePath, "C:\\Zelvane\\Language\\ENU\\help\\zl5build.hlp");
        app.ExitInstance();
        EXPECT_TRUE(languages.released);
        EXPECT_EQ(discInfo.releases, 1);
    }
    languages = CFakeLanguages();
    languages.version = 5;
    messages.shown.clear();
    messages.answers = {kAnswerOk, kAnswerCancel};
    Run();
    EXPECT_EQ(messages.Ids(), (Ids{173, 170}));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_FALSE(languages.active);

    languages = CFakeLanguages();
    languages.hasVersion = false; // no version export: the program's own texts stay
    Run();
    EXPECT_FALSE(languages.active);
}

TEST_F(AppFixture, EditorBuildHandsTheJobToTheWriter) {
    store.Set("ZLXBuildEditor", "3");
    store.Set("ZLXBuildZLXLabel", "MIX");
    store.Set("ZLXBuildDestinationFile", "C:\\out.zl4");
    Run();
    EXPECT_EQ(system.started, Strings{"C:\\Zelvane\\system\\zl5write.exe"});
    EXPECT_EQ(store.Get("ZLXBuildDataReady"), "1");
    EXPECT_EQ(store.Get("ZLXBuildZLXLabel"), "MIX");
    EXPECT_FALSE(store.Has("ZlxBuildTOC"));
    EXPECT_TRUE(sheets.shownAt.empty());
    EXPECT_TRUE(messages.shown.empty());

    system.startResult = 2; // file not found
    Run();
    ASSERT_EQ(messages.Ids(), Ids{162});
    EXPECT_EQ(messages.shown[0].argument, "C:\\Zelvane\\system\\zl5write.exe");
    EXPECT_EQ(store.Get("ZLXBuildDataReady"), "1"); // the job stays written
}

TEST_F(AppFixture, DriveBuildAnalysesTheNamedDriveOnlyAndWithACommandLineOnlyPrepares) {
    store.Set("ZLXBuildEditor", "12"); // only "1" fits the buffer: a drive build
    InsertAudioCd('E');
    InsertAudioCd('F');
    Run(); // no drive named: nothing is built
    EXPECT_TRUE(system.started.empty());
    EXPECT_TRUE(analysis.analysed.empty());

    Run("F");
    EXPECT_EQ(analysis.analysed, "F");
    EXPECT_TRUE(system.started.empty());

    store.Set("ZLXBuildSourceCDDrive", "E");
    Run();
    EXPECT_EQ(analysis.analysed, "FE");
    EXPECT_EQ(analysis.lastCode, 65535);
    EXPECT_EQ(system.started.size(), 1u);
    EXPECT_EQ(store.Get("ZLXBuildSourceCDDrive"), "E");
    EXPECT_TRUE(sheets.shownAt.empty());
}

TEST_F(AppFixture, EditorWizardNeedsNoDiscAndCancelClearsTheHandOver) {
    store.Set("ZLXBuildEditor", "2");
    store.Set("ZlxBuildEditorData", "1");
    store.Set("ZLXBuildZLXLabel", "MIX");
    Run();
    EXPECT_EQ(sheets.shownAt, Ids{1});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(system.broadcasts, Strings{kMsgEditorBuildDone});
    EXPECT_FALSE(store.Has("ZLXBuildEditor"));
    EXPECT_FALSE(store.Has("ZlxBuildEditorData"));
    EXPECT_EQ(store.Get("ZLXBuildDataReady"), "0");

    // Finish leaves the hand-over to the writer; a sheet that never opened was not cancelled.
    for (SheetResult result : {SheetResult::Finished, SheetResult::Failed}) {
        system.broadcasts.clear();
        store.Set("ZLXBuildEditor", "2");
        store.Set("ZlxBuildEditorData", "1");
        sheets.result = result;
        Run();
        EXPECT_TRUE(system.broadcasts.empty()) << static_cast<int>(result);
        EXPECT_EQ(store.Get("ZlxBuildEditorData"), "1") << static_cast<int>(result);
    }

    // An ordinary wizard's cancel touches nothing.
    store.Set("ZLXBuildEditor", "0");
    sheets.result = SheetResult::Cancelled;
    InsertAudioCd('E');
    system.broadcasts.clear();
    store.Set("ZLXDefinitionFile", "keep");
    Run();
    EXPECT_TRUE(system.broadcasts.empty());
    EXPECT_TRUE(store.Has("ZLXDefinitionFile"));
}

TEST_F(AppFixture, WizardStartPageFollowsTheReadyDrives) {
    InsertAudioCd('E');
    Run();
    EXPECT_EQ(sheets.shownAt.back(), 1); // one ready drive: straight to the copy method
    EXPECT_EQ(drives.drives['E'].opened, 1);
    EXPECT_EQ(drives.drives['E'].closed, 1);

    InsertAudioCd('F');
    Run();
    EXPECT_EQ(sheets.shownAt.back(), 0); // several: the user picks on the source page

    // A CD Extra in a drive that cannot read raw starts on the source page.
    drives.drives.erase('F');
    analysis.kinds['E'] = 6 | 4096;
    Run();
    EXPECT_EQ(sheets.shownAt.back(), 0);
    analysis.rawReadable = "E";
    Run();
    EXPECT_EQ(sheets.shownAt.back(), 1);
}

TEST_F(AppFixture, NoDiscAsksUntilCancelledOrADiscArrives) {
    messages.answers = {kAnswerOk, kAnswerCancel};
    Run();
    EXPECT_EQ(messages.Ids(), (Ids{170, 170}));
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(sheets.shownAt.empty());

    InsertAudioCd('E');
    drives.drives['E'].ready = false;
    CZlxbuildApp app(services);
    messages.answers = {kAnswerOk};
    EXPECT_EQ(app.WaitForSourceDisc(0), 0); // asked twice: OK rescans, then cancelled
    drives.drives['E'].ready = true;
    EXPECT_EQ(app.WaitForSourceDisc(0), 1);
    EXPECT_EQ(app.WaitForSourceDisc(7), 7);
}

TEST_F(AppFixture, VirtualAndAnalogDrivesAreNoSource) {
    InsertAudioCd('V');
    drives.virtualLetters = "V";
    CZlxbuildApp app(services);
    EXPECT_EQ(app.FindReadyDrives(), "");
    app.BuildSettings.AcceptVirtualDrives = 1;
    EXPECT_EQ(app.FindReadyDrives(), "V");
    common.analog = "V";
    EXPECT_EQ(app.FindReadyDrives(), "");
    InsertAudioCd('D');
    drives.drives['X'].infoReadable = false;
    EXPECT_EQ(app.FindReadyDrives(), "D");
}

TEST_F(AppFixture, PrepareStartDriveTakesTheLabelAndReportsUnreadableDrives) {
    drives.drives['G'].opens = false;
    drives.drives['H'].toc = MakeToc({{0, true}}, 100);
    shellDrives.names['H'] = "MY (BEST) DISC (H:)";
    sheets.onShow = [&] {
        CZlxbuildApp* app = CZlxbuildApp::Current();
        EXPECT_EQ(app->PrepareStartDrive('G'), 0);
        EXPECT_EQ(messages.Ids(), Ids{135});
        EXPECT_EQ(app->PrepareStartDrive('H'), 1);
        EXPECT_EQ(app->Job()->Label, "MY (BEST) DISC ");
        EXPECT_EQ(app->Job()->SourceDiscName, "MY (BEST) DISC ");
        shellDrives.names.erase('H');
        EXPECT_EQ(app->PrepareStartDrive('H'), 0); // no display name: stays on the source page
    };
    Run("H"); // the command line names the drive to prepare
    EXPECT_EQ(analysis.analysed.front(), 'H');
    EXPECT_EQ(sheets.shownAt, Ids{1});
    EXPECT_EQ(drives.drives['H'].opened, drives.drives['H'].closed);
}

TEST_F(AppFixture, ClearingTheHandOverEmptiesEveryEditorValue) {
    store.Set("ZlxBuildEditorNoT", "12");
    store.Set("CDE1_Drive", "E");
    store.Set("CDE2_Drive", "F");
    store.Set("CDE4_Drive", "G"); // after a gap: not reached
    store.Set("CDE_PreSource1", "C:\\a");
    CZlxbuildApp app(services);
    store.ClearJournal();
    app.ClearEditorHandover();
    Strings names = store.WrittenNames();
    auto has = [&](const std::string& n) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    EXPECT_TRUE(has("CDESectorsTrack1"));
    EXPECT_TRUE(has("CDESectorsTrack12"));
    EXPECT_FALSE(has("CDESectorsTrack13"));
    EXPECT_TRUE(has("CDE2_TrackName99"));
    EXPECT_FALSE(has("CDE3_Drive"));
    EXPECT_TRUE(has("CDE_PreSize1"));
    EXPECT_FALSE(has("CDE_PreSource2"));
    EXPECT_EQ(names.size(), 6u + 12u + 2u * 103u + 3u);
    EXPECT_TRUE(store.Has("CDE4_Drive"));
    for (const auto& line : store.Journal())
        EXPECT_EQ(line.back(), '\t') << line; // every write is the empty text
}

TEST(MessageText, FillsTheFirstPlaceholder) {
    EXPECT_EQ(FillMessage("Cannot start (%s).", "C:\\w.exe"), "Cannot start (C:\\w.exe).");
    EXPECT_EQ(FillMessage("drive %c as a CD player", "E:"), "drive E as a CD player");
    EXPECT_EQ(FillMessage("100%% of %s and %s", "x"), "100% of x and %s");
    EXPECT_EQ(FillMessage("trailing %", "x"), "trailing %");
}

TEST(MessageText, FillsEveryPlaceholderInOrder) {
    struct Case {
        const char* format;
        std::vector<std::string> arguments;
        const char* expected;
    } cases[] = {
        {"%s of %s", {"Album", "Artist"}, "Album of Artist"},
        {"Title_%02d (%s) %c:", {"7", "x", "E"}, "Title_07 (x) E:"},
        {"between %d and %d.", {"1", "100000"}, "between 1 and 100000."},
        {"short: %s and %s", {"x"}, "short: x and %s"}, // a translation with one more
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(c.format, c.arguments), c.expected) << c.format;
}

} // namespace
