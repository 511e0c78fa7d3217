#pragma once
// A Quick Copy file: one 4,700-byte record that remembers, for one particular disc, the read
// options it was copied with. The wizard reads it, the writer program writes it; both use
// this code, so the layout has one definition. Numbers are little-endian.
//
// Offset  Size  Content
//      0     4  magic "ZQC1" (ours; the wizard does not check it)
//      4     2  layout version (1)
//      6     2  record size (4700)
//      8     4  option flags (QuickCopyFlag)
//     12     2  disc type code of the disc the record was made from
//     14     2  zero
//     16     4  skip range
//     20    36  volume label, zero-ended
//     56   804  table of contents, byte for byte as the drive library reports it
//    860   260  image file the record was written with, zero-ended
//   1120  1368  zero
//   2488  2212  description, zero-ended, to the end of the record
#include "app/Texts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kQuickCopyRecordSize = 4700;
constexpr size_t kQuickCopyTocSize = 804;
constexpr uint16_t kQuickCopyVersion = 1;

enum QuickCopyFlag : uint32_t {
    kQuickCopyFastRead = 1u << 0,
    kQuickCopyDynamicErrors = 1u << 2,
    kQuickCopyRaw = 1u << 3,        // 2352-byte sectors, sector type 256
    kQuickCopySubChannel = 1u << 4, // only together with kQuickCopyRaw
    kQuickCopyAudioAsData = 1u << 8,
};

// The read options a record carries, as the job knows them.
struct QuickCopyOptions {
    bool fastRead = false;
    bool dynamicErrorHandling = false;
    bool raw = false;
    bool subChannel = false;
    bool audioAsData = false;
    bool operator==(const QuickCopyOptions& o) const {
        return fastRead == o.fastRead && dynamicErrorHandling == o.dynamicErrorHandling &&
               raw == o.raw && subChannel == o.subChannel && audioAsData == o.audioAsData;
    }
};

uint32_t EncodeQuickCopyFlags(const QuickCopyOptions& options);
QuickCopyOptions DecodeQuickCopyFlags(uint32_t flags);

struct QuickCopyRecord {
    uint32_t flags = 0;
    uint16_t cdType = 0;
    uint32_t skipRange = 0;
    std::string label;
    std::array<uint8_t, kQuickCopyTocSize> toc{};
    std::string imageFile;
    std::string description;
    // How many bytes of the record the file held; fewer than the record size means the
    // fields past that point came out empty (unread bytes count as zero).
    size_t bytesRead = kQuickCopyRecordSize;

    bool Complete() const { return bytesRead >= kQuickCopyRecordSize; }
};

// Reads a record from the first `size` bytes of a file. Texts end at their zero byte or at
// their field's end, whichever comes first; nothing outside the record is touched.
QuickCopyRecord ParseQuickCopyRecord(const uint8_t* data, size_t size);
// The 4,700 bytes of a record; texts too long for their field are cut so that the zero
// byte still fits.
std::vector<uint8_t> BuildQuickCopyRecord(const QuickCopyRecord& record);

// "%s (%s)" of the description and the file name without folder and extension.
std::string MakeQuickCopyDisplayName(const QuickCopyRecord& record, const std::string& path);

// The file name the writer tries for a label: "LABEL.zqc" first, then "LABEL_2.zqc",
// "LABEL_3.zqc", ... (`attempt` counts from 1). The label is made safe for a file name;
// an empty one becomes "QuickCopy".
std::string QuickCopyFileName(const std::string& label, int attempt);
