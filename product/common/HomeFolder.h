#pragma once
// The product's files live in <home>\system\; its programs and libraries find the home
// folder from where they themselves were loaded, never from the settings.
#include <windows.h>

#include <string>

// Full path of a loaded module's file; "" on failure.
std::string ModuleFilePath(HMODULE module);
// The module that holds this code (a DLL's own module, not the program's).
HMODULE ThisModule();
// "C:\\Z\\system\\x.dll" -> "C:\\Z\\system\\" (either slash counts; "" without a folder).
std::string FolderOf(const std::string& path);
// The folder above the one holding `path`, with a trailing backslash:
// "C:\\Z\\system\\x.dll" -> "C:\\Z\\". A file at a drive's root gives that root.
std::string HomeFromSystemFile(const std::string& path);
