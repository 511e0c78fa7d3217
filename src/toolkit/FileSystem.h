#pragma once
// File-system helpers the pages and settings share.
#include <string>

namespace FileSystem {
// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateFolderTree(const std::string& folder);
bool FileExists(const std::string& path);
} // namespace FileSystem
