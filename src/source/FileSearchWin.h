#pragma once
// File searches with the system's FindFirstFileA, without "no disc" error boxes.
#include "source/FileSearch.h"

class CWinFileSearch : public IFileSearch {
public:
    bool FindsFile(const std::string& pattern) override;
    std::vector<std::string> FolderNames(const std::string& pattern) override;
};
