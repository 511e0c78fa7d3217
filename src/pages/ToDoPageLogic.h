#pragma once
// The copy method page's rules, without a window: which copy methods a disc is offered,
// what the page shows, which buttons it offers, where the image goes by default, and
// which pages follow. The Win32 page binds its controls to CToDoPageModel's view.
#include "app/PageContext.h"
#include "app/Texts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Copy method presets: the list entries' item data. 2 is not used.
enum PresetCode {
    kPresetNormal = 0,
    kPresetAdvanced = 1,
    kPresetUnwritten = 3,
    kPresetQuickCopy = 4,
    kPresetEditor = 5,
};

// Wizard buttons, with the values of the platform's set-wizard-buttons mask.
enum WizardButton { kWizBack = 1, kWizNext = 2, kWizFinish = 4 };

// The Quick Copy side of the page: the search and the loading of the chosen file's
// options, both operations of the job.
class IQuickCopyAccess {
public:
    virtual ~IQuickCopyAccess() = default;
    // 0: first match only; 2: all matches, with the selection dialog.
    virtual void Find(CBuildJob& job, int mode) = 0;
    virtual void Load(CBuildJob& job) = 0;
};

// The folders and drives the default image name and the space check ask about.
class IFolderQuery {
public:
    virtual ~IFolderQuery() = default;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // Without a trailing backslash, as the system reports it.
    virtual std::string CurrentDirectory() = 0;
    // Bytes free for the user on the drive or share of `path`; false when unknown.
    virtual bool FreeBytes(const std::string& path, uint64_t& bytes) = 0;
};

struct PresetList {
    std::vector<int> codes;
    int defaultCode = kPresetNormal;
};

// The presets a disc is offered and the one chosen for it, before Quick Copy files.
PresetList PresetsForDisc(uint16_t cdType);
// Whether the user may change the image's label of an analysed disc.
bool LabelEditable(const CZlxBuildSettings& settings, uint16_t cdType);
// The page's wizard buttons.
int ToDoButtons(bool expert, bool editorMode, bool spaceShort);

// `ZLXBuildDestinationFile` from the page's description: see the rules in the .cpp.
struct ImageNameInputs {
    std::string description;
    std::string imageFolder; // the global image folder, a prefix; may be empty
    bool editorMode = false;
    std::string unknownText; // "Unknown"
};
std::string MakeDefaultImageName(const CBuildJob& job, const ImageNameInputs& inputs,
                                 IFolderQuery& folders);
// The drive or share root that holds `path`: "C:\" or "\\server\share\"; empty otherwise.
std::string PathRoot(const std::string& path);

// Which pages follow the copy method page, or the message that keeps the user on it.
struct SlotPlan {
    int messageId = 0; // non-zero: show it and stay
    bool clearTrackOrder = false;
    std::vector<int> remove; // in this order
    std::vector<int> add;    // in this order
};
SlotPlan ToDoNextPlan(const CBuildJob& job, bool editorMode, bool expert, bool spaceShort);

// What the page shows; the Win32 page reads it into and writes it from its controls.
struct ToDoView {
    std::vector<int> presets; // list entries by preset code
    int selected = -1;        // list position
    std::string sourceText;   // "E:" or "Editor"
    std::string label;
    std::string description;
    std::string quickCopyText;
    std::string resultText;
    bool labelEnabled = false;
    bool expert = false;
    bool editorMode = false; // editor icon, no Explorer, no Quick Copy browsing
};

class CToDoPageModel {
public:
    using TextById = std::function<std::string(int)>;
    CToDoPageModel(const PageContext& context, IQuickCopyAccess& quickCopy, IFolderQuery& folders,
                   TextById text);

    static constexpr int kMaxLabel = 32;
    static constexpr int kMaxDescription = 127;

    ToDoView& View() { return m_view; }
    int Buttons() const { return m_buttons; }
    bool Filled() const { return m_filled; }
    bool SpaceShort() const { return m_spaceShort; }

    void Initialised() { m_initialised = true; }
    // The page becomes active: buttons (returned) and, the first time for a disc, the fill.
    int Activate();
    // The list's selection changed (the view's `selected`).
    void PresetChanged();
    // "...": the Quick Copy files of this disc, with the selection dialog.
    void BrowseQuickCopy();
    // "Explorer...": false when the shell could not be started (the message was shown).
    bool StartExplorer();
    // The expert check box changed (the view's `expert`); returns the new buttons.
    int ToggleExpert();
    // The page's choices into the job.
    void StoreValues();
    // False: the page stays (the message was shown).
    bool Next();
    void Back() { m_filled = false; }
    void Finish();

private:
    void Fill();
    void FillFromAnalysis();
    void FillForEditor();
    void ShowQuickCopyText(int code);
    int SelectedCode() const;
    void CheckSpace();
    ImageNameInputs NameInputs() const;

    PageContext m_context;
    IQuickCopyAccess& m_quickCopy;
    IFolderQuery& m_folders;
    TextById m_text;
    ToDoView m_view;
    int m_buttons = kWizBack | kWizNext;
    bool m_filled = false;
    bool m_refillAllowed = true;
    bool m_initialised = false;
    bool m_spaceShort = false;
};
