#pragma once
// The drive library's plain sector reads share one signature, so a test or a sample can be
// handed the read to use.
#include "source/DriveLibrary.h"

using SectorReadCall = uint32_t (IDriveLibrary::*)(char letter, uint32_t first, uint16_t count,
                                                   void* buffer, uint32_t size, int timeout);

// The normal read with Force Unit Access when the drive test found it works, else without.
inline SectorReadCall DataRead(bool forceUnitAccess) {
    return forceUnitAccess ? &IDriveLibrary::ReadSectors : &IDriveLibrary::ReadSectorsNFUA;
}
