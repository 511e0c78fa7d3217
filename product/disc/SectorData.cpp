#include "disc/SectorData.h"

#include "source/CdSector.h"

#include <cstring>

namespace SectorData {
namespace {
uint8_t Bcd(int64_t v) {
    return static_cast<uint8_t>((v / 10) << 4 | (v % 10));
}

void Msf(int64_t frames, uint8_t* out) {
    out[0] = Bcd(frames / (75 * 60) % 100);
    out[1] = Bcd(frames / 75 % 60);
    out[2] = Bcd(frames % 75);
}

void SyncAndHeader(int64_t lba, uint8_t mode, uint8_t* raw) {
    memset(raw, 0, kRawSize);
    memset(raw + 1, 0xFF, 10);
    Msf(lba + CdSector::kLeadIn, raw + 12);
    raw[15] = mode;
}
} // namespace

void BuildMode1(int64_t lba, const uint8_t* user, uint8_t* raw) {
    CdSector::BuildMode1(static_cast<uint32_t>(lba), user, raw);
}

void BuildGap(int64_t lba, SectorKind kind, uint8_t* raw) {
    static const uint8_t zeros[kUserSize] = {};
    switch (kind) {
    case SectorKind::Audio:
        memset(raw, 0, kRawSize); // digital silence
        break;
    case SectorKind::Mode1:
        BuildMode1(lba, zeros, raw);
        break;
    case SectorKind::Mode2:
        // Form 2 with its optional EDC left at zero, as mastering tools write gap sectors.
        SyncAndHeader(lba, 2, raw);
        raw[18] = raw[22] = 0x20;
        break;
    }
}

bool UserData(const uint8_t* raw, const uint8_t*& user) {
    if (raw[15] == 1) {
        user = raw + 16;
        return true;
    }
    // Mode 2: the sub-header's form bit (0x20 of the sub-mode byte) marks Form 2.
    if (raw[15] == 2 && !(raw[18] & 0x20)) {
        user = raw + 24;
        return true;
    }
    return false;
}

uint16_t QCrc(const uint8_t* data, size_t count) {
    uint16_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc ^= static_cast<uint16_t>(data[i] << 8);
        for (int k = 0; k < 8; ++k)
            crc = static_cast<uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return static_cast<uint16_t>(~crc);
}

bool BuildQ(const CDiscLayout& layout, int64_t lba, uint8_t* q) {
    const LayoutTrack* track = layout.TrackAt(lba);
    if (!track)
        return false;
    memset(q, 0, kQSize);
    q[0] = static_cast<uint8_t>(track->control << 4 | 1); // ADR 1: position
    q[1] = Bcd(track->number);
    q[2] = Bcd(layout.IndexAt(*track, lba));
    // In the pregap the relative time counts down to index 01.
    Msf(lba < track->startLba ? track->startLba - lba : lba - track->startLba, q + 3);
    Msf(lba + CdSector::kLeadIn, q + 7);
    const uint16_t crc = QCrc(q, 10);
    q[10] = static_cast<uint8_t>(crc >> 8);
    q[11] = static_cast<uint8_t>(crc);
    return true;
}

} // namespace SectorData
