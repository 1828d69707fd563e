#include "lab/records/manifest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <nlohmann/json.hpp>
#include <system_error>

#include "app/file_digest.h"
#include "app/files.h"
#include "lab/tables/cal_file.h"
#include "lab/tables/calibration_tables.h"
#include "lab/records/data_file.h"
#include "lab/records/record_chain.h"
#include "lab/base/lab_messages.h"
#include "lab/lines/port_names.h"
#include "lab/lines/stream_use.h"
#include "text/strings.h"
#include "wegator_version.h"

namespace wegator::lab {

namespace fs = std::filesystem;
// Keys in the order written, so that a reader finds the program first and the events last.
using json = nlohmann::ordered_json;

namespace {

std::string IsoFromTm(const std::tm& tm) {
    const long offset = tm.tm_gmtoff / 60;
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, offset < 0 ? '-' : '+', std::labs(offset) / 60,
                  std::labs(offset) % 60);
    return text;
}

std::string IsoFromSeconds(std::time_t seconds) {
    std::tm tm{};
    localtime_r(&seconds, &tm);
    return IsoFromTm(tm);
}

std::string TableInstrument(TableId id) {
    switch (id) {
        case TableId::Dp30: return "dp30";
        case TableId::F250: return "f250";
        case TableId::Qx310: return "qx310";
        default: return "qx311-" + std::to_string(Qx311ChannelOf(id));
    }
}

std::string TemperatureSourceName(int code) {
    switch (code) {
        case 2: return "qx310";
        case 3: return "qx311";
        case 4: return "f250";
        case 5: return "qx310+qx311";
        case 6: return "f250+qx311";
        default: return std::to_string(code);
    }
}

double StreamUncertainty(const Settings& s, Stream stream) {
    switch (stream) {
        case Stream::Dp30: return s.settingsLabDp30;
        case Stream::F250: return s.settingsLabF250;
        case Stream::Qx311: return s.settingsLabQx311;
        case Stream::Qx316: return s.settingsLabQx316;
        case Stream::Qx310Temperature:
        case Stream::Qx310Environment: return s.settingsLabQx310;
    }
    return 0.0;
}

bool IsQx(Stream stream) { return stream != Stream::Dp30 && stream != Stream::F250; }

std::string Hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

json OptionalNumber(const std::optional<double>& value) { return value ? json(*value) : json(nullptr); }

// The readers of a manifest's values refuse what the writer never writes:
// a number that is no finite number, a count that is negative, fractional or
// beyond its type, an identifier that is not four hexadecimal digits.
double Number(const json& value) {
    if (!value.is_number() || !std::isfinite(value.get<double>())) throw std::runtime_error("not a finite number");
    return value.get<double>();
}

std::optional<double> NumberOrNothing(const json& value) {
    if (value.is_null()) return std::nullopt;
    return Number(value);
}

int Count(const json& value) {
    if (!value.is_number_integer() || value.get<std::int64_t>() < INT_MIN || value.get<std::int64_t>() > INT_MAX ||
        (value.is_number_unsigned() && value.get<std::uint64_t>() > std::uint64_t{INT_MAX})) {
        throw std::runtime_error("not a whole number");
    }
    return static_cast<int>(value.get<std::int64_t>());
}

std::uint16_t Identifier(const json& value) {
    const std::string text = value.get<std::string>();
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), hex)) {
        throw std::runtime_error("identifier: " + text);
    }
    return static_cast<std::uint16_t>(std::stoul(text, nullptr, 16));
}

json ToJson(const Manifest& m) {
    json j;
    j["program"] = {{"name", m.program}, {"version", m.version}};
    j["kind"] = m.kind == ManifestKind::DataFile ? "data-file" : "run-series";
    j["file"] = m.file;
    j["started"] = m.started;
    j["host"] = m.host;
    j["formulas"] = {{"set", m.formulas}, {"uncertainty", m.formulaUncertainty}};
    j["psychrometerConstants"] = {{"water", OptionalNumber(m.psychrometerWater)},
                                  {"ice", OptionalNumber(m.psychrometerIce)}};
    j["tables"] = json::array();
    for (const ManifestTable& t : m.tables) {
        json table = {{"instrument", t.instrument}, {"path", t.path}, {"missing", t.missing}};
        if (!t.missing) {
            table["sha256"] = t.sha256;
            table["rows"] = t.rows;
            table["modified"] = t.modified;
        }
        j["tables"].push_back(std::move(table));
    }
    j["instruments"] = json::array();
    for (const ManifestInstrument& i : m.instruments) {
        j["instruments"].push_back({{"kind", i.kind},
                                    {"port", i.port},
                                    {"link", i.link.empty() ? json(nullptr) : json(i.link)},
                                    {"identifier", i.identifier ? json(Hex4(*i.identifier)) : json(nullptr)},
                                    {"uncertainty", i.uncertainty},
                                    {"uncertaintyUnit", i.unit}});
    }
    j["temperatureSource"] = m.temperatureSource;
    j["averaging"] = {{"observations", m.observations},
                      {"collectionSeconds", m.collectionSeconds},
                      {"updateSeconds", m.updateSeconds}};
    if (m.kind == ManifestKind::DataFile) j["averaging"]["recordMinutes"] = m.recordMinutes;
    j["fileFormat"] = {{"format", m.format},
                       {"decimalSign", m.decimalSign},
                       {"uncertaintyColumns", m.uncertaintyColumns},
                       {"units",
                        {{"temperature", m.temperatureUnit},
                         {"pressure", m.pressureUnit},
                         {"enthalpy", m.enthalpyUnit}}}};
    j["columns"] = m.columns;
    j["events"] = json::array();
    for (const ManifestEvent& e : m.events) {
        json event = {{"time", e.time}, {"change", e.change}};
        if (e.records) {
            event["records"] = *e.records;
            event["lastRecord"] = e.lastRecord.empty() ? json(nullptr) : json(e.lastRecord);
            event["chainHead"] = e.chainHead;
        }
        j["events"].push_back(std::move(event));
    }
    return j;
}

Manifest FromJson(const json& j) {
    Manifest m;
    m.program = j.at("program").at("name").get<std::string>();
    m.version = j.at("program").at("version").get<std::string>();
    const std::string kind = j.at("kind").get<std::string>();
    if (kind != "data-file" && kind != "run-series") throw std::runtime_error("kind: " + kind);
    m.kind = kind == "data-file" ? ManifestKind::DataFile : ManifestKind::RunSeries;
    m.file = j.at("file").get<std::string>();
    m.started = j.at("started").get<std::string>();
    m.host = j.at("host").get<std::string>();
    m.formulas = j.at("formulas").at("set").get<std::string>();
    m.formulaUncertainty = j.at("formulas").at("uncertainty").get<bool>();
    m.psychrometerWater = NumberOrNothing(j.at("psychrometerConstants").at("water"));
    m.psychrometerIce = NumberOrNothing(j.at("psychrometerConstants").at("ice"));
    for (const json& t : j.at("tables")) {
        ManifestTable table;
        table.instrument = t.at("instrument").get<std::string>();
        table.path = t.at("path").get<std::string>();
        table.missing = t.at("missing").get<bool>();
        if (!table.missing) {
            table.sha256 = t.at("sha256").get<std::string>();
            const int rows = Count(t.at("rows"));
            if (rows < 0) throw std::runtime_error("rows: " + std::to_string(rows));
            table.rows = static_cast<std::size_t>(rows);
            table.modified = t.at("modified").get<std::string>();
        }
        m.tables.push_back(std::move(table));
    }
    for (const json& i : j.at("instruments")) {
        ManifestInstrument instrument;
        instrument.kind = i.at("kind").get<std::string>();
        instrument.port = i.at("port").get<std::string>();
        if (!i.at("link").is_null()) instrument.link = i.at("link").get<std::string>();
        if (!i.at("identifier").is_null()) {
            instrument.identifier = Identifier(i.at("identifier"));
        }
        instrument.uncertainty = Number(i.at("uncertainty"));
        instrument.unit = i.at("uncertaintyUnit").get<std::string>();
        m.instruments.push_back(std::move(instrument));
    }
    m.temperatureSource = j.at("temperatureSource").get<std::string>();
    const json& a = j.at("averaging");
    m.observations = Count(a.at("observations"));
    m.collectionSeconds = Count(a.at("collectionSeconds"));
    m.updateSeconds = Count(a.at("updateSeconds"));
    if (m.kind == ManifestKind::DataFile) m.recordMinutes = Count(a.at("recordMinutes"));
    const json& f = j.at("fileFormat");
    m.format = f.at("format").get<std::string>();
    m.decimalSign = f.at("decimalSign").get<std::string>();
    m.uncertaintyColumns = f.at("uncertaintyColumns").get<bool>();
    m.temperatureUnit = f.at("units").at("temperature").get<std::string>();
    m.pressureUnit = f.at("units").at("pressure").get<std::string>();
    m.enthalpyUnit = f.at("units").at("enthalpy").get<std::string>();
    m.columns = j.at("columns").get<std::vector<std::string>>();
    for (const json& e : j.at("events")) {
        ManifestEvent event(e.at("time").get<std::string>(), e.at("change").get<std::string>());
        if (e.contains("records")) {
            const int records = Count(e.at("records"));
            if (records < 0) throw std::runtime_error("records: " + std::to_string(records));
            event.records = static_cast<std::size_t>(records);
            if (!e.at("lastRecord").is_null()) event.lastRecord = e.at("lastRecord").get<std::string>();
            event.chainHead = e.at("chainHead").get<std::string>();
        }
        m.events.push_back(std::move(event));
    }
    return m;
}

// Every leaf of a JSON value by its path ("formulas/set", "tables/0/sha256").
void Flatten(const json& value, const std::string& path, std::map<std::string, std::string>& out) {
    if (value.is_object()) {
        for (const auto& [key, item] : value.items()) Flatten(item, path.empty() ? key : path + "/" + key, out);
    } else if (value.is_array() && !value.empty() && (value.front().is_object() || value.front().is_array())) {
        for (std::size_t i = 0; i < value.size(); ++i) Flatten(value[i], path + "/" + std::to_string(i), out);
    } else {
        out[path] = value.dump();
    }
}

}  // namespace

fs::path ManifestPath(const fs::path& file) {
    fs::path manifest = file;
    manifest += ".json";
    return manifest;
}

std::string IsoLocalTime(const CalendarTime& time) {
    std::tm given{};
    given.tm_year = time.year - 1900;
    given.tm_mon = time.month - 1;
    given.tm_mday = time.day;
    given.tm_hour = time.hour;
    given.tm_min = time.minute;
    given.tm_sec = time.second;
    given.tm_isdst = -1;
    // The fields as given, with the offset in force then (mktime may move a
    // time that does not exist in the zone by an hour, so it works on a copy).
    std::tm probe = given;
    const std::time_t seconds = std::mktime(&probe);
    if (seconds == static_cast<std::time_t>(-1)) {
        // Beyond what the system can place: the moment as the clock showed it, offset unknown (UTC).
        given.tm_gmtoff = 0;
        return IsoFromTm(given);
    }
    std::tm local{};
    localtime_r(&seconds, &local);
    given.tm_gmtoff = local.tm_gmtoff;
    return IsoFromTm(given);
}

std::vector<ManifestTable> TablesInUse(const Settings& settings) {
    std::vector<ManifestTable> tables;
    for (std::size_t i = 0; i < kTableCount; ++i) {
        const auto id = static_cast<TableId>(i);
        const TableFamily family = FamilyOf(id);
        const std::string& path = TableFileName(settings, id);
        if (!TableSwitchOn(settings, family) || !StreamInUse(settings, StreamOf(family)) || path.empty()) continue;
        ManifestTable table;
        table.instrument = TableInstrument(id);
        table.path = path;
        const FileRead read = ReadWholeFile(path, kCalFileSizeLimit);
        // A file that cannot be read, that refuses a line or that holds no
        // rows corrects nothing: the station goes without it.
        const bool usable = read.state == ReadState::Read && [&] {
            const CalParseResult parsed = ParseCalText(read.data);
            return parsed.ok && !parsed.rows.empty();
        }();
        if (!usable) {
            table.missing = true;
        } else {
            table.sha256 = DigestOf(read.data);
            table.rows = ParseCalText(read.data).rows.size();
            std::error_code error;
            const auto written = fs::last_write_time(path, error);
            if (!error) {
                const auto system = std::chrono::file_clock::to_sys(written);
                table.modified = IsoFromSeconds(std::chrono::system_clock::to_time_t(
                    std::chrono::time_point_cast<std::chrono::system_clock::duration>(system)));
            }
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

std::vector<ManifestInstrument> InstrumentsInUse(
    const Settings& settings, const std::array<std::optional<std::uint16_t>, kStreamCount>& identifiers) {
    std::vector<ManifestInstrument> instruments;
    for (Stream stream : kAllStreams) {
        if (!StreamInUse(settings, stream)) continue;
        ManifestInstrument instrument;
        instrument.kind = std::string(StreamName(stream));
        const int port = StreamPort(settings, stream);
        instrument.port = port > 0 ? ComName(port) : std::string();
        if (port > 0) {
            std::error_code error;
            const fs::path link = PortLinkPath(port);
            if (!link.empty() && fs::is_symlink(link, error)) instrument.link = fs::read_symlink(link, error).string();
        }
        if (IsQx(stream)) instrument.identifier = identifiers[static_cast<std::size_t>(stream)];
        instrument.uncertainty = StreamUncertainty(settings, stream);
        instrument.unit = stream == Stream::Qx316 ? "kPa" : "K";
        instruments.push_back(std::move(instrument));
    }
    return instruments;
}

Manifest BuildManifest(const Settings& settings, const ManifestSources& sources) {
    Manifest m;
    m.version = kVersion;
    m.kind = sources.kind;
    m.file = fs::path(sources.file).filename().string();
    m.formulas = settings.usedFormulas == 1 ? "Sonntag 1990" : "ITS-90";
    m.formulaUncertainty = settings.formulasUncertainty != 0;
    if (settings.globalAw != -1.0) m.psychrometerWater = settings.globalAw;
    if (settings.globalAi != -1.0) m.psychrometerIce = settings.globalAi;
    m.tables = TablesInUse(settings);
    m.instruments = InstrumentsInUse(settings, sources.identifiers);
    m.temperatureSource = TemperatureSourceName(settings.settingsPortTempDevice);
    m.observations = settings.settingsLabValuesFromDevices;
    m.collectionSeconds = settings.settingsLabMeanTime;
    m.updateSeconds = settings.settingsLabUpdate;
    if (sources.kind == ManifestKind::DataFile) m.recordMinutes = settings.saveFileTime;
    // Data files and run files carry the point whatever the page shows.
    m.format = sources.kind == ManifestKind::DataFile && DecodeSaveFileCode(settings.saveFileCode).csvFormat ? "csv"
                                                                                                               : "text";
    m.uncertaintyColumns = sources.kind == ManifestKind::DataFile && settings.saveFileUncertainties != 0;
    m.temperatureUnit = sources.temperatureUnit;
    m.pressureUnit = sources.pressureUnit;
    m.enthalpyUnit = sources.enthalpyUnit;
    m.started = IsoLocalTime(sources.started);
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0) m.host = host;
    m.columns = sources.columns;
    return m;
}

std::string ManifestJson(const Manifest& manifest) { return ToJson(manifest).dump(2) + "\n"; }

std::optional<Manifest> ParseManifest(std::string_view text, std::string* error) {
    try {
        return FromJson(json::parse(text));
    } catch (const std::exception& e) {
        if (error != nullptr) *error = e.what();
        return std::nullopt;
    }
}

std::vector<std::string> ManifestChanges(const Manifest& before, const Manifest& after) {
    const auto comparable = [](const Manifest& m) {
        json j = ToJson(m);
        for (const char* key : {"started", "host", "events", "program"}) j.erase(key);
        std::map<std::string, std::string> leaves;
        Flatten(j, {}, leaves);
        return leaves;
    };
    const auto old = comparable(before);
    const auto now = comparable(after);
    std::vector<std::string> changes;
    for (const auto& [path, value] : now) {
        const auto found = old.find(path);
        // An instrument's identifier heard for the first time is what the
        // file was started with, not a change of the station.
        if (path.ends_with("/identifier") && found != old.end() && found->second == "null") continue;
        if (found == old.end()) {
            changes.push_back(path + ": " + value);
        } else if (found->second != value) {
            changes.push_back(path + ": " + found->second + " → " + value);
        }
    }
    for (const auto& [path, value] : old) {
        if (!now.contains(path)) changes.push_back(path + ": " + value + " → —");
    }
    return changes;
}

// ---------------------------------------------------------------- keeper

bool ManifestKeeper::Open(const std::string& file, Manifest manifest, const std::string& now, bool appending) {
    path_ = ManifestPath(file);
    const FileRead old = appending ? ReadWholeFile(path_, kManifestSizeLimit) : FileRead{};
    if (old.state == ReadState::Read) {
        if (std::optional<Manifest> earlier = ParseManifest(old.data)) {
            // The station reopened the file to append to it: its history goes on.
            // An instrument that has not spoken yet in this session is taken to be
            // the one that spoke before on its port; another one is an event once it speaks.
            for (ManifestInstrument& instrument : manifest.instruments) {
                for (const ManifestInstrument& before : earlier->instruments) {
                    if (!instrument.identifier && before.kind == instrument.kind && before.port == instrument.port) {
                        instrument.identifier = before.identifier;
                    }
                }
            }
            std::string change = "reopened";
            for (const std::string& line : ManifestChanges(*earlier, manifest)) change += "; " + line;
            manifest.started = earlier->started;
            manifest.events = std::move(earlier->events);
            manifest.events.push_back(ManifestEvent(now, change));
            Stamp(manifest.events.back());
        }
    }
    current_ = std::move(manifest);
    return Write();
}

bool ManifestKeeper::Update(Manifest manifest, const std::string& now) {
    if (!IsOpen()) return false;
    const std::vector<std::string> changes = ManifestChanges(current_, manifest);
    manifest.started = current_.started;
    manifest.events = current_.events;
    // What is no change (an identifier first heard) is written without an event.
    if (changes.empty() && manifest == current_) return failing_ && Write();
    for (const std::string& change : changes) {
        manifest.events.push_back(ManifestEvent(now, change));
        Stamp(manifest.events.back());
    }
    current_ = std::move(manifest);
    return Write();
}

void ManifestKeeper::Close() {
    // A rewrite still owed gets its last try.
    if (failing_) Write();
    path_.clear();
    current_ = {};
    failing_ = false;
}

void ManifestKeeper::Stamp(ManifestEvent& event) const {
    if (!head_) return;
    if (const std::optional<Head> head = head_()) {
        event.records = head->records;
        event.lastRecord = head->lastRecord;
        event.chainHead = head->digest;
    }
}

bool ManifestKeeper::Write() {
    failing_ = !ReplaceOwnFile(path_, ManifestJson(current_));
    return !failing_;
}

bool ReplaceOwnFile(const fs::path& file, std::string_view contents) {
    struct stat existing {};
    if (::lstat(file.c_str(), &existing) == 0 ? !S_ISREG(existing.st_mode) : errno != ENOENT) return false;
    // One temporary name per file: a leftover of a stopped station goes first.
    const std::string temp = file.string() + ".tmp";
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t written = 0; ok && written < contents.size();) {
        const ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            ok = false;
        }
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), file.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

// ---------------------------------------------------------------- verify

namespace {

std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find('\t', start), line.size());
        if (end > start) fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

// The header line the file declares its columns by, without line end or mark:
// a data file's last header (the one its latest records stand under: records
// begin with their date, headers with a word), a run's first line.
std::string DeclaredHeader(const std::string& file, ManifestKind kind) {
    const FileRead read = ReadWholeFile(file, kDigestFileSizeLimit);
    std::string_view text = read.data;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    if (kind == ManifestKind::RunSeries) return std::string(text.substr(0, text.find_first_of("\r\n")));
    std::string_view last;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = text.substr(0, end);
        if (!line.empty() && (line.front() < '0' || line.front() > '9')) last = line;
        text.remove_prefix(end);
        while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);
    }
    return std::string(last);
}

// A data file's header without its first field, the date and time, whose
// label is in the language the file was started in.
std::string_view ColumnsPart(std::string_view header) {
    const std::size_t sep = header.find_first_of(",\t");
    return sep == std::string_view::npos ? std::string_view() : header.substr(sep + 1);
}

std::string SecondsText(std::int64_t ms) { return std::to_string(ms / 1000); }

// Every "(unit)" and "[unit]" a header names.
std::vector<std::string> HeaderUnits(std::string_view header) {
    std::vector<std::string> units;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const char close = header[i] == '(' ? ')' : header[i] == '[' ? ']' : '\0';
        if (close == '\0') continue;
        const std::size_t end = header.find(close, i + 1);
        if (end == std::string_view::npos) break;
        units.emplace_back(header.substr(i + 1, end - i - 1));
        i = end;
    }
    return units;
}

bool IsTemperatureUnit(std::string_view unit) { return unit == "°C" || unit == "°F" || unit == "K" || unit == "°K"; }

// The longest recording interval the file had, in minutes: the present one
// or one an event changed from ("averaging/recordMinutes: 5 → 1").
int LongestInterval(const Manifest& m) {
    int longest = m.recordMinutes;
    constexpr std::string_view kKey = "averaging/recordMinutes: ";
    for (const ManifestEvent& e : m.events) {
        for (std::size_t at = e.change.find(kKey); at != std::string::npos; at = e.change.find(kKey, at + 1)) {
            longest = std::max(longest, std::atoi(e.change.c_str() + at + kKey.size()));
        }
    }
    return longest;
}

// The chain's findings in words.
VerifyFinding ChainFindingText(const ChainFinding& f) {
    using K = ChainFinding::Kind;
    const auto n = [](std::size_t v) { return std::to_string(v); };
    switch (f.kind) {
        case K::Changed: return {f.ok, MessageText(msg::VerifyChainChanged, {n(f.line), n(f.record)})};
        case K::Missing: return {f.ok, MessageText(msg::VerifyChainMissing, {n(f.record), f.from, n(f.line)})};
        case K::Inserted: return {f.ok, MessageText(msg::VerifyChainInserted, {n(f.line)})};
        case K::Moved: return {f.ok, MessageText(msg::VerifyChainMoved, {n(f.line), n(f.record)})};
        case K::Duplicated: return {f.ok, MessageText(msg::VerifyChainDuplicated, {n(f.line), n(f.record)})};
        case K::Truncated: return {f.ok, MessageText(msg::VerifyChainTruncated, {n(f.count), n(f.record), f.from})};
        case K::Unconfirmed: return {f.ok, MessageText(msg::VerifyChainUnconfirmed, {n(f.line), n(f.count)})};
        case K::FoundAtReopening: return {f.ok, MessageText(msg::VerifyChainFoundAtReopening, {n(f.count)})};
        case K::ExplainedGap:
            return {f.ok, MessageText(msg::VerifyChainExplainedGap, {n(f.record), n(f.count), f.from, f.to, f.detail})};
        case K::UnexplainedGap:
            return {f.ok, MessageText(msg::VerifyChainUnexplainedGap, {n(f.record), n(f.count), f.from, f.to})};
        case K::ChainBroken: return {f.ok, MessageText(msg::VerifyChainBroken, {f.from, f.detail})};
        case K::SummaryMissing: return {f.ok, MessageText(msg::VerifyChainSummaryMissing)};
        case K::NotClosed: return {f.ok, MessageText(msg::VerifyChainNotClosed)};
    }
    return {f.ok, {}};
}

}  // namespace

VerifyReport VerifyRecorded(const std::string& file, RecordedReadOptions options) {
    VerifyReport report;
    const auto add = [&](bool ok, std::string text) {
        report.findings.push_back({ok, std::move(text)});
        report.ok = report.ok && ok;
    };
    const fs::path manifestPath = ManifestPath(file);
    const FileRead manifestRead = ReadWholeFile(manifestPath, kManifestSizeLimit);
    if (manifestRead.state == ReadState::TooLarge) {
        add(false, MessageText(msg::VerifyManifestTooLarge, {manifestPath.string(), std::to_string(kManifestSizeLimit)}));
        return report;
    }
    if (manifestRead.state != ReadState::Read) {
        add(false, MessageText(msg::VerifyNoManifest, {manifestPath.string()}));
        return report;
    }
    std::string error;
    const std::optional<Manifest> manifest = ParseManifest(manifestRead.data, &error);
    if (!manifest) {
        add(false, MessageText(msg::VerifyBadManifest, {manifestPath.string(), error}));
        return report;
    }

    // The manifest is the one of this file; a file may move to another computer.
    if (manifest->file != fs::path(file).filename().string()) add(false, MessageText(msg::VerifyOtherFile, {manifest->file}));
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) == 0 && !manifest->host.empty() && manifest->host != host) {
        add(true, MessageText(msg::VerifyOtherHost, {manifest->host, host}));
    }

    std::size_t tables = 0;
    for (const ManifestTable& table : manifest->tables) {
        ++tables;
        if (table.missing) {
            add(false, MessageText(msg::VerifyTableMissingThen, {table.instrument, table.path}));
            continue;
        }
        const FileRead read = ReadWholeFile(table.path, kCalFileSizeLimit);
        if (read.state != ReadState::Read) {
            add(false, MessageText(msg::VerifyTableMissing, {table.instrument, table.path}));
        } else if (DigestOf(read.data) != table.sha256) {
            add(false, MessageText(msg::VerifyTableChanged, {table.instrument, table.path}));
        } else {
            add(true, MessageText(msg::VerifyTableMatches, {table.instrument, table.path}));
        }
    }

    // Every line against the chain beside the file, when it has one.
    const FileRead fileRead = ReadWholeFile(file, kDigestFileSizeLimit);
    const std::string chainPath = ChainPath(file);
    const FileRead chainRead = ReadWholeFile(chainPath, kDigestFileSizeLimit);
    const bool chained = chainRead.state == ReadState::Read && fileRead.state == ReadState::Read;
    bool chainOk = false;
    std::size_t confirmed = 0;
    if (chained) {
        const ChainText chain = ParseChain(chainRead.data);
        const int interval = manifest->kind == ManifestKind::DataFile ? LongestInterval(*manifest) * 60 : 0;
        const ChainCheck check = CheckChain(fileRead.data, chain, interval, manifest->kind == ManifestKind::RunSeries);
        add(true, MessageText(msg::VerifyChainRecords,
                              {std::to_string(check.records), std::to_string(check.confirmed), std::to_string(check.events)}));
        for (ChainFinding finding : check.findings) {
            if (finding.kind == ChainFinding::Kind::ChainBroken) finding.from = chainPath;
            const VerifyFinding text = ChainFindingText(finding);
            add(text.ok, text.text);
        }
        // The heads the manifest noted must be states the chain went through.
        for (const ManifestEvent& event : manifest->events) {
            if (event.chainHead.empty() || event.chainHead == kChainSeed) continue;
            const bool held = std::any_of(chain.entries.begin(), chain.entries.end(),
                                          [&](const ChainEntry& e) { return e.digest == event.chainHead; });
            if (!held) add(false, MessageText(msg::VerifyHeadNotInChain, {event.time}));
        }
        chainOk = check.ok;
        confirmed = check.confirmed;
    } else {
        add(true, MessageText(msg::VerifyNoChain, {chainPath}));
    }

    const RecordedReading reading = ReadRecordedFile(file, std::move(options));
    if (!reading.file) {
        // A chained file the station ended before its first row (a run
        // stopped in its delay) holds what it should; the reader has nothing to draw.
        add(chained && chainOk, reading.error);
    }
    std::size_t records = 0;
    const RecordedColumn* fullest = nullptr;
    if (reading.file) {
        // Every record has its time; the column with the most readings holds them all.
        for (const RecordedColumn& column : reading.file->columns) {
            if (fullest == nullptr || column.points.size() > fullest->points.size()) fullest = &column;
        }
        records = fullest != nullptr ? fullest->points.size() : 0;
        if (records == 0) {
            add(chained && chainOk, MessageText(msg::VerifyNoRecords));
        } else {
            add(true, MessageText(msg::VerifyRecords, {std::to_string(records)}));
        }
    }

    // Without a chain, gaps are judged by the records' times alone.
    if (!chained && manifest->kind == ManifestKind::DataFile && records > 1) {
        // Record times are whole seconds: a record a second late is on time.
        const std::int64_t intervalMs = std::int64_t{manifest->recordMinutes} * 60000;
        bool gap = false;
        for (std::size_t i = 1; i < fullest->points.size(); ++i) {
            const std::int64_t step = fullest->points[i].time - fullest->points[i - 1].time;
            if (step > intervalMs + 1000) {
                gap = true;
                add(false, MessageText(msg::VerifyGap, {std::to_string(i), std::to_string(i + 1), SecondsText(step),
                                                        SecondsText(intervalMs)}));
            }
        }
        if (!gap) add(true, MessageText(msg::VerifyNoGap, {SecondsText(intervalMs)}));
    }

    std::vector<std::string> declared;
    const std::string header = DeclaredHeader(file, manifest->kind);
    // A chained file the station has not written a line into declares nothing yet.
    if (chained && fileRead.data.empty()) {
        report.checked = MessageText(msg::VerifyCheckedWithChain, {file, "0", std::to_string(tables)});
        return report;
    }
    if (manifest->kind == ManifestKind::DataFile) {
        std::string expected = HeaderLine(manifest->columns, manifest->format == "csv");
        while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r')) expected.pop_back();
        if (ColumnsPart(header) == ColumnsPart(expected)) declared = manifest->columns;
    } else {
        declared = SplitTabs(header);
    }
    if (declared == manifest->columns) {
        add(true, MessageText(msg::VerifyColumnsMatch, {std::to_string(manifest->columns.size())}));
    } else {
        add(false, MessageText(msg::VerifyColumnsDiffer, {header}));
    }
    // The temperature unit the manifest declares is the one the header's
    // temperatures are in (a difference in K beside °C is no temperature).
    const std::vector<std::string> units = HeaderUnits(header);
    const std::string& unit = manifest->temperatureUnit;
    const bool celsius = std::find(units.begin(), units.end(), "°C") != units.end();
    const bool anyTemperature = std::any_of(units.begin(), units.end(), [](const std::string& u) { return IsTemperatureUnit(u); });
    if ((unit == "K" || unit == "°K") && celsius) {
        add(false, MessageText(msg::VerifyKelvinForCelsius, {unit, "°C"}));
    } else if (anyTemperature && std::find(units.begin(), units.end(), unit) == units.end()) {
        add(false, MessageText(msg::VerifyUnitsDiffer, {unit}));
    }

    report.checked = chained ? MessageText(msg::VerifyCheckedWithChain, {file, std::to_string(confirmed), std::to_string(tables)})
                             : MessageText(msg::VerifyCheckedWithoutChain, {file, std::to_string(records), std::to_string(tables)});
    return report;
}

}  // namespace wegator::lab
