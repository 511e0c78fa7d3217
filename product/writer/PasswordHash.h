#pragma once
// The image's password as a salted PBKDF2-HMAC-SHA256 hash made by the platform's
// cryptography (bcrypt); the text itself is never stored.
#include "image/Zl4Format.h"

#include <string>

// False when the platform cannot make the hash; the image is then not written.
bool HashPassword(const std::string& password, zl4::PasswordHash& hash);
