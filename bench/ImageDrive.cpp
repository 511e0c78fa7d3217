#include "ImageDrive.h"

#include "disc/SectorData.h"

uint32_t CImageDrive::Read(Kind kind, uint32_t first, uint16_t count, void* buffer, uint32_t size) {
    const uint32_t unit = kind == Kind::User ? SectorData::kUserSize : SectorData::kRawSize;
    const uint64_t total = uint64_t{count} * unit;
    if (count > 1)
        ++m_blockReads[kind != Kind::User];
    if (count == 0 || total > size)
        return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        const int64_t lba = int64_t{first} + i;
        uint8_t* sector = out + uint64_t{i} * unit;
        const bool ok = kind == Kind::User ? m_disc.ReadUser(lba, sector)
                        : kind == Kind::AudioOnly
                            ? m_disc.IsAudio(lba) && m_disc.ReadRaw(lba, sector)
                            : m_disc.ReadRaw(lba, sector);
        if (!ok)
            return 0;
    }
    if (count > 1)
        m_reads.push_back({kind != Kind::User, first, count, {out, out + total}});
    return static_cast<uint32_t>(total);
}

uint32_t CImageDrive::PlainRead(uint32_t first, uint16_t count, void* buffer, uint32_t size) {
    return Read(m_blockSize == 2352 ? Kind::Raw : Kind::User, first, count, buffer, size);
}

uint32_t CImageDrive::ReadSectors(char, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                  int) {
    return PlainRead(first, count, buffer, size);
}

uint32_t CImageDrive::ReadSectorsNFUA(char, uint32_t first, uint16_t count, void* buffer,
                                      uint32_t size, int) {
    return PlainRead(first, count, buffer, size);
}

uint32_t CImageDrive::ReadSectorsReadCD(char, uint32_t first, uint16_t count, void* buffer,
                                        uint32_t size, int mode, int) {
    return mode == kReadCdMode ? Read(Kind::Raw, first, count, buffer, size) : 0;
}

uint32_t CImageDrive::ReadPlxtrCDDA(char, uint32_t first, uint16_t count, void* buffer,
                                    uint32_t size, int) {
    return Read(Kind::AudioOnly, first, count, buffer, size);
}

uint32_t CImageDrive::ReadNecCDDA(char, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                  int) {
    return Read(Kind::AudioOnly, first, count, buffer, size);
}

int CImageDrive::SetReadSize(char, int blockSize) {
    // Whole sectors through the normal read exist on CDs only.
    if (blockSize != 2048 && (blockSize != 2352 || m_disc.IsDvd()))
        return 0;
    m_blockSize = blockSize;
    return 1;
}
