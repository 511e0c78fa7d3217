#pragma once
// File searches by wildcard pattern (E:\VIDEO_TS\*.*), as the DVD content probe needs
// them. Folder entries "." and ".." never count.
#include <string>
#include <vector>

class IFileSearch {
public:
    virtual ~IFileSearch() = default;
    // True when the pattern matches at least one file (not a folder).
    virtual bool FindsFile(const std::string& pattern) = 0;
    // Names (without path) of the folders the pattern matches, in search order.
    virtual std::vector<std::string> FolderNames(const std::string& pattern) = 0;
};
