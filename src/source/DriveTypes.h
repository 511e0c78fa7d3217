#pragma once
// Records exchanged with the drive access library, byte for byte as the library lays
// them out (the table of contents follows the Windows DDK's CDROM_TOC).
#include <cstdint>

#pragma pack(push, 1)
struct TocTrackEntry {
    uint8_t Reserved;
    uint8_t ControlAdr; // control in the low 4 bits, ADR in the high 4 bits
    uint8_t TrackNumber;
    uint8_t Reserved1;
    uint8_t Address[4]; // big-endian logical block address
};

struct _CDROM_TOC {
    uint8_t Length[2];
    uint8_t FirstTrack;
    uint8_t LastTrack;
    TocTrackEntry TrackData[100];
};

struct MULTISESSION_INFO {
    uint8_t Data[2216];
};

// The two track bytes bound the session from above, then from below.
struct SessionDetail {
    uint8_t Session;
    uint8_t LastTrack;
    uint8_t FirstTrack;
    uint32_t FirstSector;
    uint32_t LastSector;
};

struct SESSIONS_DETAILS {
    uint8_t Count;
    SessionDetail Sessions[100];
};

// Filled by the library; the wizard reads the three texts only.
struct CAspiCdromInfo {
    uint8_t HostAdapter = 255;
    uint8_t Target = 255;
    uint8_t Lun = 255;
    uint8_t DriveIndex = 255;
    uint8_t Flags = 0;
    char Vendor[9] = {};
    char Product[17] = {};
    char Revision[5] = {};
};

// Mode page 2Ah: speeds in KB/s, big-endian.
struct _MODE_CAPABILITIES_PAGE2 {
    uint8_t Bytes[32];
};
#pragma pack(pop)

static_assert(sizeof(TocTrackEntry) == 8, "TOC entry is 8 bytes");
static_assert(sizeof(_CDROM_TOC) == 804, "table of contents is 804 bytes");
static_assert(sizeof(MULTISESSION_INFO) == 2216, "multisession record is 2216 bytes");
static_assert(sizeof(SessionDetail) == 11, "session entry is 11 bytes");
static_assert(sizeof(SESSIONS_DETAILS) == 1101, "session details are 1101 bytes");

constexpr uint8_t kTocDataTrack = 4; // control bit of a data track

inline uint8_t TocControl(const TocTrackEntry& e) {
    return e.ControlAdr & 0x0F;
}
inline bool TocIsData(const TocTrackEntry& e) {
    return (TocControl(e) & kTocDataTrack) != 0;
}
inline uint32_t TocAddress(const TocTrackEntry& e) {
    return (uint32_t(e.Address[0]) << 24) | (uint32_t(e.Address[1]) << 16) |
           (uint32_t(e.Address[2]) << 8) | e.Address[3];
}
inline void SetTocAddress(TocTrackEntry& e, uint32_t lba) {
    e.Address[0] = uint8_t(lba >> 24);
    e.Address[1] = uint8_t(lba >> 16);
    e.Address[2] = uint8_t(lba >> 8);
    e.Address[3] = uint8_t(lba);
}
inline uint16_t SpeedKBs(const _MODE_CAPABILITIES_PAGE2& p, int offset) {
    return uint16_t((p.Bytes[offset] << 8) | p.Bytes[offset + 1]);
}
constexpr int kMaxReadSpeedOffset = 8;
constexpr int kCurrentReadSpeedOffset = 14;
constexpr int kKBsPerSpeedFactor = 176;
