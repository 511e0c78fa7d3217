#pragma once
// The back end of a library that knows no drives: every list is empty and every drive
// call fails, which the wizard treats as "no drive with a disc".
#include "scsi/DriveBackEnd.h"

class CNoDriveBackEnd : public IDriveBackEnd {
public:
    std::string KnownDrives() override { return ""; }
    std::string VirtualDrives() override { return ""; }
    IDrive* Find(char /*letter*/) override { return nullptr; }
    int GetSessionsDetails(const MULTISESSION_INFO* info, SESSIONS_DETAILS* details) override;
};
