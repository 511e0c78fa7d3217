#pragma once
// The folder and free-space questions of the pages, answered by the system.
#include "pages/ToDoPageLogic.h"

class CWinFolderQuery : public IFolderQuery {
public:
    bool DirectoryExists(const std::string& path) override;
    std::string CurrentDirectory() override;
    bool FreeBytes(const std::string& path, uint64_t& bytes) override;
};
