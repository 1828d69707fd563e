// The move-to-front list of the most recently changed primary inputs that a
// page hands to a calculation as its preference list: a failed check names
// the limit of the input changed last.
#pragma once

#include <array>
#include <cstddef>

namespace wegator {

// Puts `code` at h[3] (the most recent); the codes after its old place (or
// all, dropping h[0], when it was not there) close up towards h[0].
inline void MoveToFront(std::array<int, 4>& history, int code) {
    if (history[3] == code) return;
    std::size_t from = 0;
    if (history[2] == code) {
        from = 2;
    } else if (history[1] == code) {
        from = 1;
    }
    for (std::size_t i = from; i < 3; ++i) history[i] = history[i + 1];
    history[3] = code;
}

}  // namespace wegator
