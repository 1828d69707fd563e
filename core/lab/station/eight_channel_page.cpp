#include "lab/station/eight_channel_page.h"

#include <algorithm>
#include <cmath>

#include "physics/units.h"

namespace wegator::lab {

namespace {
// A converted value this close below zero is shown as zero, not "-0,000".
constexpr double kZeroBand = -1e-11;
}  // namespace

double ShownTemperature(double celsius, std::string_view unit, bool difference) {
    const double shown = difference ? TemperatureDifferenceFromCelsius(celsius, unit) : TemperatureFromCelsius(celsius, unit);
    return shown < 0.0 && shown > kZeroBand ? 0.0 : shown;
}

std::string_view EightChannelPage::TemperatureUnit() const {
    return kTemperatureUnits[static_cast<std::size_t>(unit_)];
}

double EightChannelPage::ChannelReading(int channel) const {
    if (channel < 0 || channel > kChannels) return kNoReading;
    return readings_[static_cast<std::size_t>(channel)];
}

std::string EightChannelPage::ReadingText(double celsius, int resolution) const {
    return FormatFixed(ShownTemperature(celsius, TemperatureUnit()), resolution == 1 ? 1 : 2, format_.decimalSign);
}

void EightChannelPage::SetChannel(double celsius, int channel, int resolution) {
    if (channel < 0 || channel > kChannels) return;
    const auto at = static_cast<std::size_t>(channel);
    readings_[at] = celsius;
    resolutions_[at] = resolution;
    lastResolution_ = resolution;
    if (channel == 0) return;
    channelTexts_[at] = ReadingText(celsius, resolution);
    Recompute();
}

void EightChannelPage::Recompute() {
    int n = 0;
    double sum = 0.0;
    double highest = 0.0;
    double lowest = 0.0;
    for (int c = 1; c <= kChannels; ++c) {
        const double t = readings_[static_cast<std::size_t>(c)];
        if (t == kNoReading) continue;
        highest = n == 0 ? t : std::max(highest, t);
        lowest = n == 0 ? t : std::min(lowest, t);
        sum += t;
        ++n;
    }
    count_ = n;
    if (n == 0) return;
    mean_ = sum / n;
    double deviations = 0.0;
    for (int c = 1; c <= kChannels; ++c) {
        const double t = readings_[static_cast<std::size_t>(c)];
        if (t != kNoReading) deviations += std::fabs(mean_ - t);
    }
    above_ = highest - mean_;
    below_ = mean_ - lowest;
    spread_ = highest - lowest;
    utnj_ = deviations / (n * std::sqrt(3.0));
    ShowAll();
}

void EightChannelPage::ShowAll() {
    const std::string_view unit = TemperatureUnit();
    for (int c = 1; c <= kChannels; ++c) {
        const auto at = static_cast<std::size_t>(c);
        if (readings_[at] != kNoReading) channelTexts_[at] = ReadingText(readings_[at], resolutions_[at]);
    }
    if (count_ == 0) return;
    auto text = [&](double value, bool difference) {
        return FormatFixed(ShownTemperature(value, unit, difference), format_.resultPrecision, format_.decimalSign);
    };
    meanText_ = text(mean_, false);
    aboveText_ = text(above_, true);
    belowText_ = text(below_, true);
    utnjText_ = text(utnj_, true);
}

void EightChannelPage::SetFormat(const NumberFormat& format) {
    format_ = format;
    ShowAll();
}

void EightChannelPage::ChangeTemperatureUnit(int index) {
    if (index < 0 || index >= static_cast<int>(kTemperatureUnits.size())) return;
    unit_ = index;
    ShowAll();
}

}  // namespace wegator::lab
