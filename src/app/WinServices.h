#pragma once
// The Win32 side of the services start-up uses.
#include "app/AppServices.h"

#include <windows.h>

class CWinMessages : public IMessages {
public:
    int Show(int stringId, MsgIcon icon, MsgButtons buttons, const std::string& argument) override;
    int ShowArgs(int stringId, MsgIcon icon, MsgButtons buttons,
                 const std::vector<std::string>& arguments) override;
    void SetCaption(const std::string& caption) override { m_caption = caption; }

private:
    std::string m_caption = "zl5build";
};

class CWinSystem : public ISystem {
public:
    std::unique_ptr<INamedMutex> CreateNamedMutex(const char* name) override;
    void Broadcast(const char* registeredMessage) override;
    int StartProgram(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    int RunCommandLine(const std::string& commandLine) override;
};

class CWinCommonLibrary : public ICommonLibrary {
public:
    int CheckZLXPlay() override;
    bool GetInstallPath(std::string& path) override;
    int CheckWriteAccess(const std::string& path) override;
    int IsAnalogAudio(char letter) override;
};

class CWinLanguageModules : public ILanguageModules {
public:
    ~CWinLanguageModules() override { Release(); }
    bool Load(const std::string& path) override;
    bool Version(int& version) override;
    void Activate() override;
    void Release() override;
    std::string LoadText(int id) override;

private:
    HMODULE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
    bool m_active = false;
};

class CWinShellDrives : public IShellDrives {
public:
    bool DisplayName(char letter, std::string& name) override;
};

// The product's disc information library (ZLXCDDB.dll).
class CWinDiscInfoLibrary : public IDiscInfoLibrary {
public:
    void Init(void* window) override;
    int IsLocked() override;
    int GetCDInfoFromToc(const _CDROM_TOC& toc, int flags) override;
    int GetCDInfo(const char* drive) override;
    int GetCompilation() override;
    int GetNumberOfTracks() override;
    int GetAlbumText(AlbumField field, char* buffer, int size) override;
    int GetTrackText(int track, TrackField field, char* buffer, int size) override;
    int DisplayDiskInfo(int mode) override;
    void SubmitDisc() override;
    void InvokeSubmitDisc(const char* drive) override;
    void ShowInfoBrowser(void* owner) override;
    void InvokeOptionsDialog() override;
    void InvokeAboutDlg() override;
    void ReleaseInterface() override;
};
