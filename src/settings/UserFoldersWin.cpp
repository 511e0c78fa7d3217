#include "settings/UserFoldersWin.h"

#include "toolkit/FileSystem.h"

#include <windows.h>
#include <shlobj.h>

bool CWinUserFolders::GetDocumentsFolder(std::string& folder) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
        return false;
    folder = path;
    return true;
}

void CWinUserFolders::CreateFolderWithParents(const std::string& folder) {
    FileSystem::CreateFolderTree(folder);
}
