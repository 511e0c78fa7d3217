#pragma once
// The shell's folder selection dialog, limited to real file-system folders.
#include <windows.h>

#include <string>

class CFolderDialog {
public:
    // `initialFolder` is selected when the dialog opens (ignored when it does not exist).
    CFolderDialog(std::string title, std::string initialFolder = {});

    // True when the user chose a folder; Folder() then holds it.
    bool DoModal(HWND owner);
    // The chosen folder, always ending with a backslash, as folder settings are stored.
    const std::string& Folder() const { return m_folder; }

private:
    static int CALLBACK Callback(HWND window, UINT message, LPARAM lParam, LPARAM data);
    std::string m_title;
    std::string m_folder;
};
