// What every fuzz target shares: a check that stops the run like a crash, so
// that libFuzzer keeps the input that broke a promise of the code under test
// (a text read back differently from how it was written, say), not only one
// that crashed it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace wegator::fuzz {

// The input as text (any bytes, NUL included).
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace wegator::fuzz
