#pragma once
// The drive access interface served by the product's ZL5Scsi.dll.
#include "source/DriveLibrary.h"

class CZL5ScsiLibrary : public IDriveLibrary {
public:
    int GetKnownDrives(char* letters, int size) override;
    int GetZLXDriveLetters(char* letters, int size) override;
    int GetDriveInfo(char letter, CAspiCdromInfo* info) override;
    int IsUnitReady(char letter, int timeout) override;
    int GetToc(char letter, _CDROM_TOC* toc, int timeout) override;
    int GetTocEC(char letter, _CDROM_TOC* toc, int timeout) override;
    uint16_t GetCDType(char letter) override;
    uint32_t ReadCapaticity(char letter, uint32_t* lastSector, uint32_t* blockSize,
                            int timeout) override;
    int OpenDrive(char letter) override;
    int CloseDrive(char letter) override;
    int GetMultiSessionInfo(char letter, MULTISESSION_INFO* info, int timeout) override;
    int GetSessionsDetails(MULTISESSION_INFO* info, SESSIONS_DETAILS* details) override;
    uint32_t ReadSectors(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int timeout) override;
    uint32_t ReadSectorsNFUA(char letter, uint32_t first, uint16_t count, void* buffer,
                             uint32_t size, int timeout) override;
    uint32_t ReadSectorsReadCD(char letter, uint32_t first, uint16_t count, void* buffer,
                               uint32_t size, int mode, int timeout) override;
    uint32_t ReadSectorsReadCDSCQ(char letter, uint32_t first, uint16_t count, void* buffer,
                                  uint32_t size, int timeout) override;
    uint32_t ReadPlxtrCDDA(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                           int timeout) override;
    uint32_t ReadNecCDDA(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int timeout) override;
    int SetReadSize(char letter, int blockSize) override;
    int SetReadSpeed(char letter, uint8_t speedFactor) override;
    int GetCapabilities(char letter, _MODE_CAPABILITIES_PAGE2* page, int timeout) override;
};
