#pragma once
// Which of the product's virtual drives play their audio tracks through the analog path:
// those whose emulated-drive configuration says so ("Analog" in DriveRegistry.h). Read on
// every call, as zl5drive may change it while a program runs.
#include "scsi/DriveRegistry.h"

class CAnalogAudioDrives {
public:
    bool IsAnalog(char letter) const {
        const char upper = NormalizeLetter(std::string(1, letter));
        ConfigValues values;
        DriveConfig config;
        std::string error;
        return upper && m_registry.Read(upper, values) && ParseDriveConfig(values, config, error) &&
               config.analog;
    }

private:
    CDriveRegistry m_registry;
};
