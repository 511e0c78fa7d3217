#include "app/ZlxbuildApp.h"

#include "app/StringIds.h"
#include "source/DriveScan.h"

#include <cstdio>

namespace {
CZlxbuildApp* g_current = nullptr;
constexpr long kMaxEditorTracks = 9999;
constexpr int kMaxTrackNames = 99;

std::string Formatted(const char* format, int value) {
    char name[64];
    std::snprintf(name, sizeof name, format, value);
    return name;
}

std::string Formatted(const char* format, int a, int b) {
    char name[64];
    std::snprintf(name, sizeof name, format, a, b);
    return name;
}
} // namespace

CZlxbuildApp::CZlxbuildApp(AppServices& services)
    : Settings(services.store, services.registry, services.folders),
      BuildSettings(services.store, services.registry), m_services(services) {
    g_current = this;
}

CZlxbuildApp::~CZlxbuildApp() {
    if (g_current == this)
        g_current = nullptr;
}

CZlxbuildApp* CZlxbuildApp::Current() {
    return g_current;
}

PageContext CZlxbuildApp::PageContextFor(CPageSlots& slots) {
    return PageContext{*m_job,
                       Settings,
                       BuildSettings,
                       m_services,
                       slots,
                       [this] { StartWriter(); },
                       EditorWizard != 0,
                       EditorBuild != 0};
}

bool CZlxbuildApp::InitInstance(const std::string& commandLine) {
    ISystem& sys = m_services.system;

    // The writer must not run beside the wizard; the probe itself holds nothing.
    {
        auto writer = sys.CreateNamedMutex(kWriterMutex);
        if (!writer || !writer->Wait(kWriterProbeMs)) {
            sys.Broadcast(kMsgWriterToFront);
            return false;
        }
        writer->Release();
    }

    m_wizardLock = sys.CreateNamedMutex(kWizardMutex);
    if (!m_wizardLock || !m_wizardLock->Wait(kWizardLockMs)) {
        m_wizardLock.reset();
        sys.Broadcast(kMsgWizardToFront);
        return false;
    }

    if (!m_services.common.CheckZLXPlay()) {
        m_services.messages.Show(IDS_PLAYER_MISSING, MsgIcon::Error, MsgButtons::Ok);
        return false;
    }

    LoadLanguageResources();
    AppName = m_services.languages.LoadText(IDS_APP_NAME);
    m_services.messages.SetCaption(AppName);
    HelpFilePath = Settings.HomePath + "Language\\" + Settings.Language + "\\help\\zl5build.hlp";

    if (!ConfigurationWritable()) {
        m_services.messages.Show(IDS_NO_CONFIG_WRITE_ACCESS, MsgIcon::Error, MsgButtons::Ok);
        return false;
    }

    m_job = std::make_unique<CBuildJob>(m_services.store, m_services.registry);
    std::unique_ptr<IWizardSheet> sheet = m_services.sheets.Create(IDS_SHEET_CAPTION);

    switch (ReadStoreNumber(m_services.store, "ZLXBuildEditor", 2, 0)) {
    case 1:
        m_runMode = kRunDriveBuild;
        break;
    case 2:
        m_runMode = kRunEditorWizard;
        break;
    case 3:
        m_runMode = kRunEditorBuild;
        break;
    default:
        m_runMode = kRunWizard;
        break;
    }
    m_startedByEditor = m_runMode != kRunWizard;
    EditorWizard = m_runMode == kRunEditorWizard;
    EditorBuild = m_runMode == kRunEditorBuild;

    if (m_runMode == kRunEditorBuild) {
        m_job->LoadEditorValues(false);
        StartWriter();
    } else if (WaitForSourceDisc(EditorWizard)) {
        const int startPage = ChooseStartPage(commandLine);
        if (m_runMode != kRunDriveBuild && sheet) {
            // A sheet that could not even be shown leaves the editor's hand-over alone.
            const SheetResult result = sheet->ShowModal(startPage);
            if (result == SheetResult::Cancelled && m_startedByEditor) {
                sys.Broadcast(kMsgEditorBuildDone);
                ClearEditorHandover();
            }
        }
    }

    sheet.reset();
    m_job.reset();
    return false;
}

int CZlxbuildApp::ChooseStartPage(const std::string& commandLine) {
    if (m_runMode == kRunEditorWizard) {
        m_job->LoadEditorValues(true);
        return 1;
    }
    if (!commandLine.empty())
        return PrepareStartDrive(commandLine[0]);
    if (auto drive = ReadStoreText(m_services.store, "ZLXBuildSourceCDDrive", 2)) {
        const char letter = drive->empty() ? '\0' : (*drive)[0];
        if (m_runMode == kRunDriveBuild) {
            m_services.analysis.Analyse(*m_job, BuildSettings, letter, kCdTypeUnknown);
            StartWriter();
            return 0;
        }
        return PrepareStartDrive(letter);
    }
    const std::string ready = FindReadyDrives();
    return ready.size() == 1 ? PrepareStartDrive(ready[0]) : 0;
}

bool CZlxbuildApp::Accepted(const std::string& configFile) {
    // Only tested for write access here; the product's other programs own its contents.
    return m_services.system.FileExists(configFile) &&
           m_services.common.CheckWriteAccess(configFile) != 5;
}

bool CZlxbuildApp::ConfigurationWritable() {
    std::string installPath;
    m_services.common.GetInstallPath(installPath);
    auto disabled = ReadStoreText(m_services.store, "ZlxDisabelUseOfLoacalImages", 260);
    const bool localDisabled = disabled && !disabled->empty() && (*disabled)[0] == '1';
    if (!localDisabled && Accepted(installPath + "system\\zlximg.dat"))
        return true;
    auto netPath = ReadStoreText(m_services.store, "ZlxConfigPathNet", 260);
    return netPath && Accepted(*netPath + "zlximg.dat");
}

int CZlxbuildApp::ExitInstance() {
    m_services.discInfo.ReleaseInterface();
    if (m_languageLoaded) {
        m_services.languages.Release();
        m_languageLoaded = false;
    }
    if (m_wizardLock) {
        m_wizardLock->Release();
        m_wizardLock.reset();
    }
    return 0;
}

void CZlxbuildApp::StartWriter() {
    m_job->WriteToStore();
    const std::string path = Settings.HomePath + "system\\zl5write.exe";
    if (m_services.system.StartProgram(path) < 32)
        m_services.messages.Show(IDS_CANNOT_START_WRITER, MsgIcon::Error, MsgButtons::Ok, path);
}

void CZlxbuildApp::LoadLanguageResources() {
    const std::string& language = Settings.Language;
    if (language.empty())
        return;
    const std::string path =
        Settings.HomePath + "Language\\" + language + "\\Res\\zl5build." + language;
    if (!m_services.system.FileExists(path) || !m_services.languages.Load(path))
        return;
    m_languageLoaded = true;
    int version = 0;
    if (!m_services.languages.Version(version))
        return;
    if (version == kLanguageModuleVersion)
        m_services.languages.Activate();
    else
        m_services.messages.Show(IDS_LANGUAGE_WRONG_VERSION, MsgIcon::Information, MsgButtons::Ok);
}

int CZlxbuildApp::WaitForSourceDisc(int noDiscNeeded) {
    if (noDiscNeeded)
        return noDiscNeeded;
    for (;;) {
        if (!ReadySourceDrives(m_services.drives, m_services.common,
                               BuildSettings.AcceptVirtualDrives, 30, true)
                 .empty())
            return 1;
        if (m_services.messages.Show(IDS_INSERT_SOURCE_CD, MsgIcon::Question,
                                     MsgButtons::OkCancel) != kAnswerOk)
            return 0;
    }
}

std::string CZlxbuildApp::FindReadyDrives() {
    return ReadySourceDrives(m_services.drives, m_services.common,
                             BuildSettings.AcceptVirtualDrives, 3, false);
}

int CZlxbuildApp::PrepareStartDrive(char letter) {
    IDriveLibrary& drives = m_services.drives;
    if (!drives.OpenDrive(letter)) {
        m_services.messages.Show(IDS_SOURCE_READ_ERROR, MsgIcon::Error, MsgButtons::Ok);
        return 0;
    }
    const int tocRead = BuildSettings.UseErrorCorrectedToc
                            ? drives.GetTocEC(letter, &m_job->Toc, 30)
                            : drives.GetToc(letter, &m_job->Toc, 30);
    std::string displayName;
    if (!tocRead || !m_services.shellDrives.DisplayName(letter, displayName)) {
        drives.CloseDrive(letter);
        return 0;
    }
    const std::string label = LabelFromDisplayName(displayName);
    m_services.analysis.Analyse(*m_job, BuildSettings, letter, kCdTypeUnknown);
    m_job->SourceDiscName = label;
    m_job->Label = label;

    // Discs that need raw reading start on the source page when this drive cannot do it.
    const int page = KindNeedsRawRead(m_job->CdType) && !m_job->RawDataReadable ? 0 : 1;
    drives.CloseDrive(letter);
    return page;
}

void CZlxbuildApp::ClearEditorHandover() {
    IEnvStore& store = m_services.store;
    const long tracks = ReadStoreNumber(store, "ZlxBuildEditorNoT", 20, 0);
    for (const char* name : {"ZLXBuildEditor", "ZlxBuildEditorData", "ZlxBuildEditorNoT",
                             "ZLXDefinitionFile", "CDETotalSectors", "CDE_NumberCDs"})
        store.WriteText(name, "");
    // Bounded, so a corrupt track count cannot keep the wizard busy for hours.
    for (long k = 1; k <= tracks && k <= kMaxEditorTracks; ++k)
        store.WriteText(Formatted("CDESectorsTrack%d", static_cast<int>(k)).c_str(), "");
    for (int i = 1; ReadStoreText(store, Formatted("CDE%d_Drive", i).c_str(), 20); ++i) {
        for (const char* format : {"CDE%d_Drive", "CDE%d_ID", "CDE%d_TOC", "CDE%d_TrackOrder"})
            store.WriteText(Formatted(format, i).c_str(), "");
        for (int k = 1; k <= kMaxTrackNames; ++k)
            store.WriteText(Formatted("CDE%d_TrackName%d", i, k).c_str(), "");
    }
    for (int j = 1; ReadStoreText(store, Formatted("CDE_PreSource%d", j).c_str(), 260); ++j)
        for (const char* format : {"CDE_PreSource%d", "CDE_PreDest%d", "CDE_PreSize%d"})
            store.WriteText(Formatted(format, j).c_str(), "");
}
