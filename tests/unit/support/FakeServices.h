#pragma once
// Scripted stand-ins for every service start-up uses.
#include "app/AppServices.h"
#include "app/BuildJob.h"
#include "settings/MemoryEnvStore.h"
#include "support/FakeDriveLibrary.h"

#include <cstring>
#include <deque>
#include <functional>
#include <set>

struct ShownMessage {
    int id;
    MsgIcon icon;
    MsgButtons buttons;
    std::string argument;
};

class CFakeMessages : public IMessages {
public:
    // Answers from `answers` in turn, then Cancel.
    int Show(int id, MsgIcon icon, MsgButtons buttons, const std::string& argument) override {
        shown.push_back({id, icon, buttons, argument});
        const int answer = answers.empty() ? kAnswerCancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    void SetCaption(const std::string& text) override { caption = text; }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const auto& m : shown)
            ids.push_back(m.id);
        return ids;
    }
    std::vector<ShownMessage> shown;
    std::deque<int> answers;
    std::string caption;
};

class CFakeSystem : public ISystem {
public:
    struct Mutex : INamedMutex {
        CFakeSystem& sys;
        std::string name;
        Mutex(CFakeSystem& s, std::string n) : sys(s), name(std::move(n)) {}
        bool Wait(unsigned ms) override {
            sys.waits.push_back(name + ":" + std::to_string(ms));
            return !sys.heldElsewhere.count(name);
        }
        void Release() override { sys.released.push_back(name); }
    };
    std::unique_ptr<INamedMutex> CreateNamedMutex(const char* name) override {
        return std::make_unique<Mutex>(*this, name);
    }
    void Broadcast(const char* message) override { broadcasts.push_back(message); }
    int StartProgram(const std::string& path) override {
        started.push_back(path);
        return startResult;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }

    std::set<std::string> heldElsewhere, files;
    std::vector<std::string> waits, released, broadcasts, started;
    int startResult = 42;
};

class CFakeCommon : public ICommonLibrary {
public:
    int CheckZLXPlay() override { return player; }
    bool GetInstallPath(std::string& path) override {
        path = installPath;
        return true;
    }
    int CheckWriteAccess(const std::string& path) override { return readOnly.count(path) ? 5 : 0; }
    int IsAnalogAudio(char letter) override { return analog.find(letter) != std::string::npos; }
    int player = 1;
    std::string installPath = "C:\\Zelvane\\";
    std::set<std::string> readOnly;
    std::string analog;
};

class CFakeLanguages : public ILanguageModules {
public:
    bool Load(const std::string& path) override {
        loaded = path;
        return loads;
    }
    bool Version(int& v) override {
        v = version;
        return hasVersion;
    }
    void Activate() override { active = true; }
    void Release() override { released = true; }
    std::string LoadText(int id) override { return (active ? "lang:" : "") + std::to_string(id); }
    bool loads = true, hasVersion = true, active = false, released = false;
    int version = 6;
    std::string loaded;
};

class CFakeShellDrives : public IShellDrives {
public:
    bool DisplayName(char letter, std::string& name) override {
        const auto it = names.find(letter);
        if (it != names.end())
            name = it->second;
        return it != names.end();
    }
    std::map<char, std::string> names;
};

// A disc information library that knows one disc, found by table of contents or drive.
// Getters answer as the library does: bytes needed with the zero, -1 for no text.
class CFakeDiscInfo : public IDiscInfoLibrary {
public:
    void Init(void* window) override { calls.push_back(window ? "Init(window)" : "Init"); }
    int IsLocked() override { return locked; }
    int GetCDInfoFromToc(const _CDROM_TOC&, int flags) override {
        calls.push_back("FromToc(" + std::to_string(flags) + ")");
        return found;
    }
    int GetCDInfo(const char* drive) override {
        calls.push_back(std::string("CDInfo(") + drive + ")");
        return found;
    }
    int GetCompilation() override { return compilation; }
    int GetNumberOfTracks() override { return static_cast<int>(trackTitles.size()); }
    int GetAlbumText(AlbumField field, char* buffer, int size) override {
        const auto it = album.find(field);
        return it == album.end() ? -1 : Answer(it->second, buffer, size);
    }
    int GetTrackText(int track, TrackField field, char* buffer, int size) override {
        if (field != TrackField::Title || track < 1 ||
            static_cast<size_t>(track) > trackTitles.size())
            return -1;
        return Answer(trackTitles[static_cast<size_t>(track - 1)], buffer, size);
    }
    int DisplayDiskInfo(int mode) override { return mode == 2 ? 0x500 : 0; }
    void SubmitDisc() override {}
    void InvokeSubmitDisc(const char*) override {}
    void ShowInfoBrowser(void*) override {}
    void InvokeOptionsDialog() override {}
    void InvokeAboutDlg() override {}
    void ReleaseInterface() override { ++releases; }

    static int Answer(const std::string& text, char* buffer, int size) {
        const int needed = static_cast<int>(text.size()) + 1;
        if (needed <= size)
            std::memcpy(buffer, text.c_str(), static_cast<size_t>(needed));
        return needed;
    }

    int locked = 0, found = 1, compilation = 0, releases = 0;
    std::map<AlbumField, std::string> album;
    std::vector<std::string> trackTitles;
    std::vector<std::string> calls;
};

// Sets what a real analysis would find for each drive.
class CFakeAnalysis : public ISourceAnalysis {
public:
    bool Analyse(CBuildJob& job, const CZlxBuildSettings&, char letter, uint16_t code) override {
        analysed += letter;
        lastCode = code;
        job.Reset();
        job.SourceDrive = letter;
        job.CdType = kinds.count(letter) ? kinds[letter] : 2;
        job.RawDataReadable = rawReadable.find(letter) != std::string::npos;
        return failing.find(letter) == std::string::npos;
    }
    std::string analysed, failing, rawReadable;
    uint16_t lastCode = 0;
    std::map<char, uint16_t> kinds;
};

class CFakeSheets : public IWizardSheetFactory {
public:
    struct Sheet : IWizardSheet {
        CFakeSheets& owner;
        explicit Sheet(CFakeSheets& o) : owner(o) {}
        SheetResult ShowModal(int startPage) override {
            owner.shownAt.push_back(startPage);
            if (owner.onShow)
                owner.onShow();
            return owner.result;
        }
    };
    std::unique_ptr<IWizardSheet> Create(int) override { return std::make_unique<Sheet>(*this); }
    std::vector<int> shownAt;
    std::function<void()> onShow;
    SheetResult result = SheetResult::Cancelled;
};

struct FakeServices {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CFakeUserFolders folders;
    CFakeMessages messages;
    CFakeSystem system;
    CFakeCommon common;
    CFakeLanguages languages;
    CFakeDriveLibrary drives;
    CFakeShellDrives shellDrives;
    CFakeDiscInfo discInfo;
    CFakeAnalysis analysis;
    CFakeSheets sheets;
    CNoWorkInfo workInfo;
    AppServices services{store,  registry,    folders,  messages, system, common,  languages,
                         drives, shellDrives, discInfo, analysis, sheets, workInfo};

    // An installed product with all its paths set.
    void InstallProduct() {
        store.Set("ZlxHomePath", "C:\\Zelvane\\");
        for (const char* p : {"ZlxImagePath", "CddbPath", "ZlxZQCPath", "ZlxScriptPath"})
            store.Set(p, "C:\\Data\\");
        system.files.insert("C:\\Zelvane\\system\\zlximg.dat");
    }
};
