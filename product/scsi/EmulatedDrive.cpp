#include "scsi/EmulatedDrive.h"

#include "disc/DiscClassifier.h"
#include "disc/DiscRecords.h"
#include "disc/SectorData.h"

#include <cstring>
#include <vector>

namespace {
using Lock = std::lock_guard<std::mutex>;

// INQUIRY strings are blank-padded to their field width.
void CopyPadded(char* field, size_t width, const std::string& text) {
    memset(field, ' ', width);
    memcpy(field, text.data(), text.size() < width ? text.size() : width);
    field[width] = '\0';
}

// Drives report speeds in KB/s with 1x = 176.4 KB/s.
uint16_t KBs(uint8_t factor) {
    return static_cast<uint16_t>((factor * 1764 + 5) / 10);
}

void PutBe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}
} // namespace

CEmulatedDrive::CEmulatedDrive(char letter, int index)
    : m_letter(letter), m_index(index), m_profile(EffectiveProfile(m_config)) {
    m_speed = m_profile.SettleSpeed(255);
}

void CEmulatedDrive::Configure(const DriveConfig& config) {
    Lock lock(m_mutex);
    if (config == m_config)
        return;
    m_config = config;
    m_profile = EffectiveProfile(config);
    m_disc.reset();
    m_loaded = m_typeKnown = false;
    m_problem.clear();
    m_blockSize = 2048;
    m_speed = m_profile.SettleSpeed(255);
}

DriveConfig CEmulatedDrive::Config() {
    Lock lock(m_mutex);
    return m_config;
}

std::string CEmulatedDrive::MediumProblem() {
    Lock lock(m_mutex);
    Disc();
    return m_problem;
}

CDiscImage* CEmulatedDrive::Disc() {
    if (m_loaded)
        return m_disc.get();
    m_loaded = true;
    if (m_config.image.empty())
        return nullptr;
    m_disc = OpenDiscImage(m_config.image, m_config.media, m_problem);
    if (m_disc &&
        !m_profile.Accepts(m_disc->IsDvd() ? DriveCommand::kDvdMedia : DriveCommand::kCdMedia)) {
        m_problem = std::string("a ") + (m_disc->IsDvd() ? "DVD" : "CD") +
                    " is not recognised by this drive";
        m_disc.reset();
    }
    return m_disc.get();
}

bool CEmulatedDrive::IsBad(int64_t lba) const {
    for (const SectorRange& r : m_config.badSectors)
        if (lba >= r.first && lba <= r.last)
            return true;
    return false;
}

int CEmulatedDrive::GetDriveInfo(CAspiCdromInfo* info) {
    Lock lock(m_mutex);
    info->HostAdapter = 1;
    info->Target = static_cast<uint8_t>(m_index);
    info->Lun = 0;
    info->DriveIndex = static_cast<uint8_t>(m_index);
    CopyPadded(info->Vendor, sizeof(info->Vendor) - 1, m_profile.vendor);
    CopyPadded(info->Product, sizeof(info->Product) - 1, m_profile.product);
    CopyPadded(info->Revision, sizeof(info->Revision) - 1, m_profile.revision);
    return 1;
}

int CEmulatedDrive::IsUnitReady(int /*timeout*/) {
    Lock lock(m_mutex);
    return Disc() ? 1 : 0;
}

int CEmulatedDrive::GetToc(_CDROM_TOC* toc, int /*timeout*/) {
    Lock lock(m_mutex);
    CDiscImage* disc = Disc();
    if (!disc)
        return 0;
    BuildToc(disc->Layout(), *toc);
    return 1;
}

// The emulated table of contents has no read errors to correct.
int CEmulatedDrive::GetTocEC(_CDROM_TOC* toc, int timeout) {
    return GetToc(toc, timeout);
}

uint16_t CEmulatedDrive::GetCDType() {
    Lock lock(m_mutex);
    CDiscImage* disc = Disc();
    if (!disc)
        return 0;
    if (!m_typeKnown) {
        m_type = ClassifyDisc(*disc);
        m_typeKnown = true;
    }
    return m_type;
}

uint32_t CEmulatedDrive::ReadCapacity(uint32_t* lastSector, uint32_t* blockSize, int /*timeout*/) {
    Lock lock(m_mutex);
    CDiscImage* disc = Disc();
    if (!disc)
        return 0;
    const uint32_t last = static_cast<uint32_t>(disc->LastSector());
    if (lastSector)
        *lastSector = last;
    if (blockSize)
        *blockSize = SectorData::kUserSize;
    return last;
}

int CEmulatedDrive::Open() {
    Lock lock(m_mutex);
    return Disc() ? 1 : 0;
}

int CEmulatedDrive::Close() {
    return 1;
}

int CEmulatedDrive::GetMultiSessionInfo(MULTISESSION_INFO* info, int /*timeout*/) {
    Lock lock(m_mutex);
    CDiscImage* disc = Disc();
    if (!disc)
        return 0;
    BuildMultiSessionInfo(disc->Layout(), *info);
    return 1;
}

template <typename SectorFn>
uint32_t CEmulatedDrive::ReadRun(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                 uint32_t unit, SectorFn sector) {
    CDiscImage* disc = Disc();
    const uint64_t total = uint64_t(count) * unit;
    if (!disc || count == 0 || size < total)
        return 0;
    uint8_t* out = static_cast<uint8_t*>(buffer);
    for (uint32_t i = 0; i < count; ++i) {
        const int64_t lba = int64_t(first) + i;
        if (IsBad(lba) || !sector(*disc, lba, out + uint64_t(i) * unit))
            return 0;
    }
    return static_cast<uint32_t>(total);
}

// READ(10): 2048 user bytes of data sectors, or whole CD sectors once the block size is 2352.
uint32_t CEmulatedDrive::PlainRead(uint32_t first, uint16_t count, void* buffer, uint32_t size) {
    if (m_blockSize == 2352)
        return ReadRun(
            first, count, buffer, size, SectorData::kRawSize,
            [](CDiscImage& d, int64_t lba, uint8_t* out) { return d.ReadRaw(lba, out); });
    return ReadRun(first, count, buffer, size, SectorData::kUserSize,
                   [](CDiscImage& d, int64_t lba, uint8_t* out) { return d.ReadUser(lba, out); });
}

uint32_t CEmulatedDrive::ReadSectors(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                     int /*timeout*/) {
    Lock lock(m_mutex);
    return m_profile.Accepts(DriveCommand::kReadFua) ? PlainRead(first, count, buffer, size) : 0;
}

uint32_t CEmulatedDrive::ReadSectorsNFUA(uint32_t first, uint16_t count, void* buffer,
                                         uint32_t size, int /*timeout*/) {
    Lock lock(m_mutex);
    return m_profile.Accepts(DriveCommand::kReadNoFua) ? PlainRead(first, count, buffer, size) : 0;
}

uint32_t CEmulatedDrive::ReadSectorsReadCD(uint32_t first, uint16_t count, void* buffer,
                                           uint32_t size, int mode, int /*timeout*/) {
    Lock lock(m_mutex);
    if (!m_profile.Accepts(DriveCommand::kReadCd) || mode != kReadCdMode)
        return 0;
    return ReadRun(first, count, buffer, size, SectorData::kRawSize,
                   [](CDiscImage& d, int64_t lba, uint8_t* out) { return d.ReadRaw(lba, out); });
}

uint32_t CEmulatedDrive::ReadSectorsReadCDSCQ(uint32_t first, uint16_t count, void* buffer,
                                              uint32_t size, int /*timeout*/) {
    Lock lock(m_mutex);
    if (!m_profile.Accepts(DriveCommand::kReadCd | DriveCommand::kSubChannel))
        return 0;
    return ReadRun(first, count, buffer, size, SectorData::kRawSize + SectorData::kQSize,
                   [](CDiscImage& d, int64_t lba, uint8_t* out) {
                       return d.ReadRaw(lba, out) &&
                              SectorData::BuildQ(d.Layout(), lba, out + SectorData::kRawSize);
                   });
}

// The vendor audio commands read audio sectors only.
uint32_t CEmulatedDrive::AudioRead(uint32_t command, uint32_t first, uint16_t count, void* buffer,
                                   uint32_t size) {
    if (!m_profile.Accepts(command))
        return 0;
    return ReadRun(first, count, buffer, size, SectorData::kRawSize,
                   [](CDiscImage& d, int64_t lba, uint8_t* out) {
                       return d.IsAudio(lba) && d.ReadRaw(lba, out);
                   });
}

uint32_t CEmulatedDrive::ReadPlxtrCDDA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                       int /*timeout*/) {
    Lock lock(m_mutex);
    return AudioRead(DriveCommand::kPlextorCdda, first, count, buffer, size);
}

uint32_t CEmulatedDrive::ReadNecCDDA(uint32_t first, uint16_t count, void* buffer, uint32_t size,
                                     int /*timeout*/) {
    Lock lock(m_mutex);
    return AudioRead(DriveCommand::kNecCdda, first, count, buffer, size);
}

int CEmulatedDrive::SetReadSize(int blockSize) {
    Lock lock(m_mutex);
    if (blockSize == 2048) {
        m_blockSize = blockSize;
        return 1;
    }
    CDiscImage* disc = Disc();
    if (blockSize != 2352 || !m_profile.Accepts(DriveCommand::kBlock2352) ||
        (disc && disc->IsDvd()))
        return 0;
    m_blockSize = blockSize;
    return 1;
}

int CEmulatedDrive::SetReadSpeed(uint8_t speedFactor) {
    Lock lock(m_mutex);
    if (!m_profile.Accepts(DriveCommand::kSetSpeed))
        return 0;
    m_speed = m_profile.SettleSpeed(speedFactor);
    return 1;
}

int CEmulatedDrive::GetCapabilities(_MODE_CAPABILITIES_PAGE2* page, int /*timeout*/) {
    Lock lock(m_mutex);
    if (!m_profile.Accepts(DriveCommand::kModePage))
        return 0;
    uint8_t* b = page->Bytes;
    memset(b, 0, sizeof(page->Bytes));
    b[0] = 0x2A;
    b[1] = sizeof(page->Bytes) - 2;
    if (m_profile.Accepts(DriveCommand::kCdMedia))
        b[2] |= 0x03; // reads CD-R and CD-RW
    if (m_profile.Accepts(DriveCommand::kDvdMedia))
        b[2] |= 0x08; // reads DVD-ROM
    b[4] = 0x01;      // plays audio
    if (m_profile.Accepts(DriveCommand::kReadCd))
        b[5] |= 0x03; // CD-DA commands, accurate stream
    if (m_profile.Accepts(DriveCommand::kSubChannel))
        b[5] |= 0x04; // R-W sub-channel
    b[6] = 0x29;      // tray, eject, lock
    PutBe16(b + kMaxReadSpeedOffset, KBs(m_profile.maxSpeed));
    PutBe16(b + 10, 256);  // volume levels
    PutBe16(b + 12, 2048); // buffer KB
    PutBe16(b + kCurrentReadSpeedOffset,
            KBs(m_profile.reportedSpeed ? m_profile.reportedSpeed : m_speed));
    return 1;
}

int CEmulatedDrive::GetCDText(uint8_t* buffer, int size, int /*timeout*/) {
    Lock lock(m_mutex);
    CDiscImage* disc = Disc();
    if (!disc || disc->CdTextPacks().empty())
        return 0;
    const std::vector<uint8_t>& packs = disc->CdTextPacks();
    // The header's length counts the two reserved bytes and the packs.
    std::vector<uint8_t> answer(4);
    PutBe16(answer.data(), static_cast<uint16_t>(packs.size() + 2));
    answer.insert(answer.end(), packs.begin(), packs.end());
    if (buffer && size > 0)
        memcpy(buffer, answer.data(), answer.size() < size_t(size) ? answer.size() : size_t(size));
    return static_cast<int>(answer.size());
}
