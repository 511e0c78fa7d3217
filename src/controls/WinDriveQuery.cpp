#include "controls/WinDriveQuery.h"

#include "toolkit/FileSystem.h"

#include <windows.h>

uint32_t CWinDriveQuery::LogicalDrives() {
    return GetLogicalDrives();
}

DriveKind CWinDriveQuery::Kind(const std::string& root) {
    switch (GetDriveTypeA(root.c_str())) {
    case DRIVE_REMOVABLE:
        return DriveKind::Removable;
    case DRIVE_FIXED:
        return DriveKind::Fixed;
    case DRIVE_REMOTE:
        return DriveKind::Remote;
    case DRIVE_CDROM:
        return DriveKind::CdRom;
    case DRIVE_RAMDISK:
        return DriveKind::RamDisk;
    default:
        return DriveKind::Other;
    }
}

bool CWinDriveQuery::Space(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) {
    FileSystem::DiskSpace space;
    const bool known = FileSystem::QueryDiskSpace(root, space);
    totalBytes = space.totalBytes;
    freeBytes = space.freeBytes;
    return known;
}

std::string CWinDriveQuery::VolumeLabel(const std::string& root) {
    return FileSystem::VolumeLabel(root);
}

bool CWinDriveQuery::CanWrite(const std::string& root) {
    return FileSystem::CanCreateTempFile(root);
}
