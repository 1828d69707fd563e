// The uncertainty budget of the laboratory's averaged temperature: the
// instruments' and the correction tables' terms by temperature source, and the
// chamber's non-uniformity from the QX-311.
#include "lab/station/laboratory_page.h"

#include <cmath>

#include "lab/lines/stream_use.h"

namespace wegator::lab {

namespace {

double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }

}  // namespace

TemperatureTerms TemperatureBudget(int source, bool gradient, bool includeInstruments, double u310, double u311,
                                   double u250, double utnj, double k310, double k311, double k250) {
    TemperatureTerms t;
    switch (source) {
        case kSourceQx310:
            t = {u310, k310};
            break;
        case kSourceF250:
            t = {u250, k250};
            break;
        case kSourceQx310WithGradient:
            t = {gradient ? Hypot(u310, utnj) : u310, Hypot(k311, k310)};
            break;
        case kSourceF250WithGradient:
            // The F-250 reads the temperature: its own table counts beside the QX-311's.
            t = {gradient ? Hypot(u250, utnj) : u250, Hypot(k311, k250)};
            break;
        case kSourceQx311:
        default:
            t = {gradient ? Hypot(u311, utnj) : u311, k311};
            break;
    }
    if (!includeInstruments) t.uI = 0.0;
    return t;
}

bool LaboratoryPage::WaitingForQx311() const {
    return settings_.settingsQx311Deviation != 0 &&
           TemperatureSourceReads(settings_.settingsPortTempDevice, Stream::Qx311) && eight_.ReportingChannels() == 0;
}

double LaboratoryPage::Qx311TableUncertainty(double celsius) const {
    // The mean over the channel tables actually in use.
    double sum = 0.0;
    int used = 0;
    for (int c = 1; c <= EightChannelPage::kChannels; ++c) {
        if (!tables_.InUse(Qx311Table(c))) continue;
        sum += tables_.Uncertainty(Qx311Table(c), celsius);
        ++used;
    }
    return used == 0 ? 0.0 : sum / used;
}

TemperatureTerms LaboratoryPage::TemperatureTermsAt(double mean) const {
    const double utnj = eight_.ReportingChannels() > 0 ? eight_.NonUniformityUncertainty() : 0.0;
    return TemperatureBudget(settings_.settingsPortTempDevice, settings_.settingsQx311Deviation != 0,
                             settings_.settingsLabIsDevicesError != 0, settings_.settingsLabQx310,
                             settings_.settingsLabQx311, settings_.settingsLabF250, utnj,
                             tables_.Uncertainty(TableId::Qx310, mean), Qx311TableUncertainty(mean),
                             tables_.Uncertainty(TableId::F250, mean));
}

}  // namespace wegator::lab
