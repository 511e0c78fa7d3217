// Quick Copy files end to end: the real writer program writes them for a job, the wizard's
// search finds them through the system's file calls, and the selection dialog lists and
// deletes them.
#include "TestProcess.h"
#include "ZL5Scsi.h"
#include "WinTestSupport.h"

#include "app/BuildJob.h"
#include "app/QuickCopyWin.h"
#include "pages/DlgZQCSelection.h"
#include "res/quickcopy_ids.h"
#include "settings/MemoryEnvStore.h"
#include "settings/ZL5EnvStore.h"
#include "support/FakeDriveLibrary.h"
#include "support/FakeQuickCopy.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

using namespace testproc;

namespace {
const char kStoreKey[] = "Software\\Kestrelin\\Zelvane 5\\QuickCopyTestStore";

// A private folder below the temporary folder, removed with everything in it.
struct TempFolder {
    std::string path = TempPath() + "zl5qc-" + std::to_string(GetCurrentProcessId()) + "\\";
    TempFolder() { CreateDirectoryA(path.c_str(), nullptr); }
    ~TempFolder() { Remove(path); }
    static std::string TempPath() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        return temp;
    }
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd)) {
            const std::string name = folder + fd.cFileName;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(name.c_str());
            else if (fd.cFileName[0] != '.')
                Remove(name + "\\");
        }
        FindClose(h);
        RemoveDirectoryA(folder.c_str());
    }
};

// The data sample in an emulated drive of the test's own, and its table of contents.
const char kDrivesKey[] = "Software\\Kestrelin\\Zelvane 5\\QuickCopyTestDrives";
_CDROM_TOC InsertDataDisc(char letter) {
    SetEnvironmentVariableA("ZL5_DRIVES_KEY", kDrivesKey);
    const ProcessResult inserted =
        RunProcess("\"" + ExeFolder() + "zl5drive.exe\" insert " + std::string(1, letter) + ": \"" +
                   ExeFolder() + "..\\..\\samples\\data.iso\"");
    EXPECT_EQ(inserted.exitCode, 0u) << inserted.output;
    _CDROM_TOC toc{};
    ZLXScsiOpenDrive(letter);
    EXPECT_TRUE(ZLXScsiGetToc(letter, &toc, 30));
    ZLXScsiCloseDrive(letter);
    return toc;
}

TEST(QuickCopyFiles, TheWizardFindsWhatTheWriterWroteAndTakesItsOptions) {
    SetEnvironmentVariableA("ZL5ENV_KEY", kStoreKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
    TempFolder home;
    const std::string system = home.path + "system\\";
    CreateDirectoryA(system.c_str(), nullptr);
    for (const char* file : {"zl5write.exe", "ZL5Env.dll", "ZL5Scsi.dll"})
        ASSERT_TRUE(CopyFileA((ExeFolder() + file).c_str(), (system + file).c_str(), FALSE));
    const _CDROM_TOC toc = InsertDataDisc('W');

    CZL5EnvStore store;
    ASSERT_TRUE(store.Loaded());
    CMemoryRegistry registry;
    const std::string folder = home.path + "Zelvane v5\\ZQCopy\\"; // neither exists yet
    store.WriteText("ZlxZQCPath", folder.c_str());
    CBuildJob job(store, registry);
    job.SourceDrive = 'W';
    job.DestinationFile = home.path + "backup.zl4";
    job.Label = "BACKUP 2024";
    job.Description = "Photos: summer";
    job.Toc = toc;
    job.FastRead = 0;
    job.SectorSize = 2352;
    job.SectorType = 256;
    job.ReadSubChannel = 1;
    job.AudioRecordMode = 2;
    job.SkipRange = 500;
    job.EjectAfterBuild = 0;
    job.WriteQuickCopyFile = 1;
    // The writer takes a job once; each run is handed the job again.
    auto runWriter = [&] {
        job.WriteToStore();
        const ProcessResult run = RunProcess("\"" + system + "zl5write.exe\" /quiet");
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        return FileText(system + "zl5write.log");
    };
    const std::string first = folder + "BACKUP 2024.zqc";
    EXPECT_NE(runWriter().find("QuickCopyFile=" + first + "\r\n"), std::string::npos);
    EXPECT_NE(runWriter().find("QuickCopyFile=" + folder + "BACKUP 2024_2.zqc\r\n"),
              std::string::npos)
        << "a second file for the same label gets a name of its own";

    CBuildJob wizard(store, registry);
    wizard.SourceDiscName = "BACKUP 2024   "; // as the volume reports it
    wizard.Toc = toc;
    CWinQuickCopyFiles files;
    CFakeQuickCopyChooser chooser;
    EXPECT_EQ(wizard.FindQuickCopyFiles(kQuickCopyChooseIfMany, {files, chooser, folder}), 2);
    EXPECT_EQ(chooser.shown, std::vector<size_t>{2});

    wizard.QuickCopyFileName = first;
    ASSERT_TRUE(wizard.LoadQuickCopySettings(files));
    EXPECT_EQ(wizard.FastRead, 0);
    EXPECT_EQ(wizard.DynamicErrorHandling, 1);
    EXPECT_EQ(wizard.SectorSize, 2352);
    EXPECT_EQ(wizard.SubChannelReadable, 1);
    EXPECT_EQ(wizard.AudioRecordMode, 2);
    EXPECT_EQ(wizard.SkipRange, 500);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kDrivesKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
}

TEST(QuickCopyDialog, ListsSortedDeletesAtOnceAndRefusesOkWithoutASelection) {
    EnsureCommonControls();
    TempFolder folder;
    QuickCopyCandidates candidates;
    for (const char* name : {"Weekly backup", "Holiday photos", "archive of 2023"}) {
        const std::string path = folder.path + name + ".zqc";
        CloseHandle(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        candidates[path].description = std::string(name) + " disc";
    }
    CFakeMessages messages;
    CWinQuickCopyFiles files;
    CDlgZQCSelection dialog(candidates, messages, files);
    ASSERT_TRUE(dialog.Create(nullptr));
    ShowWindow(dialog, SW_SHOW);
    PumpMessages(150);

    CReportList& list = dialog.List();
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.CellText(0), "archive of 2023 disc (archive of 2023)");
    EXPECT_EQ(list.CellText(2), "Weekly backup disc (Weekly backup)");
    EXPECT_GE(list.RowImage(0), 0);
    EXPECT_EQ(ListView_GetColumnWidth(list.Handle(), 0), 375);
    EXPECT_EQ(list.SelectedFocusedRow(), 0);
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_ZQC_DELETE)));
    EXPECT_FALSE(SaveScreenshot(dialog, "zqc_dialog").empty());

    // Delete removes the file and its row at once, and is then off until a row is chosen.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ZQC_DELETE, BN_CLICKED), 0);
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(GetFileAttributesA((folder.path + "archive of 2023.zqc").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_ZQC_DELETE)));

    list.ClearSelection();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(messages.Ids(), std::vector<int>{279}) << "no question before deleting";
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
    EXPECT_TRUE(IsWindow(dialog.Handle())) << "the dialog stays open";

    list.Select(1);
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_ZQC_DELETE)));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(dialog.Choice().path, folder.path + "Weekly backup.zqc");
    EXPECT_EQ(dialog.Choice().displayName, "Weekly backup disc (Weekly backup)");
}

} // namespace
