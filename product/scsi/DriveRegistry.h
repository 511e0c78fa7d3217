#pragma once
// Where the emulated drives are configured: one registry key per drive letter below
// HKEY_LOCAL_MACHINE "Software\Kestrelin\Zelvane 5\Drives" (the environment variable
// ZL5_DRIVES_KEY names another key below the same root, so tests can keep to their own).
#include "scsi/DriveConfig.h"

#include <windows.h>

#include <string>

constexpr const char* kDrivesKeyPath = "Software\\Kestrelin\\Zelvane 5\\Drives";

class CDriveRegistry {
public:
    CDriveRegistry(); // the key from ZL5_DRIVES_KEY, else kDrivesKeyPath
    explicit CDriveRegistry(std::string keyPath) : m_keyPath(std::move(keyPath)) {}

    const std::string& KeyPath() const { return m_keyPath; }
    // Upper-case letters of the configured drives, in order.
    std::string Letters() const;
    bool Exists(char letter) const;
    // Every value of the drive's key as text (numbers in decimal).
    bool Read(char letter, ConfigValues& values) const;
    // Replaces the drive's values.
    bool Write(char letter, const ConfigValues& values) const;
    bool Remove(char letter) const;

private:
    std::string DriveKey(char letter) const;
    std::string m_keyPath;
};

// Letters are given as "E", "e:" or "E:\"; 0 for anything else.
char NormalizeLetter(const std::string& text);
