#include "source/ZL5ScsiLibrary.h"

#include "ZL5Scsi.h"

int CZL5ScsiLibrary::GetKnownDrives(char* l, int n) {
    return ZLXScsiGetKnownDrives(l, n);
}
int CZL5ScsiLibrary::GetZLXDriveLetters(char* l, int n) {
    return ZLXScsiGetZLXDriveLetters(l, n);
}
int CZL5ScsiLibrary::GetDriveInfo(char d, CAspiCdromInfo* i) {
    return ZLXScsiGetDriveInfo(d, i);
}
int CZL5ScsiLibrary::IsUnitReady(char d, int t) {
    return ZLXScsiIsUnitReady(d, t);
}
int CZL5ScsiLibrary::GetToc(char d, _CDROM_TOC* toc, int t) {
    return ZLXScsiGetToc(d, toc, t);
}
int CZL5ScsiLibrary::GetTocEC(char d, _CDROM_TOC* toc, int t) {
    return ZLXScsiGetTocEC(d, toc, t);
}
uint16_t CZL5ScsiLibrary::GetCDType(char d) {
    return ZLXScsiGetCDType(d);
}
uint32_t CZL5ScsiLibrary::ReadCapaticity(char d, uint32_t* last, uint32_t* block, int t) {
    return ZLXScsiReadCapaticity(d, last, block, t);
}
int CZL5ScsiLibrary::OpenDrive(char d) {
    return ZLXScsiOpenDrive(d);
}
int CZL5ScsiLibrary::CloseDrive(char d) {
    return ZLXScsiCloseDrive(d);
}
int CZL5ScsiLibrary::GetMultiSessionInfo(char d, MULTISESSION_INFO* i, int t) {
    return ZLXScsiGetMultiSessionInfo(d, i, t);
}
int CZL5ScsiLibrary::GetSessionsDetails(MULTISESSION_INFO* i, SESSIONS_DETAILS* s) {
    return ZLXScsiGetSessionsDetails(i, s);
}
uint32_t CZL5ScsiLibrary::ReadSectors(char d, uint32_t f, uint16_t c, void* b, uint32_t n, int t) {
    return ZLXScsiReadSectors(d, f, c, b, n, t);
}
uint32_t CZL5ScsiLibrary::ReadSectorsNFUA(char d, uint32_t f, uint16_t c, void* b, uint32_t n,
                                          int t) {
    return ZLXScsiReadSectorsNFUA(d, f, c, b, n, t);
}
uint32_t CZL5ScsiLibrary::ReadSectorsReadCD(char d, uint32_t f, uint16_t c, void* b, uint32_t n,
                                            int m, int t) {
    return ZLXScsiReadSectorsReadCD(d, f, c, b, n, m, t);
}
uint32_t CZL5ScsiLibrary::ReadSectorsReadCDSCQ(char d, uint32_t f, uint16_t c, void* b, uint32_t n,
                                               int t) {
    return ZLXScsiReadSectorsReadCDSCQ(d, f, c, b, n, t);
}
uint32_t CZL5ScsiLibrary::ReadPlxtrCDDA(char d, uint32_t f, uint16_t c, void* b, uint32_t n,
                                        int t) {
    return ZLXScsiReadPlxtrCDDA(d, f, c, b, n, t);
}
uint32_t CZL5ScsiLibrary::ReadNecCDDA(char d, uint32_t f, uint16_t c, void* b, uint32_t n, int t) {
    return ZLXScsiReadNecCDDA(d, f, c, b, n, t);
}
int CZL5ScsiLibrary::SetReadSize(char d, int size) {
    return ZLXScsiSetReadSize(d, size);
}
int CZL5ScsiLibrary::SetReadSpeed(char d, uint8_t speed) {
    return ZLXScsiSetReadSpeed(d, speed);
}
int CZL5ScsiLibrary::GetCapabilities(char d, _MODE_CAPABILITIES_PAGE2* p, int t) {
    return ZLXScsiGetCapabilities(d, p, t);
}
