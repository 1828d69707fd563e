#include "lab/lines/stream_use.h"

namespace wegator::lab {

bool TemperatureSourceReads(int sourceCode, Stream stream) {
    switch (stream) {
        case Stream::Qx310Temperature: return sourceCode == 2 || sourceCode == 5;
        case Stream::Qx311: return sourceCode == 3 || sourceCode == 5 || sourceCode == 6;
        case Stream::F250: return sourceCode == 4 || sourceCode == 6;
        default: return false;
    }
}

bool StreamInUse(const Settings& s, Stream stream) {
    if (s.settingsLabDevices == 0) return false;
    switch (stream) {
        case Stream::Qx316: return s.settingsPortPressDevice == 0;
        case Stream::Qx310Environment: return s.settingsPortEnvQx310Device != 0;
        case Stream::Dp30: return true;
        case Stream::Qx310Temperature:
        case Stream::Qx311:
        case Stream::F250: return TemperatureSourceReads(s.settingsPortTempDevice, stream);
    }
    return false;
}

std::int32_t& StreamPort(Settings& s, Stream stream) {
    switch (stream) {
        case Stream::Qx316: return s.settingsPortComQx316;
        case Stream::Qx310Environment: return s.settingsPortComEnvQx310;
        case Stream::Dp30: return s.settingsPortComDp30;
        case Stream::Qx310Temperature: return s.settingsPortComQx310;
        case Stream::Qx311: return s.settingsPortComQx311;
        case Stream::F250: break;
    }
    return s.settingsPortComF250;
}

std::int32_t StreamPort(const Settings& s, Stream stream) { return StreamPort(const_cast<Settings&>(s), stream); }

}  // namespace wegator::lab
