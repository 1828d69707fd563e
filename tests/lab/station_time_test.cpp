#include <gtest/gtest.h>

#include <vector>

#include "lab/base/station_time.h"

using namespace wegator::lab;

TEST(VirtualTime, TicksComeInTimeOrderAtTheirMoments) {
    VirtualTime time({2024, 12, 31, 23, 59, 58});
    std::vector<std::pair<int, std::int64_t>> ticks;
    time.SetTickHandler([&](int id) {
        ticks.push_back({id, time.MonotonicMs()});
        if (id == 3) time.KillTimer(3);  // a one-shot wait
    });
    time.StartTimer(1, 1000);
    time.StartTimer(2, 500);
    time.StartTimer(3, 1000);
    time.Advance(2000);
    const std::vector<std::pair<int, std::int64_t>> expected = {{2, 500}, {1, 1000}, {3, 1000}, {2, 1000},
                                                                {2, 1500}, {1, 2000}, {2, 2000}};
    EXPECT_EQ(ticks, expected);
    EXPECT_FALSE(time.TimerRunning(3));
    // The calendar runs with the monotonic clock, over the new year.
    EXPECT_EQ(time.LocalTime(), (CalendarTime{2025, 1, 1, 0, 0, 0}));
}

TEST(FormatCalendar, UserFormats) {
    const CalendarTime t{2024, 5, 6, 14, 3, 9};
    EXPECT_EQ(FormatCalendar("dd.MM.yyyy", t), "06.05.2024");
    EXPECT_EQ(FormatCalendar("M/d/yy", t), "5/6/24");
    EXPECT_EQ(FormatCalendar("HH:mm:ss", t), "14:03:09");
    EXPECT_EQ(FormatCalendar("h:mm AP", t), "2:03 PM");
    EXPECT_EQ(FormatCalendar("d 'de' MM", t), "6 de 05");
}
