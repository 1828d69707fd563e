// A laboratory station in virtual time, for the tests and the benchmarks:
// ports that open or refuse on command with every call logged at its virtual
// moment, the settings of a station with all six instrument ports, and the
// page with its clock, host and eight-channel page wired together.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "lab/station/laboratory_page.h"

namespace wegator::lab::testing {

class FakeLink : public InstrumentLink {
public:
    explicit FakeLink(const VirtualTime& time) : time_(time) {}
    bool Open(Stream stream, int port, std::string& error) override {
        Log("open " + std::string(StreamName(stream)) + " " + std::to_string(port));
        if (refused.count(stream) != 0) {
            error = "busy";
            return false;
        }
        return true;
    }
    void Close(Stream stream) override { Log("close " + std::string(StreamName(stream))); }
    void Send(Stream stream, F250Command command) override {
        Log("send " + std::string(StreamName(stream)) + " " + std::string(F250CommandName(command)));
    }
    void Log(const std::string& what) {
        if (logging) log.push_back(std::to_string(time_.MonotonicMs()) + " " + what);
    }

    std::set<Stream> refused;
    std::vector<std::string> log;
    bool logging = true;

private:
    const VirtualTime& time_;
};

// Instruments on, the six ports COM1 … COM6, the F-250 as thermometer, three
// observations over the minute (20 s apart), results every 5 s.
inline Settings StationSettings() {
    Settings s;
    s.settingsLabDevices = 1;
    s.settingsPortComQx316 = 1;
    s.settingsPortComEnvQx310 = 2;
    s.settingsPortComDp30 = 3;
    s.settingsPortComQx310 = 4;
    s.settingsPortComQx311 = 5;
    s.settingsPortComF250 = 6;
    s.settingsPortTempDevice = kSourceF250;
    s.settingsLabValuesFromDevices = 3;
    s.settingsLabMeanTime = 60;
    s.settingsLabUpdate = 5;
    return s;
}

struct VirtualStation {
    explicit VirtualStation(const Settings& settings = StationSettings())
        : link(time), page(host, time, time, link, eight) {
        time.SetTickHandler([this](int id) {
            page.OnTimer(id);
            if (id == timer::kObservation) ++observationTicks;
        });
        page.ApplySettings(settings);
    }
    // Set up, first activation, ports open.
    void Start() {
        page.SetUp();
        page.Activate();
        time.Advance(500);
    }
    // A line of an instrument, byte by byte, arriving now.
    void Feed(Stream stream, const std::string& line) {
        for (char c : line) page.OnByte(stream, static_cast<std::uint8_t>(c), time.MonotonicMs());
    }

    VirtualTime time;
    RecordingLabHost host;
    FakeLink link;
    EightChannelPage eight;
    LaboratoryPage page;
    int observationTicks = 0;
};

}  // namespace wegator::lab::testing
