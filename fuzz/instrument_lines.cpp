// The DP30 and F-250 line decoders on any bytes. Input: one byte choosing the
// instrument (bit 0), then the line. An accepted DP30 line carries "R**B*"
// and a dew point of at most 999.99 °C either way; an accepted F-250 line
// holds 11 or 12 characters and a temperature of at most 999.999 in its unit.
#include <cmath>
#include <span>

#include "fuzz_check.h"
#include "lab/lines/dp30_line.h"
#include "lab/lines/f250_line.h"

using namespace wegator::lab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const std::uint8_t> line(data + 1, size - 1);
    if (data[0] & 1) {
        const Dp30DecodeResult r = DecodeDp30Line(line);
        if (r.verdict != Verdict::Accepted) return 0;
        FUZZ_CHECK(line.size() == kDp30LineLength);
        FUZZ_CHECK(std::string_view(reinterpret_cast<const char*>(line.data()), 5) == "R**B*");
        FUZZ_CHECK(std::fabs(r.dewPoint) <= 999.99);
    } else {
        const F250DecodeResult r = DecodeF250Line(line);
        FUZZ_CHECK(r.unitCommands >= 0 && static_cast<std::size_t>(r.unitCommands) <= line.size());
        if (r.verdict != Verdict::Accepted) return 0;
        FUZZ_CHECK(line.size() >= kF250ShortestLine && line.size() <= kF250LongestLine);
        // °C from °F, K or °C of at most 999.999.
        FUZZ_CHECK(std::isfinite(r.temperature) && r.temperature >= -1273.15 && r.temperature <= 999.999);
    }
    return 0;
}
