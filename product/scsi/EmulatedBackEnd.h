#pragma once
// The back end of drives emulated from disc images, configured in the registry (see
// DriveRegistry.h). Configuration changes made while a program runs (a disc inserted with
// zl5drive, say) are seen at the next call.
#include "scsi/DriveBackEnd.h"
#include "scsi/DriveRegistry.h"
#include "scsi/EmulatedDrive.h"
#include "scsi/RegistryWatch.h"

#include <map>
#include <memory>
#include <mutex>

class CEmulatedBackEnd : public IDriveBackEnd {
public:
    explicit CEmulatedBackEnd(CDriveRegistry registry = CDriveRegistry());

    std::string KnownDrives() override;
    std::string VirtualDrives() override;
    IDrive* Find(char letter) override;
    int GetSessionsDetails(const MULTISESSION_INFO* info, SESSIONS_DETAILS* details) override;
    // The drive's configuration loses its image, as `zl5drive eject` does, so every program
    // sees the drive empty.
    int Eject(char letter) override;

private:
    void Refresh();

    std::mutex m_mutex;
    CDriveRegistry m_registry;
    CRegistryWatch m_watch;
    // Drives stay allocated once made: an export may still be in a call on one while
    // another thread sees it removed.
    std::map<char, std::unique_ptr<CEmulatedDrive>> m_drives;
    std::string m_letters; // configured now
    std::string m_virtual; // virtual among them
};
