// SHA-256 by Qt's QCryptographicHash, installed into the core at start by
// the desktop program and the command line (the core itself has no hashing).
#pragma once

#include <string>
#include <string_view>

namespace wegator {

// The SHA-256 of the bytes as 64 lowercase hexadecimal digits.
std::string QtSha256(std::string_view bytes);

// Installs QtSha256 as the core's file digest (SetFileDigest).
void InstallQtFileDigest();

}  // namespace wegator
