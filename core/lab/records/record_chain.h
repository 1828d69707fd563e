// The chain beside a recorded file ("<file>.chain"): one line for every line
// the station writes into the file, and one for everything that explains a
// record not written (inputs stale, no results, a run's delay, a write that
// failed, a restart on the same file). Each chain line carries the SHA-256
// of its record's exact bytes and a digest over the chain line before it and
// its own text, so that `lab verify` can tell, record by record, what is
// there as written, what was changed, removed, added or moved.
//
// A record goes to its file first, its chain line after it: a station that
// dies between the two leaves its last record unconfirmed, never a chain
// line for a record that is not there. A chain line the disk refuses waits
// and goes first with the next one. The recorded file itself is unchanged.
//
// What the chain proves: every line accounted for against every accidental
// or casual edit of the file. What it cannot prove: someone who rewrites the
// file and its chain together is caught only by a copy of the chain's head
// kept elsewhere (the manifest's events hold the head at their moments).
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/records/record_file.h"

namespace wegator::lab {

// "<file>.chain".
std::string ChainPath(const std::string& file);

// The digest a chain starts from.
inline constexpr std::string_view kChainSeed = "0000000000000000000000000000000000000000000000000000000000000000";

// Why records were not written, as the chain names it.
namespace chain_event {
inline constexpr std::string_view kOpened = "opened";        // the file was started (or emptied)
inline constexpr std::string_view kReopened = "reopened";    // the station went on with a file holding records
inline constexpr std::string_view kRecreated = "recreated";  // deleted or replaced under the station: begun again
inline constexpr std::string_view kSkipped = "skipped";      // a record not written: detail says why
inline constexpr std::string_view kResumed = "resumed";      // records written again after skipped ones
inline constexpr std::string_view kWriteFailed = "write-failed";
inline constexpr std::string_view kDropped = "dropped";  // a record given up: the disk refused too long
inline constexpr std::string_view kClosed = "closed";    // the station ended the file
}  // namespace chain_event

// Where a chain stands: the lines confirmed since the file began (or was
// begun again), the time of the last one, the digest of the last entry.
struct ChainHead {
    std::size_t records = 0;
    std::string lastRecordTime;
    std::string digest = std::string(kChainSeed);
};

// One entry of a chain file as read back.
struct ChainEntry {
    enum class Kind { Record, Unconfirmed, Event };
    Kind kind = Kind::Record;
    std::size_t number = 0;  // records: their number in the chain
    std::string time;        // ISO 8601 with the offset
    std::size_t length = 0;  // records: bytes
    std::string recordDigest;
    std::string event, detail;  // events
    std::string digest;         // the chain's digest after this entry
    std::size_t chainLine = 0;  // where it stands in the chain file (1-based)
};

struct ChainText {
    std::string file;  // the file name the chain was begun for
    std::vector<ChainEntry> entries;
    // The first line whose digest does not follow from the entry before it
    // (the chain file edited), or one that cannot be read; 0 when none.
    std::size_t brokenAt = 0;
};
ChainText ParseChain(std::string_view text);

// The lines of a recorded file, each with its line end; a last piece
// without one is a line too.
std::vector<std::string_view> ChainLines(std::string_view text);

// Keeps the chain of one recorded file while the station writes it.
class RecordChain {
public:
    using Now = std::function<std::string()>;  // the local time, ISO 8601
    // Opens the chain beside `file`. An empty file starts a chain anew; a
    // file holding lines goes on with its chain, lines found beyond what the
    // chain confirmed (the station stopped between a record and its chain
    // line, or a file without a chain) confirmed as found, with the
    // reopening. A chain file that is no regular file is refused.
    static std::unique_ptr<RecordChain> Open(const std::string& file, Now now, std::string* error = nullptr);

    // The file took these complete lines.
    void Confirm(std::string_view lines);
    // Something the file shows as a gap: an event at the present moment.
    void Event(std::string_view kind, std::string_view detail = {});
    // The file was emptied or begun again under the station.
    void Restart(std::string_view kind);

    const ChainHead& Head() const { return head_; }
    const std::string& Path() const { return path_; }
    // Chain lines still waiting for the disk.
    std::size_t Waiting() const { return waiting_.size(); }

private:
    RecordChain(std::string path, std::unique_ptr<RecordFile> file, Now now)
        : path_(std::move(path)), file_(std::move(file)), now_(std::move(now)) {}
    void Add(std::string text, bool record, std::string_view time);
    void Flush();

    std::string path_;
    std::string fileName_;
    std::unique_ptr<RecordFile> file_;
    Now now_;
    ChainHead head_;
    std::string waiting_;
};

// A line sink whose every appended line is confirmed in a chain.
class ChainedSink : public LineSink {
public:
    ChainedSink(std::unique_ptr<LineSink> file, std::shared_ptr<RecordChain> chain)
        : file_(std::move(file)), chain_(std::move(chain)) {}
    bool Append(std::string_view lines) override;
    bool StartedAnew() override;
    std::string Error() const override { return file_->Error(); }
    RecordChain& Chain() { return *chain_; }

private:
    std::unique_ptr<LineSink> file_;
    std::shared_ptr<RecordChain> chain_;
    bool failing_ = false;
};

// What the chain says of a recorded file, finding by finding.
struct ChainFinding {
    enum class Kind {
        Changed,          // a line differs from the record confirmed there
        Missing,          // a confirmed record is not in the file
        Inserted,         // a line no record confirms
        Moved,            // a confirmed record stands elsewhere
        Duplicated,       // a confirmed record appears twice
        Truncated,        // the file ends before its last confirmed records
        Unconfirmed,      // the last lines, written as the station stopped
        FoundAtReopening, // lines the station found unconfirmed when it went on
        ExplainedGap,     // records not written, and why
        UnexplainedGap,   // records not written, nobody said why
        ChainBroken,      // the chain file itself was edited
        SummaryMissing,   // a run's series file ended without its summary
        NotClosed,        // the station did not end the file (it stopped)
    };
    Kind kind = Kind::Changed;
    bool ok = false;
    std::size_t line = 0;    // in the recorded file, 1-based; 0 when none
    std::size_t record = 0;  // in the chain, 1-based; 0 when none
    std::size_t count = 0;
    std::string from, to, detail;  // times and reasons
};

struct ChainCheck {
    std::vector<ChainFinding> findings;
    std::size_t records = 0;    // confirmed in the chain
    std::size_t confirmed = 0;  // found in place in the file
    std::size_t events = 0;
    bool ok = true;
};
// `intervalSeconds` > 0: records further apart than that (and a second)
// are a gap, explained or not. `runSeries`: a closed chain whose file has
// no summary is told.
ChainCheck CheckChain(std::string_view fileText, const ChainText& chain, int intervalSeconds, bool runSeries);

// Seconds since the epoch of "2026-12-07T22:09:34+01:00"; nothing when it is not such a time.
std::optional<std::int64_t> IsoSeconds(std::string_view iso);

}  // namespace wegator::lab
