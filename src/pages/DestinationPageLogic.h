#pragma once
// The destination page's rules, without a window: where the image goes, how strongly it
// is compressed, the space it needs against the space the target drive has, and the
// checks a destination must pass before the wizard moves on. The Win32 page binds its
// controls to CDestinationPageModel's view.
#include "app/PageContext.h"
#include "controls/HardDiscList.h"
#include "pages/ToDoPageLogic.h"

#include <cstdint>
#include <functional>
#include <string>

// The compression combo's entries and the job values each stands for.
struct CompressionChoice {
    int type = 0;  // 0 none, 1 the image format's own coder, 2 zlib
    int level = 0; // zlib level; 0 otherwise
};
constexpr int kCompressionEntries = 5;
// Entry `index` of the combo; entries outside the list mean no compression.
CompressionChoice CompressionForEntry(int index);
// The entry that shows the job's values; combinations not in the list show "None".
int CompressionEntry(int type, int level);

// Whether the job has anything the compression choice applies to (the compression
// controls are shown and enabled only then).
bool CompressionApplies(const CBuildJob& job, bool editorWizard, const std::string& editorData);

// The drive or share root whose space and type decide about `path`; a path without one
// lies below the current folder (given without a trailing backslash).
std::string DestinationRoot(const std::string& path, const std::string& currentFolder);
// The file name part of a path: after the last backslash, or the whole path.
std::string FileNamePart(const std::string& path);
// `path` with ".zl4" appended when its file name has no extension.
std::string CompleteImageName(const std::string& path);
// Where the file goes when it gets a folder of its own beside it, named like the file
// without its extension: "F\N.zl4" becomes "F\N\N.zl4".
std::string PathInOwnFolder(const std::string& path);

// What the file-save dialog opens with: the path's folder (with a trailing backslash,
// empty when the path has none) and its file name.
struct BrowseStart {
    std::string folder;
    std::string name;
};
BrowseStart BrowseStartOf(const std::string& path);

// What the page shows; the Win32 page reads it from and writes it to its controls.
struct DestinationView {
    std::string path;
    int viewIndex = 0; // 0 local view, 1 network view
    bool ownFolder = true;
    int compression = 0; // combo entry
    bool compressionShown = true;
    std::string freeText;
    std::string neededText;
    bool neededRed = false; // the image does not fit
    uint64_t totalMB = 0;
    uint64_t freeMB = 0;
    uint64_t neededMB = 0;
};

class CDestinationPageModel {
public:
    using TextById = std::function<std::string(int)>;
    CDestinationPageModel(const PageContext& context, IFolderQuery& folders, IDriveQuery& drives,
                          TextById text);

    static constexpr int kMaxPath = 260;

    DestinationView& View() { return m_view; }
    int Buttons() const { return m_buttons; }
    // Easy Copy Mode: this page is the last and finishes the wizard.
    bool Last() const { return m_context.buildSettings.EasyCopyMode != 0; }

    // Once, when the page's window is made: the view the image is shown in.
    void Initialise();
    // The page becomes active: everything shown again from the job; returns the buttons.
    int Activate();
    // The path field changed (the view's `path`).
    void PathChanged();
    // The file-save dialog returned `chosen`.
    void Browsed(const std::string& chosen);
    // The new-folder check box changed (the view's `ownFolder`).
    void OwnFolderChanged();
    // The compression combo changed (the view's `compression`).
    void CompressionChanged();
    // The needed space as the hard disk information shows it.
    const std::string& NeededText() const { return m_view.neededText; }

    // Next and Finish: false when a check failed (its message was shown) and the page stays.
    bool Validate();
    // Validates and hands the job to the writer; false when the page stays.
    bool Finish();

private:
    void RefreshSizes();
    std::string SizeText(uint64_t megabytes) const;
    std::string Root(const std::string& path);
    bool Refused(int messageId, MsgIcon icon);
    bool Declined(int messageId, MsgIcon icon, const std::string& argument = {});

    PageContext m_context;
    IFolderQuery& m_folders;
    IDriveQuery& m_drives;
    TextById m_text;
    DestinationView m_view;
    int m_buttons = kWizBack | kWizNext;
};
