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

// Hands a call on to the letter's drive; 0 when there is none or `usable` is false (a buffer
// the call needs is missing). The drive is looked up either way: looking up refreshes the
// drives from their configuration, and a call must not skip that for a bad argument.
template <class Result, class... Params, class... Args>
Result OnDrive(char letter, bool usable, Result (IDrive::*method)(Params...), Args... args) {
    IDrive* d = BackEnd().Find(letter);
    return d && usable ? (d->*method)(args...) : Result{};
}
} // namespace

ZL5SCSI_API int ZLXScsiGetKnownDrives(char* letters, int size) {
    return CopyLetters(BackEnd().KnownDrives(), letters, size);
}

ZL5SCSI_API int ZLXScsiGetZLXDriveLetters(char* letters, int size) {
    return CopyLetters(BackEnd().VirtualDrives(), letters, size);
}

ZL5SCSI_API int ZLXScsiGetDriveInfo(char letter, CAspiCdromInfo* info) {
    return OnDrive(letter, info != nullptr, &IDrive::GetDriveInfo, info);
}

ZL5SCSI_API int ZLXScsiIsUnitReady(char letter, int timeout) {
    return OnDrive(letter, true, &IDrive::IsUnitReady, timeout);
}

ZL5SCSI_API int ZLXScsiGetToc(char letter, _CDROM_TOC* toc, int timeout) {
    return OnDrive(letter, toc != nullptr, &IDrive::GetToc, toc, timeout);
}

ZL5SCSI_API int ZLXScsiGetTocEC(char letter, _CDROM_TOC* toc, int timeout) {
    return OnDrive(letter, toc != nullptr, &IDrive::GetTocEC, toc, timeout);
}

ZL5SCSI_API uint16_t ZLXScsiGetCDType(char letter) {
    return OnDrive(letter, true, &IDrive::GetCDType);
}

ZL5SCSI_API uint32_t ZLXScsiReadCapaticity(char letter, uint32_t* lastSector, uint32_t* blockSize,
                                           int timeout) {
    return OnDrive(letter, true, &IDrive::ReadCapacity, lastSector, blockSize, timeout);
}

ZL5SCSI_API int ZLXScsiOpenDrive(char letter) {
    return OnDrive(letter, true, &IDrive::Open);
}

ZL5SCSI_API int ZLXScsiCloseDrive(char letter) {
    return OnDrive(letter, true, &IDrive::Close);
}

ZL5SCSI_API int ZLXScsiGetMultiSessionInfo(char letter, MULTISESSION_INFO* info, int timeout) {
    return OnDrive(letter, info != nullptr, &IDrive::GetMultiSessionInfo, info, timeout);
}

ZL5SCSI_API int ZLXScsiGetSessionsDetails(MULTISESSION_INFO* info, SESSIONS_DETAILS* details) {
    return info && details ? BackEnd().GetSessionsDetails(info, details) : 0;
}

ZL5SCSI_API uint32_t ZLXScsiReadSectors(char letter, uint32_t first, uint16_t count, void* buffer,
                                        uint32_t size, int timeout) {
    return OnDrive(letter, buffer != nullptr, &IDrive::ReadSectors, first, count, buffer, size,
                   timeout);
}

ZL5SCSI_API uint32_t ZLXScsiReadSectorsNFUA(char letter, uint32_t first, uint16_t count,
                                            void* buffer, uint32_t size, int timeout) {
    return OnDrive(letter, buffer != nullptr, &IDrive::ReadSectorsNFUA, first, count, buffer, size,
                   timeout);
}

ZL5SCSI_API uint32_t ZLXScsiReadSectorsReadCD(char letter, uint32_t first, uint16_t count,
                                              void* buffer, uint32_t size, int mode, int timeout) {
    return OnDrive(letter, buffer != nullptr, &IDrive::ReadSectorsReadCD, first, count, buffer,
                   size, mode, timeout);
}

ZL5SCSI_API uint32_t ZLXScsiReadSectorsReadCDSCQ(char letter, uint32_t first, uint16_t count,
                                                 void* buffer, uint32_t size, int timeout) {
    return OnDrive(letter, buffer != nullptr, &IDrive::ReadSectorsReadCDSCQ, first, count, buffer,
                   size, timeout);
}

ZL5SCSI_API uint32_t ZLXScsiReadPlxtrCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                          uint32_t size, int timeout) {
    return OnDrive(letter, buffer != nullptr, &IDrive::ReadPlxtrCDDA, first, count, buffer, size,
                   timeout);
}

ZL5SCSI_API uint32_t ZLXScsiReadNecCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                        uint32_t size, int timeout) {
    return OnDrive(letter, buffer != nullptr, &IDrive::ReadNecCDDA, first, count, buffer, size,
                   timeout);
}

ZL5SCSI_API int ZLXScsiSetReadSize(char letter, int blockSize) {
    return OnDrive(letter, true, &IDrive::SetReadSize, blockSize);
}

ZL5SCSI_API int ZLXScsiSetReadSpeed(char letter, uint8_t speedFactor) {
    return OnDrive(letter, true, &IDrive::SetReadSpeed, speedFactor);
}

ZL5SCSI_API int ZLXScsiGetCapabilities(char letter, _MODE_CAPABILITIES_PAGE2* page, int timeout) {
    return OnDrive(letter, page != nullptr, &IDrive::GetCapabilities, page, timeout);
}

ZL5SCSI_API int ZLXScsiGetCDText(char letter, unsigned char* buffer, int size, int timeout) {
    return OnDrive(letter, size == 0 || (buffer && size > 0), &IDrive::GetCDText, buffer, size,
                   timeout);
}

ZL5SCSI_API int ZLXScsiEjectMedia(char letter) {
    return BackEnd().Find(letter) ? BackEnd().Eject(letter) : 0;
}
