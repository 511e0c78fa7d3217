#pragma once
#include "settings/UserFolders.h"

// The user's documents folder from the shell; folders created with their parents.
class CWinUserFolders : public IUserFolders {
public:
    bool GetDocumentsFolder(std::string& folder) override;
    void CreateFolderWithParents(const std::string& folder) override;
};
