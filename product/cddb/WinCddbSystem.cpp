#include "cddb/WinCddbSystem.h"

#include "common/HomeFolder.h"

namespace {
constexpr int kTimeout = 30;
constexpr int kPathSize = MAX_PATH + 1;

template <typename F> void Bind(HMODULE module, const char* name, F& function) {
    function = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Drive queries on a drive without a medium must not bring up the system's error box.
class CQuietErrors {
public:
    CQuietErrors() : m_previous(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~CQuietErrors() { SetErrorMode(m_previous); }

private:
    UINT m_previous;
};

bool CreateFolderWithParents(const std::string& folder) {
    std::string path = folder;
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0 && path[cut - 1] != ':')
        CreateFolderWithParents(path.substr(0, cut));
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

template <typename Visit> void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != ".." && !visit(name, data))
            break;
    } while (FindNextFileA(find, &data));
    FindClose(find);
}
} // namespace

std::string WithBackslash(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder;
    return folder + '\\';
}

std::vector<std::string> CWinDatabaseFiles::Folders(const std::string& folder) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const std::string& name, const WIN32_FIND_DATAA& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            names.push_back(name);
        return true;
    });
    return names;
}

std::vector<std::string> CWinDatabaseFiles::Files(const std::string& folder, size_t limit) {
    std::vector<std::string> names;
    ForEachEntry(folder, [&](const std::string& name, const WIN32_FIND_DATAA& data) {
        if (names.size() >= limit)
            return false;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(name);
        return true;
    });
    return names;
}

bool CWinDatabaseFiles::Read(const std::string& path, std::string& bytes, size_t limit) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              static_cast<uint64_t>(size.QuadPart) <= limit;
    if (ok) {
        bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        ok = bytes.empty() ||
             (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) &&
              got == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

bool CWinDatabaseFiles::Write(const std::string& folder, const std::string& name,
                              const std::string& bytes) {
    if (!CreateFolderWithParents(folder))
        return false;
    // Written beside the entry first, so a failed write never leaves half an entry.
    const std::string path = folder + name, temporary = path + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    if (!ok || !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

CWinCddbSystem::~CWinCddbSystem() {
    Release();
}

void CWinCddbSystem::Release() {
    m_env.reset();
    m_envTried = false;
    if (m_drives)
        FreeLibrary(m_drives);
    m_drives = nullptr;
    m_getKnownDrives = nullptr;
    m_openDrive = m_closeDrive = nullptr;
    m_getToc = nullptr;
    m_getCdText = nullptr;
}

CEnvLibrary* CWinCddbSystem::Env() {
    if (!m_envTried) {
        m_envTried = true;
        std::unique_ptr<CEnvLibrary> env(new CEnvLibrary);
        if (env->Load(FolderOf(ModuleFilePath(ThisModule())) + "ZL5Env.dll"))
            m_env = std::move(env);
    }
    return m_env.get();
}

std::string CWinCddbSystem::DatabaseFolder() {
    std::string folder;
    CEnvLibrary* env = Env();
    if (!env || !env->ReadText(kCddbPathValue, folder, kPathSize))
        return "";
    return WithBackslash(folder);
}

bool CWinCddbSystem::UseCdText() {
    std::string value;
    CEnvLibrary* env = Env();
    return !env || !env->ReadText(kCddbCdTextValue, value, 8) || value.empty() || value[0] != '0';
}

bool CWinCddbSystem::SaveOptions(const std::string& folder, bool useCdText) {
    CEnvLibrary* env = Env();
    if (!env)
        return false;
    env->WriteText(kCddbPathValue, WithBackslash(folder).c_str());
    env->WriteText(kCddbCdTextValue, useCdText ? "1" : "0");
    return true;
}

bool CWinCddbSystem::LoadDrives() {
    if (m_drives)
        return m_getToc != nullptr;
    m_drives = LoadLibraryA((FolderOf(ModuleFilePath(ThisModule())) + "ZL5Scsi.dll").c_str());
    if (!m_drives)
        return false;
    Bind(m_drives, "ZLXScsiGetKnownDrives", m_getKnownDrives);
    Bind(m_drives, "ZLXScsiOpenDrive", m_openDrive);
    Bind(m_drives, "ZLXScsiCloseDrive", m_closeDrive);
    Bind(m_drives, "ZLXScsiGetToc", m_getToc);
    Bind(m_drives, "ZLXScsiGetCDText", m_getCdText);
    return m_getToc != nullptr;
}

std::string CWinCddbSystem::Drives() {
    char letters[28] = {};
    if (!LoadDrives() || !m_getKnownDrives || m_getKnownDrives(letters, sizeof(letters)) <= 0)
        return "";
    letters[sizeof(letters) - 1] = '\0';
    return letters;
}

bool CWinCddbSystem::ReadToc(char letter, std::vector<uint8_t>& toc) {
    if (!LoadDrives())
        return false;
    CQuietErrors quiet;
    const bool opened = m_openDrive && m_openDrive(letter);
    toc.assign(kRawTocSize, 0);
    const bool ok = m_getToc(letter, toc.data(), kTimeout) != 0;
    if (opened && m_closeDrive)
        m_closeDrive(letter);
    return ok;
}

std::vector<uint8_t> CWinCddbSystem::ReadCdText(char letter) {
    std::vector<uint8_t> answer;
    if (!LoadDrives() || !m_getCdText)
        return answer;
    CQuietErrors quiet;
    // A disc's lead-in holds at most 8 blocks of 256 packs; larger answers are not CD-Text.
    constexpr int kLargest = 4 + 8 * 256 * 18;
    const int size = m_getCdText(letter, nullptr, 0, kTimeout);
    if (size <= 4 || size > kLargest)
        return answer;
    answer.assign(static_cast<size_t>(size), 0);
    const int got = m_getCdText(letter, answer.data(), size, kTimeout);
    if (got != size)
        answer.clear();
    return answer;
}
