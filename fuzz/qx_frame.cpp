// DecodeQxFrame on any bytes of a 7-bit line. An accepted frame has the
// length of its kind, a channel 0 to 8, and values within what its fields can
// hold; a frame with one character's parity bit flipped is never accepted.
#include "lab/lines/qx_frame.h"

#include <cmath>
#include <vector>

#include "fuzz_check.h"

using namespace wegator::lab;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> line(data, data + size);
    for (auto& b : line) b &= 0x7F;  // what a 7-bit line delivers
    const QxDecodeResult r = DecodeQxFrame(line);
    if (r.verdict != Verdict::Accepted) return 0;
    const QxFrame& f = r.frame;
    FUZZ_CHECK(line.size() >= 12 && line.size() <= 15);
    switch (f.kind) {
        case QxKind::Pressure:
            FUZZ_CHECK(line.size() == 12);
            FUZZ_CHECK(std::fabs(f.pressure) <= 9999.9);  // five digits, at least tenths
            break;
        case QxKind::Environment:
            FUZZ_CHECK(line.size() == 14);
            FUZZ_CHECK(f.humidity >= 0 && f.humidity <= 99.9 && f.temperature >= -99.9 && f.temperature <= 999.9);
            break;
        case QxKind::Temperature:
            FUZZ_CHECK(line.size() == 13 || line.size() == 15);
            FUZZ_CHECK(f.highResolution == (line.size() == 15 ? 1 : 0));
            FUZZ_CHECK(f.channel >= 0 && f.channel <= 8);
            FUZZ_CHECK(std::fabs(f.temperature) <= 9999.99);
            break;
    }
    // Every character between the start and the CR is guarded by its parity.
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        std::vector<std::uint8_t> broken = line;
        broken[i] ^= 0x40;
        FUZZ_CHECK(DecodeQxFrame(broken).verdict == Verdict::Parity);
    }
    return 0;
}
