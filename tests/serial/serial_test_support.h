// Helpers of the serial tests: a pseudo-terminal whose writes let Qt's event
// loop run, a folder per test, and waiting on the event loop.
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <string_view>

#include "lab/lab_test_support.h"
#include "support/pty_pair.h"

namespace wegator::test {

// Writes all of `bytes` to the pseudo-terminal, letting the event loop run while it is full.
inline bool SendProcessingEvents(PtyPair& pty, std::string_view bytes) {
    return pty.Send(bytes, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); });
}

// A folder of its own for each test, removed at its end.
using lab::testing::TempFolder;

// Runs the event loop until `done` holds (generous limit: a slow machine is no failure).
template <typename Condition>
bool WaitFor(Condition done, int limitMs = 5000) {
    return QTest::qWaitFor(done, limitMs);
}

}  // namespace wegator::test
