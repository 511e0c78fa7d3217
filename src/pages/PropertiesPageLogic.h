#pragma once
// The image properties page's rules, without a window: the password check, the working
// directory taken from a chosen program, the comment edited in the job, and what Finish
// stores before the writer starts. The Win32 page binds its controls to the view.
#include "app/PageContext.h"
#include "app/Texts.h"

#include <cstdint>
#include <string>

// The dialogs the page opens; each returns false when the user cancelled.
class IPropertiesDialogs {
public:
    virtual ~IPropertiesDialogs() = default;
    // File-open dialog for a program, starting at `initial`; `chosen` gets the full path.
    virtual bool ChooseProgram(const std::string& initial, std::string& chosen) = 0;
    // Folder selection; `chosen` ends with a backslash.
    virtual bool ChooseFolder(std::string& chosen) = 0;
    // The comment editor, opened with `text`; on OK `text` holds the edited comment.
    virtual bool EditComment(std::string& text) = 0;
};

// Modifier bits of a hot key as the job stores them (those of the hot key control).
enum HotkeyModifier {
    kHotkeyShift = 1,
    kHotkeyControl = 2,
    kHotkeyAlt = 4,
    kHotkeyExtended = 8,
};

// What the page shows; the Win32 page reads it from and writes it into its controls.
struct PropertiesView {
    std::string password;
    std::string verification;
    std::string startProgram;
    std::string workingDirectory;
    uint16_t hotkeyKey = 0;
    uint16_t hotkeyModifiers = 0;
    char insertDrive = 0; // 0: "None"
};

// The folder of a file's full path, with its trailing backslash; empty without a folder.
std::string FolderOfPath(const std::string& path);

class CPropertiesPageModel {
public:
    CPropertiesPageModel(const PageContext& context, IPropertiesDialogs& dialogs);

    static constexpr int kMaxPassword = 15;
    static constexpr int kMaxPath = 254;
    static constexpr int kMaxComment = 2047;
    static constexpr int kPasswordMismatch = 161;

    PropertiesView& View() { return m_view; }
    // Back and Finish: the last page of the wizard.
    int Buttons() const;

    // Program browse; a working directory still empty becomes the program's folder.
    void BrowseProgram();
    void BrowseDirectory();
    // The job's comment, edited in the job itself so it survives leaving the page.
    void EditComment();
    // False when the page stays (the passwords differ: the message was shown and nothing
    // was stored); otherwise the choices are in the job and the writer was started.
    bool Finish();

private:
    void StoreValues();

    PageContext m_context;
    IPropertiesDialogs& m_dialogs;
    PropertiesView m_view;
};
