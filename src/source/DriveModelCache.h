#pragma once
// Read-test results kept per drive model, so a known model is not tested at every analysis.
// One six-character value per model, in the settings store and mirrored for the product's
// other programs under the local machine's settings key:
//   raw data readable, sub-channel readable, raw audio readable ("1"/"0"),
//   raw data method (0, 1, 2, else 9), raw audio method (0-3, else 9), data read method (0-2, else
//   9).
#include "settings/EnvStore.h"
#include "settings/Registry.h"
#include "source/DriveTypes.h"

#include <optional>
#include <string>

constexpr const char* kDriveModelCacheKey = "SOFTWARE\\Kestrelin\\Zelvane 5\\Settings";

struct DriveReadAbilities {
    int rawDataReadable = 0;
    int subChannelReadable = 0;
    int rawAudioReadable = 0;
    int rawDataMethod = 0;  // 0 untested, 1 READ CD, 2 normal read of 2352 bytes, 9 none
    int rawAudioMethod = 0; // 0 untested, 1 READ CD, 2 Plextor, 3 NEC, 9 none
    int dataReadMethod = 0; // 0 untested, 1 with Force Unit Access, 2 without, 9 none
};

// "vendor_revision_product" of the drive's identification, without trailing blanks.
std::string DriveModelName(const CAspiCdromInfo& info);

std::string EncodeAbilities(const DriveReadAbilities& abilities);
// Nothing for values of 5 characters or less: they are not results of this program.
std::optional<DriveReadAbilities> DecodeAbilities(const std::string& value);

class CDriveModelCache {
public:
    CDriveModelCache(IEnvStore& store, IRegistry& registry)
        : m_store(store), m_registry(registry) {}
    std::optional<DriveReadAbilities> Load(const std::string& model);
    void Save(const std::string& model, const DriveReadAbilities& abilities);

private:
    IEnvStore& m_store;
    IRegistry& m_registry;
};
