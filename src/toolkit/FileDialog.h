#pragma once
// The system's file-open and file-save dialogs, with a filter from the string table.
#include <windows.h>

#include <string>

struct FileDialogRequest {
    HWND owner = nullptr;
    std::string filter; // "Text|*.x|...||", as the string table holds it
    std::string title;
    std::string folder; // where the dialog starts; empty: the system's choice
    std::string name;   // the file name it shows first
};

// The chosen path, or false when the user cancelled.
bool ChooseFileToOpen(const FileDialogRequest& request, std::string& chosen);
bool ChooseFileToSave(const FileDialogRequest& request, std::string& chosen);

// A string-table filter in the form the dialogs take: each "|" a zero character, and a
// closing double zero even when the text lacks its final "||".
std::string FileDialogFilter(const std::string& text);
