#pragma once
// The product's drive access library as the core calls it. Drives are named by their
// letter; timeouts are in seconds; a read is good only when it returns every byte asked.
#include "source/DriveTypes.h"

#include <cstdint>

constexpr int kDriveLetterBuffer = 28;
constexpr int kReadCdMode = 256;

class IDriveLibrary {
public:
    virtual ~IDriveLibrary() = default;
    virtual int GetKnownDrives(char* letters, int size) = 0;
    virtual int GetZLXDriveLetters(char* letters, int size) = 0;
    virtual int GetDriveInfo(char letter, CAspiCdromInfo* info) = 0;
    virtual int IsUnitReady(char letter, int timeout) = 0;
    virtual int GetToc(char letter, _CDROM_TOC* toc, int timeout) = 0;
    virtual int GetTocEC(char letter, _CDROM_TOC* toc, int timeout) = 0;
    virtual uint16_t GetCDType(char letter) = 0;
    virtual uint32_t ReadCapaticity(char letter, uint32_t* lastSector, uint32_t* blockSize,
                                    int timeout) = 0;
    virtual int OpenDrive(char letter) = 0;
    virtual int CloseDrive(char letter) = 0;
    virtual int GetMultiSessionInfo(char letter, MULTISESSION_INFO* info, int timeout) = 0;
    virtual int GetSessionsDetails(MULTISESSION_INFO* info, SESSIONS_DETAILS* details) = 0;
    virtual uint32_t ReadSectors(char letter, uint32_t first, uint16_t count, void* buffer,
                                 uint32_t size, int timeout) = 0;
    virtual uint32_t ReadSectorsNFUA(char letter, uint32_t first, uint16_t count, void* buffer,
                                     uint32_t size, int timeout) = 0;
    virtual uint32_t ReadSectorsReadCD(char letter, uint32_t first, uint16_t count, void* buffer,
                                       uint32_t size, int mode, int timeout) = 0;
    virtual uint32_t ReadSectorsReadCDSCQ(char letter, uint32_t first, uint16_t count, void* buffer,
                                          uint32_t size, int timeout) = 0;
    virtual uint32_t ReadPlxtrCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                   uint32_t size, int timeout) = 0;
    virtual uint32_t ReadNecCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                 uint32_t size, int timeout) = 0;
    virtual int SetReadSize(char letter, int blockSize) = 0;
    virtual int SetReadSpeed(char letter, uint8_t speedFactor) = 0;
    virtual int GetCapabilities(char letter, _MODE_CAPABILITIES_PAGE2* page, int timeout) = 0;
};
