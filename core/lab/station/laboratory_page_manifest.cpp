// The manifests the laboratory page keeps beside its data file and beside
// the series file of a calibration run: written when the file is opened,
// rewritten with an event whenever a setting, a unit or an instrument they
// name changes.
#include "lab/station/laboratory_page.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/files.h"
#include "lab/base/lab_messages.h"
#include "physics/units.h"

namespace wegator::lab {

namespace {

std::vector<std::string> RunColumns(const std::string& seriesPath) {
    // The series file's first line is its header, written when the run began.
    const FileRead read = ReadWholeFile(seriesPath, 1024 * 1024);
    std::string_view line = read.data;
    line = line.substr(0, line.find_first_of("\r\n"));
    std::vector<std::string> columns;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find('\t', start), line.size());
        if (end > start) columns.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return columns;
}

}  // namespace

Manifest LaboratoryPage::CurrentManifest(ManifestKind kind, const std::string& file, bool hashTables) const {
    ManifestSources sources;
    sources.kind = kind;
    sources.file = file;
    sources.columns = kind == ManifestKind::DataFile ? RecordLabels() : RunColumns(file);
    sources.temperatureUnit =
        RecordedUnit(kind == ManifestKind::DataFile ? TemperatureUnit() : std::string_view(run_.TemperatureUnit()));
    sources.pressureUnit = PressureUnit();
    sources.enthalpyUnit = EnthalpyUnit();
    sources.started = clock_.LocalTime();
    sources.identifiers = qxIdentifiers_;
    Manifest manifest = BuildManifest(settings_, sources);
    // The tables as they were when they were loaded: a file changed on the
    // disk since is not the table the station corrects with.
    const ManifestKeeper& keeper = kind == ManifestKind::DataFile ? dataManifest_
                                   : file == run_.ChannelPath()   ? channelManifest_
                                                                  : runManifest_;
    if (!hashTables && keeper.IsOpen()) manifest.tables = keeper.Current().tables;
    // A table the station could not load corrects nothing, whatever its file holds now.
    for (TableId id : MissingTables()) {
        for (ManifestTable& table : manifest.tables) {
            if (table.path == TableFileName(settings_, id)) table = {table.instrument, table.path, true, {}, 0, {}};
        }
    }
    return manifest;
}

void LaboratoryPage::OpenDataManifest() {
    if (!dataFile_.IsOpen()) return;
    // A file new or emptied starts a history of its own; one appended to goes on with its own.
    std::error_code error;
    const auto size = std::filesystem::file_size(dataFile_.Path(), error);
    dataManifest_.SetChainHead([this]() -> std::optional<ManifestKeeper::Head> {
        if (!dataChain_) return std::nullopt;
        const ChainHead& head = dataChain_->Head();
        return ManifestKeeper::Head{head.records, head.lastRecordTime, head.digest};
    });
    dataManifest_.Open(dataFile_.Path(), CurrentManifest(ManifestKind::DataFile, dataFile_.Path(), true),
                       IsoLocalTime(clock_.LocalTime()), !error && size > 0);
    TellManifestFailure(dataManifest_);
}

void LaboratoryPage::TellManifestFailure(const ManifestKeeper& keeper) {
    if (!keeper.Failing()) {
        manifestFailureTold_ = false;
        return;
    }
    if (manifestFailureTold_) return;
    manifestFailureTold_ = true;
    host_.ShowWarning(msg::ManifestWriteFailed, MessageText(msg::ManifestWriteFailed, {keeper.Path().string()}));
}

void LaboratoryPage::EnsureRunManifest() {
    if (run_.SeriesPath().empty() || (runManifest_.IsOpen() && runManifest_.Path() == ManifestPath(run_.SeriesPath()))) {
        return;
    }
    // The series file and the QX-311 channel file each get theirs.
    const std::string now = IsoLocalTime(clock_.LocalTime());
    runManifest_.Open(run_.SeriesPath(), CurrentManifest(ManifestKind::RunSeries, run_.SeriesPath(), true), now);
    TellManifestFailure(runManifest_);
    if (!run_.ChannelPath().empty()) {
        channelManifest_.Open(run_.ChannelPath(), CurrentManifest(ManifestKind::RunSeries, run_.ChannelPath(), true),
                              now);
        TellManifestFailure(channelManifest_);
    }
}

void LaboratoryPage::UpdateManifests(bool hashTables) {
    const std::string now = IsoLocalTime(clock_.LocalTime());
    if (dataManifest_.IsOpen()) {
        if (dataFile_.IsOpen()) {
            dataManifest_.Update(CurrentManifest(ManifestKind::DataFile, dataFile_.Path(), hashTables), now);
            TellManifestFailure(dataManifest_);
        } else {
            dataManifest_.Close();
        }
    }
    // A run's manifests tell what held while it ran, not what came after.
    for (ManifestKeeper* keeper : {&runManifest_, &channelManifest_}) {
        if (!keeper->IsOpen()) continue;
        if (run_.Active()) {
            const std::string file = keeper == &runManifest_ ? run_.SeriesPath() : run_.ChannelPath();
            keeper->Update(CurrentManifest(ManifestKind::RunSeries, file, hashTables), now);
            TellManifestFailure(*keeper);
        } else {
            keeper->Close();
        }
    }
}

void LaboratoryPage::SeenIdentifier(Stream stream, std::uint16_t identifier) {
    auto& known = qxIdentifiers_[static_cast<std::size_t>(stream)];
    if (known == identifier) return;
    known = identifier;
    UpdateManifests(false);
}

}  // namespace wegator::lab
