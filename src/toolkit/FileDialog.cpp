#include "toolkit/FileDialog.h"

#include <commdlg.h>

#include <algorithm>

namespace {
bool Choose(const FileDialogRequest& request, bool save, std::string& chosen) {
    char file[MAX_PATH] = {};
    lstrcpynA(file, request.name.c_str(), sizeof file);
    const std::string filter = FileDialogFilter(request.filter);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
    dialog.lpstrTitle = request.title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;
    if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)))
        return false;
    chosen = file;
    return true;
}
} // namespace

bool ChooseFileToOpen(const FileDialogRequest& request, std::string& chosen) {
    return Choose(request, false, chosen);
}

bool ChooseFileToSave(const FileDialogRequest& request, std::string& chosen) {
    return Choose(request, true, chosen);
}

std::string FileDialogFilter(const std::string& text) {
    std::string filter = text;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    return filter + std::string(2, '\0');
}
