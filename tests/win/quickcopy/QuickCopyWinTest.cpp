// Quick Copy files end to end: the real writer program writes them for a job, the wizard's
// search finds them through the system's file calls, and the selection dialog lists and
// deletes them.
#include "TestProcess.h"
#include "WinTestSupport.h"

#include "app/BuildJob.h"
#include "app/QuickCopyWin.h"
#include "pages/DlgZQCSelection.h"
#include "res/quickcopy_ids.h"
#include "settings/MemoryEnvStore.h"
#include "settings/ZL5EnvStore.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace testproc;

namespace {
const char kStoreKey[] = "Software\\Kestrelin\\Zelvane 5\\QuickCopyTestStore";

// A private folder below the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "zl5qc-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++counter) + "\\";
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() { Remove(m_path); }
    const std::string& Path() const { return m_path; }
    std::string Put(const std::string& name, const QuickCopyRecord& record) const {
        const std::vector<uint8_t> bytes = BuildQuickCopyRecord(record);
        std::string data(bytes.begin(), bytes.end());
        const std::string path = m_path + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        CloseHandle(file);
        return path;
    }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd)) {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                Remove(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        }
        FindClose(h);
        RemoveDirectoryA(folder.c_str());
    }
    std::string m_path;
};

_CDROM_TOC DiscToc() {
    _CDROM_TOC toc{};
    toc.Length[1] = 26;
    toc.FirstTrack = 1;
    toc.LastTrack = 2;
    const uint32_t starts[] = {0, 16000, 52000};
    for (int i = 0; i < 3; ++i) {
        toc.TrackData[i].ControlAdr = i == 0 ? 0x14 : 0x10;
        toc.TrackData[i].TrackNumber = static_cast<uint8_t>(i < 2 ? i + 1 : 0xAA);
        for (int b = 0; b < 4; ++b)
            toc.TrackData[i].Address[b] = static_cast<uint8_t>(starts[i] >> (24 - 8 * b));
    }
    return toc;
}

class CNoChooser : public IQuickCopyChooser {
public:
    bool Choose(const QuickCopyCandidates& candidates, QuickCopyChoice&) override {
        offered = candidates.size();
        return false;
    }
    size_t offered = 0;
};

// The writer runs from a private home with the store library beside it, on a store of the
// test's own.
class WriterRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA("ZL5ENV_KEY", kStoreKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
        CreateDirectoryA(System().c_str(), nullptr);
        for (const char* file : {"zl5write.exe", "ZL5Env.dll"})
            ASSERT_TRUE(CopyFileA((ExeFolder() + file).c_str(), (System() + file).c_str(), FALSE));
        ASSERT_TRUE(m_store.Loaded());
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey); }
    std::string System() const { return m_home.Path() + "system\\"; }
    std::string RunWriter() {
        const ProcessResult run = RunProcess("\"" + System() + "zl5write.exe\" /quiet");
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        return FileText(System() + "zl5write.log");
    }

    TempFolder m_home;
    CZL5EnvStore m_store;
    CMemoryRegistry m_registry;
};

TEST_F(WriterRoundTrip, TheWizardFindsWhatTheWriterWroteAndTakesItsOptions) {
    // The folder does not exist yet, nor its parent.
    const std::string folder = m_home.Path() + "Zelvane v5\\ZQCopy\\";
    m_store.WriteText("ZlxZQCPath", folder.c_str());
    {
        CBuildJob job(m_store, m_registry);
        job.SourceDrive = 'E';
        job.Label = "BACKUP 2024";
        job.Description = "Photos: summer";
        job.Toc = DiscToc();
        job.FastRead = 0;
        job.DynamicErrorHandling = 1;
        job.SectorSize = 2352;
        job.SectorType = 256;
        job.ReadSubChannel = 1;
        job.AudioRecordMode = 2;
        job.SkipRange = 500;
        job.WriteQuickCopyFile = 1;
        job.WriteToStore();
    }
    const std::string first = folder + "BACKUP 2024.zqc";
    EXPECT_NE(RunWriter().find("QuickCopyFile=" + first + "\r\n"), std::string::npos);
    const std::string second = folder + "BACKUP 2024_2.zqc";
    EXPECT_NE(RunWriter().find("QuickCopyFile=" + second + "\r\n"), std::string::npos)
        << "a second file for the same label gets a name of its own";

    CBuildJob wizard(m_store, m_registry);
    wizard.SourceDiscName = "BACKUP 2024   "; // as the volume reports it
    wizard.Toc = DiscToc();
    CWinQuickCopyFiles files;
    CNoChooser chooser;
    EXPECT_EQ(wizard.FindQuickCopyFiles(kQuickCopyFirstMatch, {files, chooser, folder}), 1);
    EXPECT_EQ(wizard.QuickCopyInUse, 1);
    EXPECT_EQ(wizard.FindQuickCopyFiles(kQuickCopyChooseIfMany, {files, chooser, folder}), 2);
    EXPECT_EQ(chooser.offered, 2u);
    EXPECT_EQ(wizard.QuickCopyInUse, 0) << "the choice was cancelled";

    wizard.QuickCopyFileName = first;
    ASSERT_TRUE(wizard.LoadQuickCopySettings(files));
    EXPECT_EQ(wizard.FastRead, 0);
    EXPECT_EQ(wizard.DynamicErrorHandling, 1);
    EXPECT_EQ(wizard.SectorSize, 2352);
    EXPECT_EQ(wizard.SectorType, 256);
    EXPECT_EQ(wizard.SubChannelReadable, 1);
    EXPECT_EQ(wizard.AudioRecordMode, 2);
    EXPECT_EQ(wizard.SkipRange, 500);

    // Another disc with the same label is not this one.
    wizard.Toc.TrackData[1].Address[3] ^= 1;
    EXPECT_EQ(wizard.FindQuickCopyFiles(kQuickCopyFirstMatch, {files, chooser, folder}), 0);
}

TEST_F(WriterRoundTrip, AJobThatAsksForNoFileGetsNone) {
    const std::string folder = m_home.Path() + "ZQCopy\\";
    m_store.WriteText("ZlxZQCPath", folder.c_str());
    {
        CBuildJob job(m_store, m_registry);
        job.Label = "DISC";
        job.WriteToStore();
    }
    EXPECT_EQ(RunWriter().find("QuickCopyFile"), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

class CScriptedMessages : public IMessages {
public:
    int Show(int id, MsgIcon icon, MsgButtons, const std::string&) override {
        shown.push_back(id);
        icons.push_back(icon);
        return kAnswerOk;
    }
    void SetCaption(const std::string&) override {}
    std::vector<int> shown;
    std::vector<MsgIcon> icons;
};

TEST(QuickCopyDialog, ListsSortedDeletesAtOnceAndRefusesOkWithoutASelection) {
    EnsureCommonControls();
    TempFolder folder;
    QuickCopyCandidates candidates;
    for (const auto& [name, description] :
         std::vector<std::pair<std::string, std::string>>{{"c.zqc", "Weekly backup"},
                                                          {"a.zqc", "Holiday photos"},
                                                          {"b.zqc", "archive of 2023"}}) {
        QuickCopyRecord record;
        record.description = description;
        candidates[folder.Put(name, record)] = record;
    }
    CScriptedMessages messages;
    CWinQuickCopyFiles files;
    CDlgZQCSelection dialog(candidates, messages, files);
    ASSERT_TRUE(dialog.Create(nullptr));
    ShowWindow(dialog, SW_SHOW);
    PumpMessages(150);

    CReportList& list = dialog.List();
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.CellText(0), "archive of 2023 (b)");
    EXPECT_EQ(list.CellText(1), "Holiday photos (a)");
    EXPECT_EQ(list.CellText(2), "Weekly backup (c)");
    EXPECT_GE(list.RowImage(0), 0);
    EXPECT_EQ(ListView_GetColumnWidth(list.Handle(), 0), 375);
    EXPECT_EQ(list.SelectedFocusedRow(), 0);
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_ZQC_DELETE)));
    const std::string shot = SaveScreenshot(dialog, "zqc_dialog");
    EXPECT_FALSE(shot.empty());

    // Delete removes the file and its row at once, and is then off until a row is chosen.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ZQC_DELETE, BN_CLICKED), 0);
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(GetFileAttributesA((folder.Path() + "b.zqc").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(IsWindowEnabled(dialog.Item(IDC_ZQC_DELETE)));
    EXPECT_TRUE(messages.shown.empty()) << "no question before deleting";

    list.ClearSelection();
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(messages.shown, std::vector<int>{279});
    EXPECT_EQ(messages.icons, std::vector<MsgIcon>{MsgIcon::Error});
    EXPECT_TRUE(IsWindow(dialog.Handle())) << "the dialog stays open";

    list.Select(1);
    EXPECT_TRUE(IsWindowEnabled(dialog.Item(IDC_ZQC_DELETE)));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(dialog.Choice().path, folder.Path() + "c.zqc");
    EXPECT_EQ(dialog.Choice().displayName, "Weekly backup (c)");
    EXPECT_EQ(dialog.Handle(), nullptr);
}

} // namespace
