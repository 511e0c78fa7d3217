// The drive access library's exports: each finds the drive for its letter in the back end
// and hands the call on.
#include "ZL5Scsi.h"

#include "scsi/EmulatedBackEnd.h"
#include "scsi/NoDriveBackEnd.h"

#include <windows.h>

#include <cstring>

namespace {
// Drives emulated from disc images, unless ZL5SCSI_BACKEND=none asks for a machine without
// drives. Never freed: no call made while the library unloads can meet a destroyed one.
IDriveBackEnd& BackEnd() {
    static IDriveBackEnd* const backEnd = []() -> IDriveBackEnd* {
        char choice[16] = {};
        GetEnvironmentVariableA("ZL5SCSI_BACKEND", choice, sizeof(choice));
        if (_stricmp(choice, "none") == 0)
            return new CNoDriveBackEnd;
        return new CEmulatedBackEnd;
    }();
    return *backEnd;
}

// Copies as many letters as fit with the terminating NUL; returns the number copied.
int CopyLetters(const std::string& letters, char* buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    size_t count =
        letters.size() < static_cast<size_t>(size) ? letters.size() : static_cast<size_t>(size) - 1;
    memcpy(buffer, letters.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

IDrive* Drive(char letter) {
    return BackEnd().Find(letter);
}
} // namespace

ZL5SCSI_API int ZLXScsiGetKnownDrives(char* letters, int size) {
    return CopyLetters(BackEnd().KnownDrives(), letters, size);
}

ZL5SCSI_API int ZLXScsiGetZLXDriveLetters(char* letters, int size) {
    return CopyLetters(BackEnd().VirtualDrives(), letters, size);
}

ZL5SCSI_API int ZLXScsiGetDriveInfo(char letter, CAspiCdromInfo* info) {
    IDrive* d = Drive(letter);
    return d && info ? d->GetDriveInfo(info) : 0;
}

ZL5SCSI_API int ZLXScsiIsUnitReady(char letter, int timeout) {
    IDrive* d = Drive(letter);
    return d ? d->IsUnitReady(timeout) : 0;
}

ZL5SCSI_API int ZLXScsiGetToc(char letter, _CDROM_TOC* toc, int timeout) {
    IDrive* d = Drive(letter);
    return d && toc ? d->GetToc(toc, timeout) : 0;
}

ZL5SCSI_API int ZLXScsiGetTocEC(char letter, _CDROM_TOC* toc, int timeout) {
    IDrive* d = Drive(letter);
    return d && toc ? d->GetTocEC(toc, timeout) : 0;
}

ZL5SCSI_API uint16_t ZLXScsiGetCDType(char letter) {
    IDrive* d = Drive(letter);
    return d ? d->GetCDType() : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadCapaticity(char letter, uint32_t* lastSector, uint32_t* blockSize,
                                           int timeout) {
    IDrive* d = Drive(letter);
    return d ? d->ReadCapacity(lastSector, blockSize, timeout) : 0;
}

ZL5SCSI_API int ZLXScsiOpenDrive(char letter) {
    IDrive* d = Drive(letter);
    return d ? d->Open() : 0;
}

ZL5SCSI_API int ZLXScsiCloseDrive(char letter) {
    IDrive* d = Drive(letter);
    return d ? d->Close() : 0;
}

ZL5SCSI_API int ZLXScsiGetMultiSessionInfo(char letter, MULTISESSION_INFO* info, int timeout) {
    IDrive* d = Drive(letter);
    return d && info ? d->GetMultiSessionInfo(info, timeout) : 0;
}

ZL5SCSI_API int ZLXScsiGetSessionsDetails(MULTISESSION_INFO* info, SESSIONS_DETAILS* details) {
    return info && details ? BackEnd().GetSessionsDetails(info, details) : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadSectors(char letter, uint32_t first, uint16_t count, void* buffer,
                                        uint32_t size, int timeout) {
    IDrive* d = Drive(letter);
    return d && buffer ? d->ReadSectors(first, count, buffer, size, timeout) : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadSectorsNFUA(char letter, uint32_t first, uint16_t count,
                                            void* buffer, uint32_t size, int timeout) {
    IDrive* d = Drive(letter);
    return d && buffer ? d->ReadSectorsNFUA(first, count, buffer, size, timeout) : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadSectorsReadCD(char letter, uint32_t first, uint16_t count,
                                              void* buffer, uint32_t size, int mode, int timeout) {
    IDrive* d = Drive(letter);
    return d && buffer ? d->ReadSectorsReadCD(first, count, buffer, size, mode, timeout) : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadSectorsReadCDSCQ(char letter, uint32_t first, uint16_t count,
                                                 void* buffer, uint32_t size, int timeout) {
    IDrive* d = Drive(letter);
    return d && buffer ? d->ReadSectorsReadCDSCQ(first, count, buffer, size, timeout) : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadPlxtrCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                          uint32_t size, int timeout) {
    IDrive* d = Drive(letter);
    return d && buffer ? d->ReadPlxtrCDDA(first, count, buffer, size, timeout) : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadNecCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                        uint32_t size, int timeout) {
    IDrive* d = Drive(letter);
    return d && buffer ? d->ReadNecCDDA(first, count, buffer, size, timeout) : 0;
}

ZL5SCSI_API int ZLXScsiSetReadSize(char letter, int blockSize) {
    IDrive* d = Drive(letter);
    return d ? d->SetReadSize(blockSize) : 0;
}

ZL5SCSI_API int ZLXScsiSetReadSpeed(char letter, uint8_t speedFactor) {
    IDrive* d = Drive(letter);
    return d ? d->SetReadSpeed(speedFactor) : 0;
}

ZL5SCSI_API int ZLXScsiGetCapabilities(char letter, _MODE_CAPABILITIES_PAGE2* page, int timeout) {
    IDrive* d = Drive(letter);
    return d && page ? d->GetCapabilities(page, timeout) : 0;
}
