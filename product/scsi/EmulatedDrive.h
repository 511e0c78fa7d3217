#pragma once
// A drive emulated from a disc image: answers each library call the way the configured
// profile's drive would answer it for that disc. A drive without a usable image (none, a
// broken one, or a medium this drive does not recognise) behaves as a drive with no disc.
#include "disc/DiscImage.h"
#include "scsi/DriveBackEnd.h"
#include "scsi/DriveConfig.h"

#include <memory>
#include <mutex>
#include <string>

class CEmulatedDrive : public IDrive {
public:
    // `index` numbers the drive among the configured ones (its SCSI target).
    CEmulatedDrive(char letter, int index);

    // A different configuration counts as a media change: the disc is read anew and the
    // block size and speed go back to their defaults.
    void Configure(const DriveConfig& config);
    DriveConfig Config();
    // Why the drive shows no disc although one is configured; empty otherwise.
    std::string MediumProblem();

    int GetDriveInfo(CAspiCdromInfo* info) override;
    int IsUnitReady(int timeout) override;
    int GetToc(_CDROM_TOC* toc, int timeout) override;
    int GetTocEC(_CDROM_TOC* toc, int timeout) override;
    uint16_t GetCDType() override;
    uint32_t ReadCapacity(uint32_t* lastSector, uint32_t* blockSize, int timeout) override;
    int Open() override;
    int Close() override;
    int GetMultiSessionInfo(MULTISESSION_INFO* info, int timeout) override;
    uint32_t ReadSectors(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int timeout) override;
    uint32_t ReadSectorsNFUA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                             int timeout) override;
    uint32_t ReadSectorsReadCD(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                               int mode, int timeout) override;
    uint32_t ReadSectorsReadCDSCQ(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                  int timeout) override;
    uint32_t ReadPlxtrCDDA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                           int timeout) override;
    uint32_t ReadNecCDDA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int timeout) override;
    int SetReadSize(int blockSize) override;
    int SetReadSpeed(uint8_t speedFactor) override;
    int GetCapabilities(_MODE_CAPABILITIES_PAGE2* page, int timeout) override;
    int GetCDText(uint8_t* buffer, int size, int timeout) override;

    // The READ CD mode the library is called with: whole sectors, no error flags.
    static constexpr int kReadCdMode = 256;

private:
    CDiscImage* Disc();
    bool IsBad(int64_t lba) const;
    // Reads `count` sectors of `unit` bytes each with `sector`; all or nothing.
    template <typename SectorFn>
    uint32_t ReadRun(uint32_t first, uint16_t count, void* buffer, uint32_t size, uint32_t unit,
                     SectorFn sector);
    uint32_t PlainRead(uint32_t first, uint16_t count, void* buffer, uint32_t size);
    uint32_t AudioRead(uint32_t command, uint32_t first, uint16_t count, void* buffer,
                       uint32_t size);

    std::mutex m_mutex;
    const char m_letter;
    const int m_index;
    DriveConfig m_config;
    DriveProfile m_profile;
    std::unique_ptr<CDiscImage> m_disc;
    bool m_loaded = false;
    std::string m_problem;
    bool m_typeKnown = false;
    uint16_t m_type = 0;
    int m_blockSize = 2048;
    uint8_t m_speed = 0;
};
