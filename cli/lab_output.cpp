#include "lab_output.h"

#include <cstdio>

namespace wegator::cli {

namespace {

constexpr std::string_view kTableNames[lab::kTableCount] = {
    "dp30", "f250", "qx310", "qx311-1", "qx311-2", "qx311-3", "qx311-4", "qx311-5", "qx311-6", "qx311-7", "qx311-8"};

// Decimals of a value as the laboratory page shows it.
int Decimals(lab::Stream stream) {
    switch (stream) {
        case lab::Stream::Dp30:
        case lab::Stream::Qx316: return 2;
        case lab::Stream::Qx310Environment: return 1;
        default: return 3;
    }
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The stream column is as wide as the longest stream name ("qx310-env").
constexpr std::size_t kStreamColumn = 11;

}  // namespace

std::string_view LabTableName(lab::TableId id) { return kTableNames[static_cast<std::size_t>(id)]; }

std::optional<lab::TableId> LabTableFromName(std::string_view name) {
    for (std::size_t i = 0; i < lab::kTableCount; ++i) {
        if (kTableNames[i] == name) return static_cast<lab::TableId>(i);
    }
    return std::nullopt;
}

CorrectedReading Correct(const lab::Reading& reading, const LabTables& tables) {
    CorrectedReading result{reading};
    const std::optional<lab::TableId> id = lab::TableFor(reading);
    // A table without rows corrects nothing: the reading stays uncorrected, as without a table.
    if (!id || !tables[static_cast<std::size_t>(*id)] || tables[static_cast<std::size_t>(*id)]->Empty()) return result;
    const lab::CalibrationTable& table = *tables[static_cast<std::size_t>(*id)];
    result.correction = table.Correction(reading.value);
    result.uncertainty = table.Uncertainty(reading.value);
    result.corrected = true;
    return result;
}

std::string_view ReadingUnit(lab::Stream stream) { return stream == lab::Stream::Qx316 ? "kPa" : "°C"; }

std::string ReadingText(const CorrectedReading& reading) {
    const lab::Stream stream = reading.raw.stream;
    const int decimals = Decimals(stream);
    std::string text(lab::StreamName(stream));
    text.resize(std::max(text.size() + 1, kStreamColumn), ' ');
    text += Fixed(reading.Value(), decimals) + " " + std::string(ReadingUnit(stream));
    if (stream == lab::Stream::Qx310Environment || stream == lab::Stream::Qx310Temperature) {
        text += "  " + Fixed(reading.raw.humidity, 1) + " %";
    }
    if (stream == lab::Stream::Qx311) text += "  channel " + std::to_string(reading.raw.channel);
    if (reading.corrected) {
        text += "  (raw " + Fixed(reading.raw.value, decimals) + ", correction " + Fixed(reading.correction, 3) +
                ", uncertainty " + Fixed(reading.uncertainty, 3) + ")";
    }
    return text;
}

void WriteReadingMembers(JsonWriter& json, const CorrectedReading& reading) {
    const lab::Reading& raw = reading.raw;
    json.Member("stream", lab::StreamName(raw.stream));
    json.Key("raw");
    json.Number(raw.value);
    json.Key("correction");
    json.Number(reading.correction);
    json.Key("value");
    json.Number(reading.Value());
    json.Key("uncertainty");
    json.Number(reading.uncertainty);
    json.Key("corrected");
    json.Bool(reading.corrected);
    json.Member("unit", ReadingUnit(raw.stream));
    if (raw.stream == lab::Stream::Qx310Environment || raw.stream == lab::Stream::Qx310Temperature) {
        json.Key("humidity");
        json.Number(raw.humidity);
    }
    if (raw.stream == lab::Stream::Qx311) {
        json.Key("channel");
        json.Integer(raw.channel);
        json.Key("resolution");
        json.Integer(raw.resolution);
    }
    if (lab::IsSevenBitStream(raw.stream)) {
        json.Key("identifier");
        json.Integer(raw.identifier);
    }
}

}  // namespace wegator::cli
