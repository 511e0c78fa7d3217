#include "app/WinServices.h"

#include "toolkit/FileSystem.h"
#include "toolkit/ResourceModule.h"
#include "ZLXCDDB.h"
#include "zl5comm.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {
UINT IconFlag(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Error:
        return MB_ICONSTOP;
    case MsgIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MsgIcon::Information:
        return MB_ICONINFORMATION;
    case MsgIcon::Question:
        return MB_ICONQUESTION;
    }
    return 0;
}

UINT ButtonFlag(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MB_OK;
    case MsgButtons::OkCancel:
        return MB_OKCANCEL;
    case MsgButtons::YesNo:
        return MB_YESNO;
    case MsgButtons::RetryCancel:
        return MB_RETRYCANCEL;
    }
    return MB_OK;
}

class CWinNamedMutex : public INamedMutex {
public:
    explicit CWinNamedMutex(HANDLE handle) : m_handle(handle) {}
    ~CWinNamedMutex() override { CloseHandle(m_handle); }
    CWinNamedMutex(const CWinNamedMutex&) = delete;
    CWinNamedMutex& operator=(const CWinNamedMutex&) = delete;
    bool Wait(unsigned milliseconds) override {
        DWORD r = WaitForSingleObject(m_handle, milliseconds);
        // An abandoned lock (its owner crashed) is ours now.
        return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
    void Release() override { ReleaseMutex(m_handle); }

private:
    HANDLE m_handle;
};
} // namespace

int CWinMessages::Show(int stringId, MsgIcon icon, MsgButtons buttons,
                       const std::string& argument) {
    return ShowArgs(stringId, icon, buttons, {argument});
}

int CWinMessages::ShowArgs(int stringId, MsgIcon icon, MsgButtons buttons,
                           const std::vector<std::string>& arguments) {
    const std::string text = FormatText(LoadResourceString(stringId), arguments);
    return MessageBoxA(GetActiveWindow(), text.c_str(), m_caption.c_str(),
                       IconFlag(icon) | ButtonFlag(buttons) | MB_SETFOREGROUND);
}

int CWinSystem::RunCommandLine(const std::string& commandLine) {
    return static_cast<int>(WinExec(commandLine.c_str(), SW_SHOWNORMAL));
}

std::unique_ptr<INamedMutex> CWinSystem::CreateNamedMutex(const char* name) {
    HANDLE handle = CreateMutexA(nullptr, TRUE, name);
    if (!handle)
        return nullptr;
    return std::make_unique<CWinNamedMutex>(handle);
}

void CWinSystem::Broadcast(const char* registeredMessage) {
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(registeredMessage), 0, 0);
}

int CWinSystem::StartProgram(const std::string& path) {
    HINSTANCE result =
        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool CWinSystem::FileExists(const std::string& path) {
    return FileSystem::FileExists(path);
}

int CWinCommonLibrary::CheckZLXPlay() {
    return ZLXCheckZLXPlay();
}

bool CWinCommonLibrary::GetInstallPath(std::string& path) {
    char buffer[MAX_PATH] = {};
    if (!ZLXGetInstallPath(buffer, sizeof buffer))
        return false;
    buffer[MAX_PATH - 1] = '\0';
    path = buffer;
    return true;
}

int CWinCommonLibrary::CheckWriteAccess(const std::string& path) {
    return ZLXCheckAccessFile(path.c_str(), GENERIC_WRITE);
}

int CWinCommonLibrary::IsAnalogAudio(char letter) {
    return ZLXIsAnalogAudio(letter);
}

bool CWinLanguageModules::Load(const std::string& path) {
    Release();
    m_module = LoadLibraryA(path.c_str());
    return m_module != nullptr;
}

bool CWinLanguageModules::Version(int& version) {
    auto getVersion = ProcAs<int(__cdecl*)()>(GetProcAddress(m_module, "GetLGVersion"));
    if (!getVersion)
        return false;
    version = getVersion();
    return true;
}

void CWinLanguageModules::Activate() {
    m_previous = ResourceModule();
    SetResourceModule(m_module);
    m_active = true;
}

void CWinLanguageModules::Release() {
    if (m_active)
        SetResourceModule(m_previous);
    m_active = false;
    if (m_module)
        FreeLibrary(m_module);
    m_module = nullptr;
}

std::string CWinLanguageModules::LoadText(int id) {
    return LoadResourceString(id);
}

bool CWinShellDrives::DisplayName(char letter, std::string& name) {
    char root[4] = {letter, ':', '\\', '\0'};
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_DISPLAYNAME))
        return false;
    name = info.szDisplayName;
    return true;
}

void CWinDiscInfoLibrary::Init(void* window) {
    ZLXCDDBInit(window);
}

int CWinDiscInfoLibrary::IsLocked() {
    return ZLXCDDBIsLocked();
}

int CWinDiscInfoLibrary::GetCDInfoFromToc(const _CDROM_TOC& toc, int flags) {
    return ZLXCDDBGetCDInfoFromToc(&toc, flags);
}

int CWinDiscInfoLibrary::GetCDInfo(const char* drive) {
    return ZLXCDDBGetCDInfo(drive);
}

int CWinDiscInfoLibrary::GetCompilation() {
    return ZLXCDDBGetCompilation();
}

int CWinDiscInfoLibrary::GetNumberOfTracks() {
    return ZLXCDDBGetNumberOfTracks();
}

int CWinDiscInfoLibrary::GetAlbumText(AlbumField field, char* buffer, int size) {
    switch (field) {
    case AlbumField::Title:
        return ZLXCDDBGetTitle(buffer, size);
    case AlbumField::Artist:
        return ZLXCDDBGetArtist(buffer, size);
    case AlbumField::Year:
        return ZLXCDDBGetYear(buffer, size);
    case AlbumField::Label:
        return ZLXCDDBGetLabel(buffer, size);
    case AlbumField::GenreId:
        return ZLXCDDBGetGenreID(buffer, size);
    case AlbumField::SecondaryGenreId:
        return ZLXCDDBGetSecondaryGenreID(buffer, size);
    case AlbumField::TotalInSet:
        return ZLXCDDBGetTotalInSet(buffer, size);
    case AlbumField::NumberInSet:
        return ZLXCDDBGetNumberInSet(buffer, size);
    case AlbumField::Notes:
        return ZLXCDDBGetNotes(buffer, size);
    }
    return -1;
}

int CWinDiscInfoLibrary::GetTrackText(int track, TrackField field, char* buffer, int size) {
    switch (field) {
    case TrackField::Artist:
        return ZLXCDDBGetTrackArtist(track, buffer, size);
    case TrackField::Year:
        return ZLXCDDBGetTrackYear(track, buffer, size);
    case TrackField::Label:
        return ZLXCDDBGetTrackLabel(track, buffer, size);
    case TrackField::Notes:
        return ZLXCDDBGetTrackNotes(track, buffer, size);
    case TrackField::GenreId:
        return ZLXCDDBGetTrackGenreID(track, buffer, size);
    case TrackField::SecondaryGenreId:
        return ZLXCDDBGetTrackSecondatyGenreID(track, buffer, size);
    case TrackField::Lyrics:
        return ZLXCDDBGetTrackLyrics(track, buffer, size);
    case TrackField::Title:
        return ZLXCDDBGetTrackTitle(track, buffer, size);
    }
    return -1;
}

int CWinDiscInfoLibrary::DisplayDiskInfo(int mode) {
    return ZLXCDDBDisplayDiskInfo(mode);
}

void CWinDiscInfoLibrary::SubmitDisc() {
    ZLXCDDBSubmitDisc();
}

void CWinDiscInfoLibrary::InvokeSubmitDisc(const char* drive) {
    ZLXCDDBInvokeSubmitDisc(drive);
}

void CWinDiscInfoLibrary::ShowInfoBrowser(void* owner) {
    ZLXCDDBShowInfoBrowser(owner);
}

void CWinDiscInfoLibrary::InvokeOptionsDialog() {
    ZLXCDDBInvokeOptionsDialog();
}

void CWinDiscInfoLibrary::InvokeAboutDlg() {
    ZLXCDDBInvokeAboutDlg();
}

void CWinDiscInfoLibrary::ReleaseInterface() {
    ZLXCDDBReleaseInterface();
}
