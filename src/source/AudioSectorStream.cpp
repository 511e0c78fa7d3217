#include "source/AudioSectorStream.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kStreamTimeout = 30;
}

CAudioSectorStream::CAudioSectorStream(IDriveLibrary& drives)
    : m_drives(drives), m_buffer(kSectorBytes) {}

void CAudioSectorStream::Start(char letter, uint32_t firstSector, uint32_t endSector) {
    m_letter = letter;
    m_next = firstSector;
    m_end = endSector;
    m_position = kSectorBytes;
    m_attempts = 0;
}

bool CAudioSectorStream::ReadSector(int method) {
    const uint32_t sector = m_next++;
    ++m_attempts;
    uint8_t* buffer = m_buffer.data();
    const uint32_t size = kSectorBytes;
    uint32_t got = 0;
    switch (method) {
    case kAudioReadCd:
        got = m_drives.ReadSectorsReadCD(m_letter, sector, 1, buffer, size, kReadCdMode,
                                         kStreamTimeout);
        break;
    case kAudioReadPlextor:
        got = m_drives.ReadPlxtrCDDA(m_letter, sector, 1, buffer, size, kStreamTimeout);
        break;
    default:
        got = m_drives.ReadNecCDDA(m_letter, sector, 1, buffer, size, kStreamTimeout);
        break;
    }
    return got == size;
}

int CAudioSectorStream::Read(uint8_t* destination, size_t bytes, int method) {
    size_t copied = 0;
    bool good = true;
    while (copied < bytes && good) {
        if (m_position < kSectorBytes) {
            const size_t n = std::min(kSectorBytes - m_position, bytes - copied);
            std::memcpy(destination + copied, m_buffer.data() + m_position, n);
            m_position += n;
            copied += n;
            continue;
        }
        if (m_next >= m_end) {
            std::memset(destination + copied, 0, bytes - copied);
            break;
        }
        // Whole sectors go straight through; only the last, partly wanted one stays buffered.
        while (bytes - copied > kSectorBytes && m_next < m_end && (good = ReadSector(method))) {
            std::memcpy(destination + copied, m_buffer.data(), kSectorBytes);
            copied += kSectorBytes;
        }
        if (good && m_next < m_end && (good = ReadSector(method)))
            m_position = 0;
    }
    return good ? 1 : 0;
}
