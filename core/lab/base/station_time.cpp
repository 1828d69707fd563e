#include "lab/base/station_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace wegator::lab {

namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

std::int64_t ToSeconds(const CalendarTime& t) {
    const sys_days day{year_month_day{std::chrono::year{t.year}, std::chrono::month{static_cast<unsigned>(t.month)},
                                      std::chrono::day{static_cast<unsigned>(t.day)}}};
    return static_cast<std::int64_t>(day.time_since_epoch().count()) * 86400 + t.hour * 3600 + t.minute * 60 +
           t.second;
}

CalendarTime FromSeconds(std::int64_t seconds) {
    std::int64_t dayNumber = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --dayNumber;
    }
    const year_month_day date{sys_days{days{dayNumber}}};
    CalendarTime t;
    t.year = static_cast<int>(date.year());
    t.month = static_cast<int>(static_cast<unsigned>(date.month()));
    t.day = static_cast<int>(static_cast<unsigned>(date.day()));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::string Digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

}  // namespace

CalendarTime CalendarPlusSeconds(const CalendarTime& t, std::int64_t seconds) {
    return FromSeconds(ToSeconds(t) + seconds);
}

std::int64_t SystemClock::MonotonicMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

CalendarTime SystemClock::LocalTime() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

VirtualTime::VirtualTime(CalendarTime start) : startSeconds_(ToSeconds(start)) {}

CalendarTime VirtualTime::LocalTime() const { return FromSeconds(startSeconds_ + now_ / 1000); }

void VirtualTime::StartTimer(int id, std::int64_t periodMs) {
    if (periodMs < 1) periodMs = 1;
    timers_[id] = {periodMs, now_ + periodMs, nextOrder_++};
}

void VirtualTime::KillTimer(int id) { timers_.erase(id); }

std::int64_t VirtualTime::TimerPeriod(int id) const {
    const auto found = timers_.find(id);
    return found == timers_.end() ? 0 : found->second.period;
}

std::map<int, VirtualTime::Timer>::iterator VirtualTime::NextDue() {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (next == timers_.end() || it->second.due < next->second.due ||
            (it->second.due == next->second.due && it->second.order < next->second.order)) {
            next = it;
        }
    }
    return next;
}

int VirtualTime::AdvanceToNextTick(std::int64_t limitMs) {
    const auto next = NextDue();
    if (next == timers_.end() || next->second.due > now_ + limitMs) {
        now_ += limitMs;
        return 0;
    }
    now_ = next->second.due;
    const int id = next->first;
    // The next tick is due one period on; a timer started anew in the handler
    // replaces this entry.
    next->second.due += next->second.period;
    next->second.order = nextOrder_++;
    if (onTick_) onTick_(id);
    return id;
}

void VirtualTime::Advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (AdvanceToNextTick(end - now_) != 0) {
    }
}

std::string FormatCalendar(std::string_view pattern, const CalendarTime& time) {
    std::string out;
    std::size_t i = 0;
    auto run = [&](char c) {
        std::size_t n = 0;
        while (i + n < pattern.size() && pattern[i + n] == c) ++n;
        return n;
    };
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'') {
            // Quoted text; two quotes stand for one.
            const std::size_t close = pattern.find('\'', i + 1);
            if (close == i + 1) {
                out += '\'';
                i += 2;
                continue;
            }
            out += pattern.substr(i + 1, (close == std::string_view::npos ? pattern.size() : close) - i - 1);
            i = close == std::string_view::npos ? pattern.size() : close + 1;
            continue;
        }
        const std::size_t n = run(c);
        const int twelve = time.hour % 12 == 0 ? 12 : time.hour % 12;
        switch (c) {
            case 'y':
                if (n >= 4) {
                    out += Digits(time.year, 4);
                } else if (n == 2) {
                    out += Digits(time.year % 100, 2);
                } else {
                    out += std::string(n, c);
                }
                break;
            case 'M': out += n >= 2 ? Digits(time.month, 2) : std::to_string(time.month); break;
            case 'd': out += n >= 2 ? Digits(time.day, 2) : std::to_string(time.day); break;
            case 'H': out += n >= 2 ? Digits(time.hour, 2) : std::to_string(time.hour); break;
            case 'h': out += n >= 2 ? Digits(twelve, 2) : std::to_string(twelve); break;
            case 'm': out += n >= 2 ? Digits(time.minute, 2) : std::to_string(time.minute); break;
            case 's': out += n >= 2 ? Digits(time.second, 2) : std::to_string(time.second); break;
            case 'A':
            case 'a':
                if (i + 1 < pattern.size() && (pattern[i + 1] == 'P' || pattern[i + 1] == 'p')) {
                    const bool upper = c == 'A';
                    out += time.hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
                    i += 2;
                    continue;
                }
                out += std::string(n, c);
                break;
            default: out += std::string(n, c); break;
        }
        i += n;
    }
    return out;
}

}  // namespace wegator::lab
