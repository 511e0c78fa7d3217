#include "writer/PasswordHash.h"

#include <windows.h>

#include <bcrypt.h>

namespace {
// Slow enough to make guessing costly, quick enough not to be noticed in a build.
constexpr ULONG kIterations = 100000;
} // namespace

bool HashPassword(const std::string& password, zl4::PasswordHash& hash) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr,
                                    BCRYPT_ALG_HANDLE_HMAC_FLAG) != 0)
        return false;
    bool ok =
        BCryptGenRandom(nullptr, hash.salt, sizeof(hash.salt), BCRYPT_USE_SYSTEM_PREFERRED_RNG) ==
            0 &&
        BCryptDeriveKeyPBKDF2(algorithm,
                              reinterpret_cast<PUCHAR>(const_cast<char*>(password.data())),
                              static_cast<ULONG>(password.size()), hash.salt, sizeof(hash.salt),
                              kIterations, hash.hash, sizeof(hash.hash), 0) == 0;
    BCryptCloseAlgorithmProvider(algorithm, 0);
    if (ok) {
        hash.algorithm = zl4::kPasswordPbkdf2Sha256;
        hash.iterations = kIterations;
    }
    return ok;
}
