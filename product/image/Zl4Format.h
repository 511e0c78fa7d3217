#pragma once
// The .zl4 image container: fixed-size little-endian records, versioned, so that a reader
// can refuse what it does not understand. Layout (product/README.md has the diagram):
//
//   header (4096 bytes) | blocks ... | disc record | track table | unreadable ranges | index
//
// Sector data is kept in blocks of 16 sectors in image order; each block is stored raw,
// with the block coder (method 1) or with zlib (method 2), whichever is smaller than raw.
// When sub-channel is stored, a block's plain content is its sectors' data followed by
// 16 Q bytes per sector; only the sector data is compressed, the Q bytes follow it as they
// are. Every block carries a CRC-32 of its stored bytes and of its plain content; the
// header carries a CRC-32 of itself and one of every byte after it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zl4 {

constexpr char kMagic[8] = {'Z', 'E', 'L', 'V', 'Z', 'L', '4', '\x1a'};
constexpr uint16_t kVersionMajor = 1; // a reader refuses any other major version
constexpr uint16_t kVersionMinor = 0; // later minor versions only add to reserved space
constexpr uint32_t kHeaderSize = 4096;
constexpr uint32_t kSectorsPerBlock = 16;
constexpr uint32_t kSubchannelSize = 16;
constexpr uint32_t kDiscRecordSize = 804 + 1101; // table of contents, session details
constexpr uint32_t kTrackEntrySize = 512;
constexpr uint32_t kRangeEntrySize = 8;
constexpr uint32_t kIndexEntrySize = 24;
constexpr uint32_t kNotStored = 0xFFFFFFFFu;

constexpr uint32_t kFlagSubchannel = 1, kFlagPassword = 2;
enum Method : uint8_t { kMethodRaw = 0, kMethodBlockCoder = 1, kMethodZlib = 2 };
enum TrackKind : uint8_t { kTrackData = 0, kTrackAudio = 1, kTrackSoundFile = 2 };
constexpr uint32_t kPasswordPbkdf2Sha256 = 1;

// Field sizes of the header's texts (each NUL-terminated inside its field).
constexpr size_t kShortText = 256;
constexpr size_t kCommentText = 2048;
constexpr size_t kTitleText = 224;
constexpr size_t kFileText = 256;

struct PasswordHash {
    uint32_t algorithm = 0; // 0: no password
    uint32_t iterations = 0;
    uint8_t salt[16] = {};
    uint8_t hash[32] = {};
};

// What the header says about the disc and the image, apart from the layout fields.
struct Properties {
    std::string label, description, comment, startProgram, startPath, artist, album;
    std::string autoInsertDrive; // "E:" or empty
    uint16_t hotkeyVirtualKey = 0, hotkeyModifiers = 0;
    uint16_t discType = 0, sectorType = 0;
    uint32_t sectorSize = 2048; // 2048 cooked or 2352 raw
    bool subchannel = false;    // 16 Q bytes stored after each sector
    uint8_t compressionType = 0, compressionLevel = 0;
    PasswordHash password;
};

struct Track {
    uint8_t number = 0;
    uint8_t kind = kTrackData;
    uint8_t control = 0;
    uint32_t discFirstSector = 0;
    uint32_t sectorCount = 0;
    uint32_t firstStored = kNotStored; // index of its first sector in the image's sector data
    std::string title;
    std::string soundFile; // for kTrackSoundFile: file name beside the image
};

struct Range {
    uint32_t first = 0, count = 0;
};

struct BlockEntry {
    uint64_t offset = 0;
    uint32_t storedSize = 0;
    uint32_t storedCrc = 0;
    uint32_t plainCrc = 0;
    uint8_t method = kMethodRaw;
    uint8_t sectors = 0;
};

// Layout fields of the header, filled by the writer at the end.
struct Layout {
    uint16_t versionMajor = kVersionMajor, versionMinor = kVersionMinor;
    uint32_t headerCrc = 0, imageCrc = 0;
    uint64_t fileSize = 0;
    uint32_t sectorCount = 0, blockCount = 0, trackCount = 0, rangeCount = 0;
    uint64_t discOffset = 0, trackOffset = 0, rangeOffset = 0, indexOffset = 0;
};

struct Header {
    Properties props;
    Layout layout;
};

// Bytes of one stored sector (data plus Q when stored) and of a block's plain content.
uint32_t StoredSectorSize(const Properties& props);

std::vector<uint8_t> EncodeHeader(const Header& header); // with its CRC filled in
// False with `error` (byte position and reason) when the header is not one this reader
// understands; the layout's sizes are checked against `fileSize`.
bool DecodeHeader(const uint8_t* bytes, size_t size, uint64_t fileSize, Header& header,
                  std::string& error);

void EncodeTrack(const Track& track, uint8_t* out);
Track DecodeTrack(const uint8_t* in);
void EncodeBlockEntry(const BlockEntry& entry, uint8_t* out);
BlockEntry DecodeBlockEntry(const uint8_t* in);

uint32_t Crc32(uint32_t crc, const void* data, size_t size);

// Little-endian field access.
void Put16(uint8_t* p, uint16_t v);
void Put32(uint8_t* p, uint32_t v);
void Put64(uint8_t* p, uint64_t v);
uint16_t Get16(const uint8_t* p);
uint32_t Get32(const uint8_t* p);
uint64_t Get64(const uint8_t* p);

} // namespace zl4
