#pragma once
// What the drive access library asks of whatever supplies its drives. The library's
// exports find the drive for a letter and hand the call on; a letter no back end serves
// fails every call. Back ends: no drives at all (NoDriveBackEnd), drives emulated from
// disc images (EmulatedBackEnd); one for real drives through SCSI pass-through may follow.
#include "source/DriveTypes.h"

#include <cstdint>
#include <string>

// One drive. Results follow the library's exports: nonzero or a byte count on success.
class IDrive {
public:
    virtual ~IDrive() = default;
    virtual int GetDriveInfo(CAspiCdromInfo* info) = 0;
    virtual int IsUnitReady(int timeout) = 0;
    virtual int GetToc(_CDROM_TOC* toc, int timeout) = 0;
    virtual int GetTocEC(_CDROM_TOC* toc, int timeout) = 0;
    virtual uint16_t GetCDType() = 0;
    virtual uint32_t ReadCapacity(uint32_t* lastSector, uint32_t* blockSize, int timeout) = 0;
    virtual int Open() = 0;
    virtual int Close() = 0;
    virtual int GetMultiSessionInfo(MULTISESSION_INFO* info, int timeout) = 0;
    virtual uint32_t ReadSectors(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                 int timeout) = 0;
    virtual uint32_t ReadSectorsNFUA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                     int timeout) = 0;
    virtual uint32_t ReadSectorsReadCD(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                       int mode, int timeout) = 0;
    virtual uint32_t ReadSectorsReadCDSCQ(uint32_t first, uint16_t count, void* buffer,
                                          uint32_t size, int timeout) = 0;
    virtual uint32_t ReadPlxtrCDDA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                   int timeout) = 0;
    virtual uint32_t ReadNecCDDA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                 int timeout) = 0;
    virtual int SetReadSize(int blockSize) = 0;
    virtual int SetReadSpeed(uint8_t speedFactor) = 0;
    virtual int GetCapabilities(_MODE_CAPABILITIES_PAGE2* page, int timeout) = 0;
    // The disc's CD-Text as READ TOC format 5 answers: copies what fits of the answer into
    // `buffer` and returns the whole answer's size; 0 when the disc has none.
    virtual int GetCDText(uint8_t* buffer, int size, int timeout) = 0;
};

class IDriveBackEnd {
public:
    virtual ~IDriveBackEnd() = default;
    // Letters of every CD/DVD drive served, e.g. "DE".
    virtual std::string KnownDrives() = 0;
    // Letters of the product's own virtual drives among them.
    virtual std::string VirtualDrives() = 0;
    // The drive for a letter; null when this back end does not serve it.
    virtual IDrive* Find(char letter) = 0;
    // The multisession record is the back end's own format, so it alone can take it apart.
    virtual int GetSessionsDetails(const MULTISESSION_INFO* info, SESSIONS_DETAILS* details) = 0;
    // Takes the disc out of the drive; nonzero when it did. Back ends without a tray say 0.
    virtual int Eject(char letter) {
        (void)letter;
        return 0;
    }
};
