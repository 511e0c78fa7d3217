#pragma once
// The audio format record: the 18-byte wave format header followed by up to 64 codec
// bytes, laid out byte for byte as the platform's WAVEFORMATEX with its extra area.
#include <cstdint>

#pragma pack(push, 1)
struct AudioFormatRecord {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;
    uint8_t extra[64];
};
#pragma pack(pop)
static_assert(sizeof(AudioFormatRecord) == 82, "audio format record is 82 bytes");

// PCM, 2 channels, 44100 Hz, 16 bits: what every conversion starts from.
inline AudioFormatRecord CdAudioFormat() {
    AudioFormatRecord f{};
    f.formatTag = 1;
    f.channels = 2;
    f.samplesPerSec = 44100;
    f.avgBytesPerSec = 176400;
    f.blockAlign = 4;
    f.bitsPerSample = 16;
    return f;
}

// Reads and writes the eight store values of a record under a prefix such as
// "ZlxBuildAcm", "ZlxPreAcm" or "ZlxEditorAcm".
class IEnvStore;
namespace AudioFormatValues {
// Header fields from the store, each only when present; the codec bytes when the extra
// size is not 0. `requireTag`: nothing is read unless "<prefix>FormatTag" exists.
bool Read(IEnvStore& store, const char* prefix, AudioFormatRecord& format, bool requireTag,
          int bufferSize);
// The seven numbers in the order the job writes them; codec data when extra size != 0.
void Write(IEnvStore& store, const char* prefix, const AudioFormatRecord& format);
} // namespace AudioFormatValues
