#include <gtest/gtest.h>

#include <cmath>

#include "lab/station/eight_channel_page.h"
#include "lab/station/observation_buffer.h"

using namespace wegator;
using namespace wegator::lab;

TEST(ObservationBuffer, MeanAndScatterOfTheLastN) {
    ObservationBuffer buffer;
    EXPECT_EQ(buffer.Mean(0), kNoAverage);
    EXPECT_EQ(buffer.CombinedUncertainty(0, 1, 1, 0), kNoAverage);
    EXPECT_EQ(buffer.Mean(10), 0.0);  // empty

    // One value: no scatter, only the instrument's and the table's terms.
    buffer.Push(20.0);
    EXPECT_DOUBLE_EQ(buffer.Mean(10), 20.0);
    EXPECT_DOUBLE_EQ(buffer.CombinedUncertainty(10, 0.3, 0.4, 20.0), 0.5);

    // 15 values 1 … 15 with N = 10: 6 … 15 count, the older ones are gone for good.
    buffer.Clear();
    for (int i = 1; i <= 15; ++i) buffer.Push(i);
    EXPECT_DOUBLE_EQ(buffer.Mean(10), 10.5);
    EXPECT_EQ(buffer.Count(), 10);
    // s² of 6 … 15 about 10.5 is 82.5 / 9.
    EXPECT_NEAR(buffer.CombinedUncertainty(10, 0.0, 0.0, 10.5), std::sqrt(82.5 / 9), 1e-12);
    EXPECT_NEAR(buffer.CombinedUncertainty(10, 1.0, 2.0, 10.5), std::sqrt(82.5 / 9 + 5), 1e-12);
}

TEST(ObservationBuffer, FullRingDropsAndWraps) {
    ObservationBuffer buffer;
    for (int i = 0; i < ObservationBuffer::kCapacity; ++i) buffer.Push(1.0);
    EXPECT_EQ(buffer.Count(), 149);
    buffer.Push(1000.0);  // the 150th value is dropped
    EXPECT_EQ(buffer.Count(), 149);
    EXPECT_NEAR(buffer.Mean(149), 1.0, 1e-12);

    // Round and round the ring: the newest values survive the wrap at slot 149.
    for (int i = 0; i < 400; ++i) {
        buffer.DropOldest();
        buffer.Push(i);
    }
    EXPECT_EQ(buffer.Count(), 149);
    EXPECT_DOUBLE_EQ(buffer.Newest(), 399.0);
    EXPECT_DOUBLE_EQ(buffer.Mean(3), 398.0);
    for (int i = 0; i < 200; ++i) buffer.DropOldest();
    EXPECT_TRUE(buffer.Empty());
    buffer.Push(5.0);
    EXPECT_DOUBLE_EQ(buffer.Mean(2), 5.0);
}

TEST(EightChannelPage, ChamberStatistics) {
    EightChannelPage page;
    EXPECT_EQ(page.MeanTemperature(), kNoReading);
    page.SetChannel(20.0, 1, 1);
    // One channel: no deviation, no spread, no non-uniformity.
    EXPECT_EQ(page.DeviationAboveText(), "0,000");
    EXPECT_EQ(page.Spread(), 0.0);
    EXPECT_EQ(page.NonUniformityUncertainty(), 0.0);

    page.SetChannel(22.0, 2, 2);
    EXPECT_EQ(page.ChannelText(1), "20,0");
    EXPECT_EQ(page.ChannelText(2), "22,00");
    EXPECT_DOUBLE_EQ(page.MeanTemperature(), 21.0);
    EXPECT_DOUBLE_EQ(page.Spread(), 2.0);
    EXPECT_NEAR(page.NonUniformityUncertainty(), 2.0 / (2 * std::sqrt(3.0)), 1e-15);
    EXPECT_EQ(page.MeanText(), "21,000");
    EXPECT_EQ(page.DeviationAboveText(), "1,000");
    EXPECT_EQ(page.DeviationBelowText(), "1,000");
    EXPECT_EQ(page.UncertaintyText(), "0,577");

    // Channel 0 is kept but counts nowhere; channel 9 does not exist.
    page.SetChannel(90.0, 0, 1);
    page.SetChannel(90.0, 9, 1);
    EXPECT_EQ(page.ChannelReading(0), 90.0);
    EXPECT_EQ(page.ReportingChannels(), 2);
    EXPECT_DOUBLE_EQ(page.MeanTemperature(), 21.0);

    // In °F a deviation of 1 K reads 1.8; the numbers behind stay in °C and K.
    page.ChangeTemperatureUnit(2);
    EXPECT_EQ(page.DeviationAboveText(), "1,800");
    EXPECT_EQ(page.MeanText(), "69,800");
    EXPECT_EQ(page.ChannelText(1), "68,0");
    EXPECT_DOUBLE_EQ(page.NonUniformityUncertainty(), 2.0 / (2 * std::sqrt(3.0)));
    page.SetFormat({3, 1, "."});
    EXPECT_EQ(page.MeanText(), "69.8");
}
