// SHA-256 for the chain that covers each record the station writes. The
// core's file digest is installed by the program around it (Qt's), and a
// station running without one must still confirm every record it writes, so
// the records carry a small digest of their own: FIPS 180-4, nothing more.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace wegator::lab {

class Sha256 {
public:
    Sha256();
    void Add(std::string_view bytes);
    // The digest of everything added, as 64 lowercase hexadecimal digits.
    // The object is spent afterwards.
    std::string HexDigest();

private:
    void Block(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0;  // bytes added
};

// The SHA-256 of the bytes, 64 lowercase hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace wegator::lab
