// The checksum of a file's bytes (SHA-256), for records an auditor can
// follow: a correction table named in a manifest or a printout is the very
// table used only while its checksum matches. The core keeps to the standard
// library, so the hashing itself is installed at start by the program
// (wegator and wegator-cli install Qt's), as the string look-up is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wegator {

// Returns the SHA-256 of the bytes as 64 lowercase hexadecimal digits.
using FileDigest = std::string (*)(std::string_view bytes);

// Installs the hashing; nullptr removes it.
void SetFileDigest(FileDigest digest);
// Whether a hashing is installed.
bool HasFileDigest();

// The SHA-256 of the bytes (64 lowercase hexadecimal digits); empty when no
// hashing is installed.
std::string DigestOf(std::string_view bytes);

// The largest file hashed: correction tables are some kilobytes, data files
// may grow to many megabytes over weeks of recording.
inline constexpr std::uintmax_t kDigestFileSizeLimit = 256ull * 1024 * 1024;

// The SHA-256 of a regular file's bytes; empty when the file cannot be read
// (missing, a folder, too large) or no hashing is installed.
std::string DigestOfFile(const std::filesystem::path& file);

// The first `digits` hexadecimal digits of a digest, for a short checksum on
// paper where the whole one would not fit; the whole digest when shorter.
std::string ShortDigest(std::string_view digest, std::size_t digits = 8);

}  // namespace wegator
