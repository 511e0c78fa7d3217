#pragma once
// Exports of the drive access library (cdecl, by name). Drives are named by letter.
#include "source/DriveTypes.h"

#include <cstdint>

#ifdef ZL5SCSI_BUILD
#define ZL5SCSI_API extern "C" __declspec(dllexport)
#else
#define ZL5SCSI_API extern "C" __declspec(dllimport)
#endif

ZL5SCSI_API int ZLXScsiGetKnownDrives(char* letters, int size);
ZL5SCSI_API int ZLXScsiGetZLXDriveLetters(char* letters, int size);
ZL5SCSI_API int ZLXScsiGetDriveInfo(char letter, CAspiCdromInfo* info);
ZL5SCSI_API int ZLXScsiIsUnitReady(char letter, int timeout);
ZL5SCSI_API int ZLXScsiGetToc(char letter, _CDROM_TOC* toc, int timeout);
ZL5SCSI_API int ZLXScsiGetTocEC(char letter, _CDROM_TOC* toc, int timeout);
ZL5SCSI_API uint16_t ZLXScsiGetCDType(char letter);
ZL5SCSI_API uint32_t ZLXScsiReadCapaticity(char letter, uint32_t* lastSector, uint32_t* blockSize,
                                           int timeout);
ZL5SCSI_API int ZLXScsiOpenDrive(char letter);
ZL5SCSI_API int ZLXScsiCloseDrive(char letter);
ZL5SCSI_API int ZLXScsiGetMultiSessionInfo(char letter, MULTISESSION_INFO* info, int timeout);
ZL5SCSI_API int ZLXScsiGetSessionsDetails(MULTISESSION_INFO* info, SESSIONS_DETAILS* details);
ZL5SCSI_API uint32_t ZLXScsiReadSectors(char letter, uint32_t first, uint16_t count, void* buffer,
                                        uint32_t size, int timeout);
ZL5SCSI_API uint32_t ZLXScsiReadSectorsNFUA(char letter, uint32_t first, uint16_t count,
                                            void* buffer, uint32_t size, int timeout);
ZL5SCSI_API uint32_t ZLXScsiReadSectorsReadCD(char letter, uint32_t first, uint16_t count,
                                              void* buffer, uint32_t size, int mode, int timeout);
ZL5SCSI_API uint32_t ZLXScsiReadSectorsReadCDSCQ(char letter, uint32_t first, uint16_t count,
                                                 void* buffer, uint32_t size, int timeout);
ZL5SCSI_API uint32_t ZLXScsiReadPlxtrCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                          uint32_t size, int timeout);
ZL5SCSI_API uint32_t ZLXScsiReadNecCDDA(char letter, uint32_t first, uint16_t count, void* buffer,
                                        uint32_t size, int timeout);
ZL5SCSI_API int ZLXScsiSetReadSize(char letter, int blockSize);
ZL5SCSI_API int ZLXScsiSetReadSpeed(char letter, uint8_t speedFactor);
ZL5SCSI_API int ZLXScsiGetCapabilities(char letter, _MODE_CAPABILITIES_PAGE2* page, int timeout);
// The disc's CD-Text as READ TOC format 5 returns it: a 4-byte header (big-endian length of
// what follows it, two reserved bytes), then 18-byte packs. Copies as much as fits into
// `buffer` and returns the size of the whole answer, so a result above `size` asks for a
// larger buffer (size 0 with no buffer just asks). 0: no disc, or a disc without CD-Text.
ZL5SCSI_API int ZLXScsiGetCDText(char letter, unsigned char* buffer, int size, int timeout);
// Opens the tray: the disc leaves the drive (an emulated drive's image is taken out of its
// configuration). Nonzero when a disc was ejected.
ZL5SCSI_API int ZLXScsiEjectMedia(char letter);
