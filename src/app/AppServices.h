#pragma once
// Everything start-up reaches outside the program goes through these interfaces,
// so the whole start-up can run in tests with scripted answers.
#include "app/Messages.h"
#include "discinfo/DiscInfoLibrary.h"
#include "settings/EnvStore.h"
#include "settings/Registry.h"
#include "settings/UserFolders.h"
#include "source/CommonLibrary.h"
#include "source/DriveLibrary.h"
#include "source/DriveList.h"
#include "source/ShellDrives.h"
#include "source/WorkInfo.h"

#include <memory>
#include <string>

class INamedMutex {
public:
    virtual ~INamedMutex() = default;
    // True when the mutex was obtained within the time.
    virtual bool Wait(unsigned milliseconds) = 0;
    virtual void Release() = 0;
};

class ISystem {
public:
    virtual ~ISystem() = default;
    // Creates or opens the named mutex, asking for initial ownership.
    virtual std::unique_ptr<INamedMutex> CreateNamedMutex(const char* name) = 0;
    // Posts the registered message to every top-level window.
    virtual void Broadcast(const char* registeredMessage) = 0;
    // Starts a program with the show-normal state; results below 32 are failures.
    virtual int StartProgram(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // Runs a command line (program and arguments), shown normally; below 32 is failure.
    virtual int RunCommandLine(const std::string& commandLine) { return StartProgram(commandLine); }
};

// Language resource modules: once activated, strings and dialogs come from the module.
class ILanguageModules {
public:
    virtual ~ILanguageModules() = default;
    virtual bool Load(const std::string& path) = 0;
    // False when the module has no version export.
    virtual bool Version(int& version) = 0;
    virtual void Activate() = 0;
    // Restores the program's own resources and frees the module (if one was loaded).
    virtual void Release() = 0;
    virtual std::string LoadText(int id) = 0;
};

class CBuildJob;
class CZlxBuildSettings;
// The source disc analysis; fills the job for the drive. True on success.
class ISourceAnalysis {
public:
    virtual ~ISourceAnalysis() = default;
    virtual bool Analyse(CBuildJob& job, const CZlxBuildSettings& settings, char letter,
                         uint16_t cdTypeCode) = 0;
};

// How the modal wizard ended. A sheet that could not be shown at all was not cancelled
// by anyone.
enum class SheetResult { Finished, Cancelled, Failed };

// The wizard sheet as start-up drives it.
class IWizardSheet {
public:
    virtual ~IWizardSheet() = default;
    // Adds all pages and shows the sheet modally.
    virtual SheetResult ShowModal(int startPage) = 0;
};

class IWizardSheetFactory {
public:
    virtual ~IWizardSheetFactory() = default;
    virtual std::unique_ptr<IWizardSheet> Create(int captionStringId) = 0;
};

struct AppServices {
    IEnvStore& store;
    IRegistry& registry;
    IUserFolders& folders;
    IMessages& messages;
    ISystem& system;
    ICommonLibrary& common;
    ILanguageModules& languages;
    IDriveLibrary& drives;
    IShellDrives& shellDrives;
    IDiscInfoLibrary& discInfo;
    ISourceAnalysis& analysis;
    IWizardSheetFactory& sheets;
    IWorkInfo& workInfo;
    // Album title and artist for the source drive list; none: the list shows disc kinds.
    IAlbumTitles* albumTitles = nullptr;
};
