// Time as the laboratory station sees it: a clock (monotonic milliseconds for
// ages and waits, local calendar time for file names and records) and timers
// by number that tick into the station. The desktop program and the command
// line run them on Qt's timers; tests run them in virtual time, so an hour of
// station takes milliseconds and every tick comes exactly when it is due.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace wegator::lab {

// A moment of the local calendar, as the user's clock shows it.
struct CalendarTime {
    int year = 2000;
    int month = 1;   // 1 … 12
    int day = 1;     // 1 … 31
    int hour = 0;    // 0 … 23
    int minute = 0;  // 0 … 59
    int second = 0;  // 0 … 59

    bool operator==(const CalendarTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds of a clock that never goes back (not the calendar).
    virtual std::int64_t MonotonicMs() const = 0;
    virtual CalendarTime LocalTime() const = 0;
};

// The station's timers, by number. A timer ticks every `periodMs` until it is
// killed; starting a running timer starts it anew with the new period. A
// one-shot wait is a timer that kills itself on its first tick.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void StartTimer(int id, std::int64_t periodMs) = 0;
    virtual void KillTimer(int id) = 0;
    virtual bool TimerRunning(int id) const = 0;
};

// The numbers of the station's timers.
namespace timer {
inline constexpr int kRecord = 1034;           // data-file record every SAVE_FILE_TIME minutes
inline constexpr int kDewPointAge = 1035;      // 1 s: age of the dew-point reading
inline constexpr int kTemperatureAge = 1036;   // 1 s: age of the temperature reading (F-250 resend)
inline constexpr int kPressureAge = 1037;      // 1 s: age of the pressure reading
inline constexpr int kRecompute = 1038;        // the update period: recompute the results
inline constexpr int kObservation = 1039;      // the observation period: take observations
inline constexpr int kFirstRecord = 1040;      // one-shot, one minute: the first record
inline constexpr int kEnvironmentAge = 1041;   // 1 s: age of the environment reading
inline constexpr int kRunStart = 1111;         // one-shot: a calibration run's start delay
inline constexpr int kStreamOpenWait = 1042;   // one-shot, 500 ms: ports are released before reopening
inline constexpr int kF250StopWait = 1043;     // one-shot, 200 ms: the F-250 takes its "A4" before closing
inline constexpr int kFirstStreamRetry = 1044; // + stream number: a lost instrument is tried again
inline constexpr int kSupervision = 1050;      // 1 s: instruments fallen silent, inputs gone stale
}  // namespace timer

// The moment `seconds` after `t` on the calendar (days, months and years carried).
CalendarTime CalendarPlusSeconds(const CalendarTime& t, std::int64_t seconds);

// The system's clocks.
class SystemClock : public Clock {
public:
    std::int64_t MonotonicMs() const override;
    CalendarTime LocalTime() const override;
};

// Virtual time: nothing happens until Advance, which fires every timer that
// falls due on the way, in time order (timers due at the same moment in the
// order they were started), each at its exact moment. The calendar starts at
// `start` and runs with the monotonic clock.
class VirtualTime : public Clock, public TimerService {
public:
    using TickHandler = std::function<void(int id)>;

    explicit VirtualTime(CalendarTime start = {2024, 5, 6, 14, 30, 0});

    // Where the ticks go (the station's OnTimer).
    void SetTickHandler(TickHandler handler) { onTick_ = std::move(handler); }

    std::int64_t MonotonicMs() const override { return now_; }
    CalendarTime LocalTime() const override;
    void StartTimer(int id, std::int64_t periodMs) override;
    void KillTimer(int id) override;
    bool TimerRunning(int id) const override { return timers_.count(id) != 0; }
    // The period of a running timer, 0 when it does not run.
    std::int64_t TimerPeriod(int id) const;

    // Moves time forward by `ms`, firing what falls due.
    void Advance(std::int64_t ms);
    // Moves time forward to the next timer tick (or by `limitMs` when none is
    // due sooner) and fires it; returns the id fired, 0 when none.
    int AdvanceToNextTick(std::int64_t limitMs);

private:
    struct Timer {
        std::int64_t period;
        std::int64_t due;
        std::uint64_t order;
    };
    std::map<int, Timer>::iterator NextDue();

    std::int64_t now_ = 0;
    std::int64_t startSeconds_ = 0;  // the start as seconds of a proleptic calendar
    std::uint64_t nextOrder_ = 0;
    std::map<int, Timer> timers_;
    TickHandler onTick_;
};

// "yyyy.MM.dd"-style patterns of the user's date and time formats: yyyy, yy,
// MM, M, dd, d, HH, H, hh, h, mm, m, ss, s, AP and ap are replaced, text in
// single quotes is copied as it stands, everything else is kept.
std::string FormatCalendar(std::string_view pattern, const CalendarTime& time);

}  // namespace wegator::lab
