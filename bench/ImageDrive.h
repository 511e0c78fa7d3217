#pragma once
// A drive library over a disc image with only the reads the image size estimate makes:
// normal reads (2048 user bytes of data sectors, whole sectors once the block size is 2352),
// READ CD of whole sectors and the vendor audio reads. Every other call fails. Good block
// reads are kept, so that the benchmark knows exactly which samples the estimate compressed.
#include "disc/DiscImage.h"
#include "source/DriveLibrary.h"

#include <cstdint>
#include <vector>

struct DriveRead {
    bool raw = false; // 2352-byte sectors
    uint32_t first = 0;
    uint16_t count = 0;
    std::vector<uint8_t> bytes;
};

class CImageDrive : public IDriveLibrary {
public:
    explicit CImageDrive(CDiscImage& disc) : m_disc(disc) {}

    // Reads of more than one sector that returned every byte, in call order.
    const std::vector<DriveRead>& GoodReads() const { return m_reads; }
    // Block reads asked for, good or not, of 2048-byte or of 2352-byte sectors.
    int BlockReads(bool raw) const { return m_blockReads[raw]; }

    uint32_t ReadSectors(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int timeout) override;
    uint32_t ReadSectorsNFUA(char letter, uint32_t first, uint16_t count, void* buffer,
                             uint32_t size, int timeout) override;
    uint32_t ReadSectorsReadCD(char letter, uint32_t first, uint16_t count, void* buffer,
                               uint32_t size, int mode, int timeout) override;
    uint32_t ReadPlxtrCDDA(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                           int timeout) override;
    uint32_t ReadNecCDDA(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int timeout) override;
    int SetReadSize(char letter, int blockSize) override;

    int GetKnownDrives(char*, int) override { return 0; }
    int GetZLXDriveLetters(char*, int) override { return 0; }
    int GetDriveInfo(char, CAspiCdromInfo*) override { return 0; }
    int IsUnitReady(char, int) override { return 0; }
    int GetToc(char, _CDROM_TOC*, int) override { return 0; }
    int GetTocEC(char, _CDROM_TOC*, int) override { return 0; }
    uint16_t GetCDType(char) override { return 0; }
    uint32_t ReadCapaticity(char, uint32_t*, uint32_t*, int) override { return 0; }
    int OpenDrive(char) override { return 0; }
    int CloseDrive(char) override { return 0; }
    int GetMultiSessionInfo(char, MULTISESSION_INFO*, int) override { return 0; }
    int GetSessionsDetails(MULTISESSION_INFO*, SESSIONS_DETAILS*) override { return 0; }
    uint32_t ReadSectorsReadCDSCQ(char, uint32_t, uint16_t, void*, uint32_t, int) override {
        return 0;
    }
    int SetReadSpeed(char, uint8_t) override { return 0; }
    int GetCapabilities(char, _MODE_CAPABILITIES_PAGE2*, int) override { return 0; }

private:
    enum class Kind { User, Raw, AudioOnly };
    // All `count` sectors or nothing, and only into a buffer large enough for them.
    uint32_t Read(Kind kind, uint32_t first, uint16_t count, void* buffer, uint32_t size);
    uint32_t PlainRead(uint32_t first, uint16_t count, void* buffer, uint32_t size);

    CDiscImage& m_disc;
    int m_blockSize = 2048;
    std::vector<DriveRead> m_reads;
    int m_blockReads[2] = {};
};
