#pragma once
// The program's entry: single instance, product checks, language, run mode, and either
// the wizard or a direct hand-off to the writer program.
#include "app/AppServices.h"
#include "app/BuildJob.h"
#include "app/PageContext.h"
#include "settings/ZlxBuildSettings.h"
#include "settings/ZlxSettings.h"

#include <memory>
#include <string>

enum RunMode { kRunWizard = 0, kRunDriveBuild = 1, kRunEditorWizard = 2, kRunEditorBuild = 3 };

constexpr const char* kWriterMutex = "ZL5_BUILD_WRITER";
constexpr const char* kWizardMutex = "ZL5_BUILD_WIZARD";
constexpr const char* kMsgWizardToFront = "WM_ZL5_IMAGE_WIZARD_TO_FRONT";
constexpr const char* kMsgWriterToFront = "WM_ZL5_IMAGE_WRITER_TO_FRONT";
constexpr const char* kMsgEditorBuildDone = "WM_EDITOR5_BUILD_DONE";
constexpr unsigned kWriterProbeMs = 2000;
constexpr unsigned kWizardLockMs = 4000;
constexpr int kLanguageModuleVersion = 6;
constexpr uint16_t kCdTypeUnknown = 65535;

class CZlxbuildApp {
public:
    explicit CZlxbuildApp(AppServices& services);
    ~CZlxbuildApp();
    CZlxbuildApp(const CZlxbuildApp&) = delete;
    CZlxbuildApp& operator=(const CZlxbuildApp&) = delete;

    // The whole start-up; false in every case, so the program ends afterwards.
    bool InitInstance(const std::string& commandLine);
    int ExitInstance();

    void StartWriter();
    void LoadLanguageResources();
    int WaitForSourceDisc(int noDiscNeeded);
    std::string FindReadyDrives();
    int PrepareStartDrive(char letter);
    void ClearEditorHandover();

    // The application of the running program, for the pages.
    static CZlxbuildApp* Current();

    AppServices& Services() { return m_services; }
    // What a page of the sheet that owns `slots` is created with.
    PageContext PageContextFor(CPageSlots& slots);
    CBuildJob* Job() { return m_job.get(); }
    int RunModeValue() const { return m_runMode; }

    CZlxSettings Settings;
    CZlxBuildSettings BuildSettings;
    int EditorWizard = 0;
    int EditorBuild = 0;
    std::string AppName;
    std::string HelpFilePath;

private:
    bool ConfigurationWritable();
    bool Accepted(const std::string& configFile);
    int ChooseStartPage(const std::string& commandLine);

    AppServices& m_services;
    std::unique_ptr<CBuildJob> m_job;
    std::unique_ptr<INamedMutex> m_wizardLock;
    bool m_languageLoaded = false;
    int m_runMode = kRunWizard;
    bool m_startedByEditor = false;
};
