// Which instrument streams a laboratory configuration reads, and on which
// serial port. The station opens what this says, and the settings sheet
// checks and plans changes by the same rules, so the two never disagree on
// whether, say, the QX-316 runs while the pressure is entered by hand.
#pragma once

#include <cstdint>

#include "app/settings.h"
#include "lab/lines/stream.h"

namespace wegator::lab {

// The order in which streams are (re)started after a change: the pressure
// and the room's conditions first, then the dew point, then the thermometers.
inline constexpr Stream kStreamRestartOrder[kStreamCount] = {
    Stream::Qx316, Stream::Qx310Environment, Stream::Dp30, Stream::Qx310Temperature, Stream::Qx311, Stream::F250};

// Whether a temperature source code (SETTINGS_PORT_TEMP_DEVICE: 2 QX-310,
// 3 QX-311, 4 ASL F-250, 5 QX-310 with the QX-311 gradient, 6 ASL F-250 with
// the gradient) reads the stream's instrument. Only the three thermometer
// streams depend on it.
bool TemperatureSourceReads(int sourceCode, Stream stream);

// External instruments on, and the temperature source, the pressure source
// and the environment switch asking for the stream.
bool StreamInUse(const Settings& settings, Stream stream);

// The stream's configured port (COMn); 0 or less is none.
std::int32_t& StreamPort(Settings& settings, Stream stream);
std::int32_t StreamPort(const Settings& settings, Stream stream);

}  // namespace wegator::lab
