#pragma once
// Presets of a new build job: compression per disc kind, audio handling, audio format.
#include "audio/AudioFormatRecord.h"
#include "settings/ZlxBaseSettings.h"

#include <cstdint>
#include <string>

constexpr int kPresetGroups = 17;
constexpr int kEditorPresetGroup = 1;

class CZlxPreSettings : public CZlxBaseSettings {
public:
    CZlxPreSettings(IEnvStore& store, IRegistry& registry);
    void Save() override;

    int GroupFlag(int group) const;
    int GroupNumber(int group) const;

    std::string Compression = "1000100000000000000000000000000000000000000000000000000000000000"
                              "0000";
    int SubChannelForAudioDiscs = 0;
    int AudioAsDataTracks = 0;
    AudioFormatRecord AudioFormat = CdAudioFormat();
};

struct CompressionSetting {
    int type = 0;  // 0 none, 1 block coder, 2 zlib
    int level = 0; // zlib level, else 0
    bool operator==(const CompressionSetting& o) const {
        return type == o.type && level == o.level;
    }
};

// The whole-disc sizes the estimate measured, in MB: without compression and with the
// block coder, zlib 1 and zlib 3.
struct MeasuredSizes {
    uint32_t uncompressed = 0;
    uint32_t coder = 0;
    uint32_t zlib1 = 0;
    uint32_t zlib3 = 0;
};

// 1 → coder, 2/3/4 → zlib 1/3/6, anything else → none.
CompressionSetting FixedCompression(int number);
// Preset group of a disc kind (type code with its DVD content bits).
int PresetGroupForDisc(uint16_t cdType);
// The compression a new wizard job starts with.
CompressionSetting ChooseCompression(const CZlxPreSettings& presets, uint16_t cdType,
                                     const MeasuredSizes& sizes);
