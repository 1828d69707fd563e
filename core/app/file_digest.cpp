#include "app/file_digest.h"

#include "app/files.h"

namespace wegator {

namespace {
FileDigest gDigest = nullptr;
}  // namespace

void SetFileDigest(FileDigest digest) { gDigest = digest; }

bool HasFileDigest() { return gDigest != nullptr; }

std::string DigestOf(std::string_view bytes) { return gDigest != nullptr ? gDigest(bytes) : std::string(); }

std::string DigestOfFile(const std::filesystem::path& file) {
    if (gDigest == nullptr) return {};
    const FileRead read = ReadWholeFile(file, kDigestFileSizeLimit);
    if (read.state != ReadState::Read) return {};
    return gDigest(read.data);
}

std::string ShortDigest(std::string_view digest, std::size_t digits) {
    return std::string(digest.substr(0, digits));
}

}  // namespace wegator
