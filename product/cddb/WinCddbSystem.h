#pragma once
// The library's links to the rest of the product on Windows: the settings store library and
// the drive library, both loaded from the folder this library was loaded from, and the
// database files on disk.
#include "cddb/CddbService.h"
#include "common/EnvLibrary.h"

#include <windows.h>

#include <memory>

// Store values: the database folder, and the CD-Text switch ("0" off; absent or "1" on).
constexpr const char* kCddbPathValue = "CddbPath";
constexpr const char* kCddbCdTextValue = "CddbUseCdText";

class CWinDatabaseFiles : public IDatabaseFiles {
public:
    std::vector<std::string> Folders(const std::string& folder) override;
    std::vector<std::string> Files(const std::string& folder, size_t limit) override;
    bool Read(const std::string& path, std::string& bytes, size_t limit) override;
    bool Write(const std::string& folder, const std::string& name,
               const std::string& bytes) override;
};

class CWinCddbSystem : public ICddbSystem {
public:
    CWinCddbSystem() = default;
    ~CWinCddbSystem() override;
    CWinCddbSystem(const CWinCddbSystem&) = delete;
    CWinCddbSystem& operator=(const CWinCddbSystem&) = delete;

    std::string DatabaseFolder() override;
    bool UseCdText() override;
    std::string Drives() override;
    bool ReadToc(char letter, std::vector<uint8_t>& toc) override;
    std::vector<uint8_t> ReadCdText(char letter) override;

    // The options as the dialogs change them; false when the store cannot be reached.
    bool SaveOptions(const std::string& folder, bool useCdText);
    // Lets both libraries go; they are loaded again when next needed.
    void Release();

private:
    CEnvLibrary* Env();
    bool LoadDrives();

    std::unique_ptr<CEnvLibrary> m_env;
    bool m_envTried = false;
    HMODULE m_drives = nullptr;
    int(__cdecl* m_getKnownDrives)(char*, int) = nullptr;
    int(__cdecl* m_openDrive)(char) = nullptr;
    int(__cdecl* m_closeDrive)(char) = nullptr;
    int(__cdecl* m_getToc)(char, void*, int) = nullptr;
    int(__cdecl* m_getCdText)(char, unsigned char*, int, int) = nullptr;
};

// "C:\\db" -> "C:\\db\\"; "" stays "".
std::string WithBackslash(const std::string& folder);
