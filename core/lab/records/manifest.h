// The manifest beside a data file or a calibration run's series file
// ("<file>.json"): what an auditor needs to reconstruct every recorded value
// without the station at hand. It names the program and its version, the
// formulas and constants in force, each correction table in use with the
// SHA-256 of its bytes, each instrument with its port and uncertainty, the
// station's timing, the file's units and columns, when and on which computer
// the file was started, and every later settings change as an event. The
// recorded file itself stays exactly as it always was.
//
// `wegator-cli lab verify` reads a file with its manifest back and tells
// whether the tables still match, how many records there are, where records
// are missing and whether the columns are those declared.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "lab/records/recorded_file.h"
#include "lab/base/station_time.h"
#include "lab/lines/stream.h"

namespace wegator::lab {

namespace msg {
// What `lab verify` reports, one line each.
inline constexpr int VerifyTableMatches = 1560;
inline constexpr int VerifyTableChanged = 1561;
inline constexpr int VerifyTableMissing = 1562;
inline constexpr int VerifyTableMissingThen = 1563;
inline constexpr int VerifyRecords = 1564;
inline constexpr int VerifyGap = 1565;
inline constexpr int VerifyNoGap = 1566;
inline constexpr int VerifyColumnsMatch = 1567;
inline constexpr int VerifyColumnsDiffer = 1568;
inline constexpr int VerifyNoManifest = 1569;
inline constexpr int VerifyBadManifest = 1570;
inline constexpr int VerifyAllHold = 1571;
inline constexpr int VerifyFailed = 1572;
inline constexpr int VerifyNoRecords = 1573;
// The chain beside a recorded file, as `lab verify` reports it.
inline constexpr int VerifyChainChanged = 1760;
inline constexpr int VerifyChainMissing = 1761;
inline constexpr int VerifyChainInserted = 1762;
inline constexpr int VerifyChainMoved = 1763;
inline constexpr int VerifyChainDuplicated = 1764;
inline constexpr int VerifyChainTruncated = 1765;
inline constexpr int VerifyChainUnconfirmed = 1766;
inline constexpr int VerifyChainFoundAtReopening = 1767;
inline constexpr int VerifyChainExplainedGap = 1768;
inline constexpr int VerifyChainUnexplainedGap = 1769;
inline constexpr int VerifyChainBroken = 1770;
inline constexpr int VerifyChainSummaryMissing = 1771;
inline constexpr int VerifyChainNotClosed = 1772;
inline constexpr int VerifyChainRecords = 1773;
inline constexpr int VerifyNoChain = 1774;
inline constexpr int VerifyManifestTooLarge = 1775;
inline constexpr int VerifyOtherFile = 1776;
inline constexpr int VerifyOtherHost = 1777;
inline constexpr int VerifyKelvinForCelsius = 1778;
inline constexpr int VerifyUnitsDiffer = 1779;
inline constexpr int VerifyCheckedWithChain = 1781;
inline constexpr int VerifyCheckedWithoutChain = 1782;
inline constexpr int VerifyHeadNotInChain = 1788;
}  // namespace msg

enum class ManifestKind { DataFile, RunSeries };

struct ManifestTable {
    std::string instrument;  // "dp30", "f250", "qx310", "qx311-1" … "qx311-8"
    std::string path;
    bool missing = false;  // the file could not be read: no checksum, rows or time
    std::string sha256;
    std::size_t rows = 0;
    std::string modified;  // ISO 8601 with the UTC offset

    bool operator==(const ManifestTable&) const = default;
};

struct ManifestInstrument {
    std::string kind;  // StreamName: "dp30", "qx311", "qx310-env", …
    std::string port;  // "COM7"
    std::string link;  // where the port's COMn link points; empty when the port is no link
    std::optional<std::uint16_t> identifier;  // QX instruments, once one of their frames came
    double uncertainty = 0.0;                 // standard uncertainty of a reading
    std::string unit;                         // of the uncertainty: "K" or "kPa"

    bool operator==(const ManifestInstrument&) const = default;
};

struct ManifestEvent {
    std::string time;  // ISO 8601 with the UTC offset
    std::string change;
    // Where the file's chain stood then: records confirmed, the last one's
    // time and the chain's digest (nothing for a file without a chain).
    std::optional<std::size_t> records;
    std::string lastRecord;
    std::string chainHead;

    ManifestEvent() = default;
    ManifestEvent(std::string t, std::string c) : time(std::move(t)), change(std::move(c)) {}

    bool operator==(const ManifestEvent&) const = default;
};

struct Manifest {
    std::string program = "wegator";
    std::string version;
    ManifestKind kind = ManifestKind::DataFile;
    std::string file;  // the recorded file's name, without its folder
    std::string formulas;  // "ITS-90" or "Sonntag 1990"
    bool formulaUncertainty = true;
    // Psychrometer constants in 1/K; nothing when the built-in one is used.
    std::optional<double> psychrometerWater, psychrometerIce;
    std::vector<ManifestTable> tables;
    std::vector<ManifestInstrument> instruments;
    std::string temperatureSource;  // "qx310", "qx311", "f250", "qx310+qx311", "f250+qx311"
    int observations = 0;           // N
    int collectionSeconds = 0;
    int updateSeconds = 0;
    int recordMinutes = 0;  // data files: minutes between records
    std::string format;     // "text" or "csv"
    std::string decimalSign = ".";
    std::string temperatureUnit, pressureUnit, enthalpyUnit;
    bool uncertaintyColumns = false;
    std::string started;  // ISO 8601 with the UTC offset
    std::string host;
    std::vector<std::string> columns;  // as the file's header names them
    std::vector<ManifestEvent> events;

    bool operator==(const Manifest&) const = default;
};

// What the station knows beyond the settings when it writes a manifest.
struct ManifestSources {
    ManifestKind kind = ManifestKind::DataFile;
    std::string file;  // the recorded file's path
    std::vector<std::string> columns;
    std::string temperatureUnit, pressureUnit, enthalpyUnit;
    CalendarTime started;
    // The QX identifier seen on each stream, by stream number.
    std::array<std::optional<std::uint16_t>, kStreamCount> identifiers{};
};

// The largest manifest read: years of events fit many times over.
inline constexpr std::uintmax_t kManifestSizeLimit = 16 * 1024 * 1024;

// "<file>.json".
std::filesystem::path ManifestPath(const std::filesystem::path& file);

// A local moment as "2026-12-07T22:09:34+01:00", the offset the system's
// time zone has at that moment.
std::string IsoLocalTime(const CalendarTime& time);

// The correction tables the settings put in use (switch on, instrument in
// use, a file named), each with its file's checksum, rows and time.
std::vector<ManifestTable> TablesInUse(const Settings& settings);
// The instruments the settings read, with their ports and uncertainties.
std::vector<ManifestInstrument> InstrumentsInUse(
    const Settings& settings, const std::array<std::optional<std::uint16_t>, kStreamCount>& identifiers);

// The manifest of the settings and sources, events empty, tables hashed now.
Manifest BuildManifest(const Settings& settings, const ManifestSources& sources);

std::string ManifestJson(const Manifest& manifest);
// Nothing, and why in `error`, when the text is no manifest.
std::optional<Manifest> ParseManifest(std::string_view json, std::string* error = nullptr);

// What differs between two manifests of one file, one line each
// ("formulas: ITS-90 → Sonntag 1990"); the start, the host and the events
// are not compared, nor an instrument's identifier heard for the first time.
std::vector<std::string> ManifestChanges(const Manifest& before, const Manifest& after);

// Keeps the manifest of one open file: writes it when the file is opened and
// again, with the change appended to its events, whenever what it says changes.
class ManifestKeeper {
public:
    struct Head {
        std::size_t records = 0;
        std::string lastRecord, digest;
    };
    // Where the file's chain stands, for each event written; none: no chain.
    void SetChainHead(std::function<std::optional<Head>()> head) { head_ = std::move(head); }
    // Writes the manifest beside `file`. With `appending` (the station
    // reopened a data file that holds records), a manifest already there
    // keeps its events and its start, and what changed since is appended as
    // one more event; otherwise whatever was there is replaced.
    bool Open(const std::string& file, Manifest manifest, const std::string& now, bool appending = false);
    // Rewrites the manifest when `manifest` differs from the one written,
    // each difference an event at `now`. Whether it was rewritten.
    bool Update(Manifest manifest, const std::string& now);
    void Close();
    bool IsOpen() const { return !path_.empty(); }
    const Manifest& Current() const { return current_; }
    const std::filesystem::path& Path() const { return path_; }
    // The last rewrite failed (the disk full): it is tried again with the
    // next Update, whether anything changed or not.
    bool Failing() const { return failing_; }

private:
    bool Write();
    void Stamp(ManifestEvent& event) const;

    std::filesystem::path path_;
    Manifest current_;
    std::function<std::optional<Head>()> head_;
    bool failing_ = false;
};

// Replaces `file` with `contents` through a temporary file and a rename,
// refusing a path that holds anything but a regular file (a planted link is
// never followed). A file created gets the mode data files get.
bool ReplaceOwnFile(const std::filesystem::path& file, std::string_view contents);

// What `lab verify` finds in a recorded file and its manifest.
struct VerifyFinding {
    bool ok = true;
    std::string text;  // one line, in the language in force
};
struct VerifyReport {
    std::vector<VerifyFinding> findings;
    bool ok = true;  // every finding ok
    std::string checked;  // what was checked, for the verdict line
};
// Reads the file, its manifest and the tables the manifest names: the tables
// still match their checksums, the records counted, gaps between records
// longer than the interval (data files), the columns as declared.
VerifyReport VerifyRecorded(const std::string& file, RecordedReadOptions options);

}  // namespace wegator::lab
