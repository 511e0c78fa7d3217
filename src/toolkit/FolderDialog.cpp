#include "toolkit/FolderDialog.h"

#include <shlobj.h>

CFolderDialog::CFolderDialog(std::string title, std::string initialFolder)
    : m_title(std::move(title)), m_folder(std::move(initialFolder)) {}

int CALLBACK CFolderDialog::Callback(HWND window, UINT message, LPARAM, LPARAM data) {
    const auto* self = reinterpret_cast<const CFolderDialog*>(data);
    if (message == BFFM_INITIALIZED && !self->m_folder.empty()) {
        // The shell refuses a selection path with a trailing backslash below a root.
        std::string folder = self->m_folder;
        if (folder.size() > 3 && folder.back() == '\\')
            folder.pop_back();
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    }
    return 0;
}

bool CFolderDialog::DoModal(HWND owner) {
    char display[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = m_title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen)
        return false;
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(chosen, path) && path[0];
    CoTaskMemFree(chosen);
    if (!ok)
        return false;
    m_folder = path;
    if (m_folder.back() != '\\')
        m_folder += '\\';
    return true;
}
