// The eight-channel temperature page (SWega6PP, "QX-311"): the readings of the
// QX-311's eight channels in a test chamber, their mean tnsj, the largest
// deviations above and below it, and the standard uncertainty the chamber's
// non-uniformity adds to a temperature, utnj = Σ|tnsj − tᵢ| / (n·√3).
//
// The laboratory page hands every accepted QX-311 channel reading here and
// reads back the mean, the spread tnmax − tnmin and utnj as numbers; the texts
// are only for the eyes.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "lab/station/observation_buffer.h"
#include "pages/number_entry.h"

namespace wegator::lab {

class EightChannelPage {
public:
    static constexpr int kChannels = 8;

    // One reading in °C of channel 0 … 8 with the resolution of its frame (1:
    // 0.1 K, 2: 0.01 K). Channel 0 is kept but neither shown nor counted; any
    // other channel number is ignored.
    void SetChannel(double celsius, int channel, int resolution);

    // Channels 1 … 8 that have reported at least once.
    int ReportingChannels() const { return count_; }
    // The last reading of channel 0 … 8 in °C, kNoReading when it never reported.
    double ChannelReading(int channel) const;
    // Resolution code of the last frame (1 or 2), 0 before the first.
    int LastResolution() const { return lastResolution_; }
    // tnsj in °C; kNoReading while no channel has reported.
    double MeanTemperature() const { return mean_; }
    // tnmax − tnmin in K; kNoReading while no channel has reported.
    double Spread() const { return spread_; }
    // utnj in K; kNoReading while no channel has reported.
    double NonUniformityUncertainty() const { return utnj_; }

    // Precisions and decimal sign (LABORATORY_PREC_INPUT / _CALCUL, the sign).
    void SetFormat(const NumberFormat& format);
    const NumberFormat& Format() const { return format_; }

    // "Temperatura": index into kTemperatureUnits.
    void ChangeTemperatureUnit(int index);
    int TemperatureUnitIndex() const { return unit_; }
    std::string_view TemperatureUnit() const;

    // What the fields show: channel 1 … 8, and the statistics; empty until known.
    const std::string& ChannelText(int channel) const { return channelTexts_.at(static_cast<std::size_t>(channel)); }
    const std::string& MeanText() const { return meanText_; }
    const std::string& DeviationAboveText() const { return aboveText_; }
    const std::string& DeviationBelowText() const { return belowText_; }
    const std::string& UncertaintyText() const { return utnjText_; }

    // Shows a reading of the given resolution in the page's unit, "21,5" or "21,50".
    std::string ReadingText(double celsius, int resolution) const;

private:
    void Recompute();
    void ShowAll();

    std::array<double, kChannels + 1> readings_ = {kNoReading, kNoReading, kNoReading, kNoReading, kNoReading,
                                                   kNoReading, kNoReading, kNoReading, kNoReading};
    std::array<int, kChannels + 1> resolutions_{};
    int lastResolution_ = 0;
    int count_ = 0;
    double mean_ = kNoReading;
    double spread_ = kNoReading;
    double above_ = kNoReading;
    double below_ = kNoReading;
    double utnj_ = kNoReading;
    NumberFormat format_;
    int unit_ = 0;
    std::array<std::string, kChannels + 1> channelTexts_;
    std::string meanText_, aboveText_, belowText_, utnjText_;
};

// A temperature (or, with `difference`, a temperature difference) from °C into
// a display unit, with a hair below zero shown as zero.
double ShownTemperature(double celsius, std::string_view unit, bool difference = false);

}  // namespace wegator::lab
