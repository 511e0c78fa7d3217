#include "writer/DriveReader.h"

#include "ZL5Scsi.h"

#include <cstring>

namespace {
constexpr int kTimeout = 30;
}

bool CDriveReader::Open() {
    m_open = ZLXScsiOpenDrive(m_letter) != 0;
    return m_open && ZLXScsiIsUnitReady(m_letter, kTimeout) != 0;
}

void CDriveReader::Close() {
    if (m_open)
        ZLXScsiCloseDrive(m_letter);
    m_open = false;
}

bool CDriveReader::Eject() {
    Close();
    return ZLXScsiEjectMedia(m_letter) != 0;
}

bool CDriveReader::ReadCooked(uint32_t lba, uint16_t count, uint8_t* out, bool fua) {
    if (m_blockSize != 2048 && ZLXScsiSetReadSize(m_letter, 2048))
        m_blockSize = 2048;
    const uint32_t size = uint32_t(count) * 2048;
    uint32_t got = fua ? ZLXScsiReadSectors(m_letter, lba, count, out, size, kTimeout)
                       : ZLXScsiReadSectorsNFUA(m_letter, lba, count, out, size, kTimeout);
    return got == size;
}

bool CDriveReader::ReadRaw(uint32_t lba, uint16_t count, uint8_t* out, bool audio, bool q) {
    if (q) {
        const uint32_t size = uint32_t(count) * 2368;
        return ZLXScsiReadSectorsReadCDSCQ(m_letter, lba, count, out, size, kTimeout) == size;
    }
    const uint32_t size = uint32_t(count) * 2352;
    uint32_t got = 0;
    if (audio && m_rawAudioType == 2)
        got = ZLXScsiReadPlxtrCDDA(m_letter, lba, count, out, size, kTimeout);
    else if (audio && m_rawAudioType == 3)
        got = ZLXScsiReadNecCDDA(m_letter, lba, count, out, size, kTimeout);
    else
        got = ZLXScsiReadSectorsReadCD(m_letter, lba, count, out, size, 256, kTimeout);
    return got == size;
}

void CDriveReader::SetSpeed(int factor) {
    ZLXScsiSetReadSpeed(m_letter, static_cast<uint8_t>(factor > 255 ? 255 : factor));
}

bool CDriveReader::SessionDetails(uint8_t* out) {
    MULTISESSION_INFO info;
    SESSIONS_DETAILS details;
    memset(&details, 0, sizeof(details));
    if (!ZLXScsiGetMultiSessionInfo(m_letter, &info, kTimeout) ||
        !ZLXScsiGetSessionsDetails(&info, &details))
        return false;
    memcpy(out, &details, sizeof(details));
    return true;
}

bool CDriveReader::Toc(uint8_t* out) {
    _CDROM_TOC toc;
    memset(&toc, 0, sizeof(toc));
    if (!ZLXScsiGetToc(m_letter, &toc, kTimeout))
        return false;
    memcpy(out, &toc, sizeof(toc));
    return true;
}
