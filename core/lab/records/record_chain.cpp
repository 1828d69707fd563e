#include "lab/records/record_chain.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "lab/records/sha256.h"

namespace wegator::lab {

namespace {

constexpr std::string_view kChainMagic = "wegator-chain\t1\t";

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find('\t', start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return fields;
}

std::optional<std::size_t> Whole(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::size_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

// A detail stays on its line and in its field.
std::string Plain(std::string_view text) {
    std::string out(text.substr(0, 400));
    for (char& c : out) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return out;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ChainFinding Found(ChainFinding::Kind kind, bool ok, std::size_t line = 0, std::size_t record = 0,
                   std::size_t count = 0, std::string from = {}, std::string to = {}, std::string detail = {}) {
    ChainFinding finding;
    finding.kind = kind;
    finding.ok = ok;
    finding.line = line;
    finding.record = record;
    finding.count = count;
    finding.from = std::move(from);
    finding.to = std::move(to);
    finding.detail = std::move(detail);
    return finding;
}

bool IsRestart(const ChainEntry& e) {
    return e.kind == ChainEntry::Kind::Event && (e.event == chain_event::kOpened || e.event == chain_event::kRecreated);
}

// Where the records the file holds now begin: after the last time it was
// started or begun again.
std::size_t Base(const std::vector<ChainEntry>& entries) {
    std::size_t base = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (IsRestart(entries[i])) base = i + 1;
    }
    return base;
}

}  // namespace

std::string ChainPath(const std::string& file) { return file + ".chain"; }

std::vector<std::string_view> ChainLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find('\n', from);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(from, next - from));
        from = next;
    }
    return lines;
}

ChainText ParseChain(std::string_view text) {
    ChainText chain;
    const std::vector<std::string_view> lines = ChainLines(text);
    std::string digest(kChainSeed);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        const bool whole = line.ends_with('\n');
        if (whole) line.remove_suffix(1);
        if (i == 0) {
            if (!line.starts_with(kChainMagic)) {
                chain.brokenAt = 1;
                return chain;
            }
            chain.file = std::string(line.substr(kChainMagic.size()));
            continue;
        }
        // A last line without its end: the station stopped while writing it.
        if (!whole) break;
        const std::size_t cut = line.find_last_of('\t');
        const std::vector<std::string_view> f = Fields(line);
        ChainEntry entry;
        entry.chainLine = i + 1;
        bool read = cut != std::string_view::npos;
        if (read && (f[0] == "R" || f[0] == "U") && f.size() == 6) {
            entry.kind = f[0] == "R" ? ChainEntry::Kind::Record : ChainEntry::Kind::Unconfirmed;
            const auto number = Whole(f[1]);
            const auto length = Whole(f[3]);
            read = number && length && f[4].size() == 64;
            entry.number = number.value_or(0);
            entry.time = std::string(f[2]);
            entry.length = length.value_or(0);
            entry.recordDigest = std::string(f[4]);
        } else if (read && f[0] == "E" && f.size() == 5) {
            entry.kind = ChainEntry::Kind::Event;
            entry.time = std::string(f[1]);
            entry.event = std::string(f[2]);
            entry.detail = std::string(f[3]);
        } else {
            read = false;
        }
        entry.digest = std::string(f.back());
        if (!read || Sha256Hex(digest + "\n" + std::string(line.substr(0, cut))) != entry.digest) {
            if (chain.brokenAt == 0) chain.brokenAt = i + 1;
            if (!read) continue;
        }
        digest = entry.digest;
        chain.entries.push_back(std::move(entry));
    }
    return chain;
}

// ---------------------------------------------------------------- the station's side

std::unique_ptr<RecordChain> RecordChain::Open(const std::string& file, Now now, std::string* error) {
    const std::string path = ChainPath(file);
    RecordFile::Opened opened = RecordFile::Open(path, RecordFile::Mode::OwnFile);
    if (!opened.file) {
        if (error != nullptr) *error = path + ": " + opened.error;
        return nullptr;
    }
    std::unique_ptr<RecordChain> chain(new RecordChain(path, std::move(opened.file), std::move(now)));
    const std::size_t slash = file.find_last_of('/');
    chain->fileName_ = Plain(slash == std::string::npos ? file : file.substr(slash + 1));

    const std::string text = ReadAll(file);
    std::string old = opened.existed ? ReadAll(path) : std::string();
    if (!old.empty() && !old.ends_with('\n')) {
        // A chain line torn by a stop confirmed nothing: it goes.
        const std::size_t end = old.find_last_of('\n');
        old.resize(end == std::string::npos ? 0 : end + 1);
        chain->file_->CutTo(old.size());
    }
    std::size_t covered = 0;
    if (text.empty() || old.empty()) {
        // A file begun now (or one written before it had a chain) starts a chain of its own.
        chain->file_->Empty();
        chain->waiting_ = std::string(kChainMagic) + chain->fileName_ + "\n";
        if (text.empty()) {
            chain->Event(chain_event::kOpened);
            return chain;
        }
    } else {
        const ChainText parsed = ParseChain(old);
        for (std::size_t i = Base(parsed.entries); i < parsed.entries.size(); ++i) {
            if (parsed.entries[i].kind != ChainEntry::Kind::Event) ++covered;
        }
        for (const ChainEntry& entry : parsed.entries) {
            if (entry.kind != ChainEntry::Kind::Event) {
                chain->head_.records = entry.number;
                chain->head_.lastRecordTime = entry.time;
            }
        }
        if (!parsed.entries.empty()) chain->head_.digest = parsed.entries.back().digest;
    }
    // Lines beyond what the chain confirmed: the station stopped between a
    // record and its chain line, or the file is older than its chain.
    const std::vector<std::string_view> lines = ChainLines(text);
    const std::size_t found = lines.size() > covered ? lines.size() - covered : 0;
    chain->Add("E\t" + chain->now_() + "\t" + std::string(chain_event::kReopened) + "\t" +
                   (found == 0 ? std::string() : std::to_string(found) + " unconfirmed"),
               false, {});
    for (std::size_t i = covered; i < lines.size(); ++i) {
        const std::string time = chain->now_();
        chain->Add("U\t" + std::to_string(chain->head_.records + 1) + "\t" + time + "\t" +
                       std::to_string(lines[i].size()) + "\t" + Sha256Hex(lines[i]),
                   true, time);
    }
    chain->Flush();
    return chain;
}

void RecordChain::Add(std::string text, bool record, std::string_view time) {
    const std::string digest = Sha256Hex(head_.digest + "\n" + text);
    waiting_ += text + "\t" + digest + "\n";
    head_.digest = digest;
    if (record) {
        ++head_.records;
        head_.lastRecordTime = std::string(time);
    }
}

void RecordChain::Flush() {
    if (!waiting_.empty() && file_->Append(waiting_)) waiting_.clear();
}

void RecordChain::Confirm(std::string_view lines) {
    const std::string time = now_();
    for (const std::string_view line : ChainLines(lines)) {
        Add("R\t" + std::to_string(head_.records + 1) + "\t" + time + "\t" + std::to_string(line.size()) + "\t" +
                Sha256Hex(line),
            true, time);
    }
    Flush();
}

void RecordChain::Event(std::string_view kind, std::string_view detail) {
    Add("E\t" + now_() + "\t" + Plain(kind) + "\t" + Plain(detail), false, {});
    Flush();
}

void RecordChain::Restart(std::string_view kind) { Event(kind); }

bool ChainedSink::Append(std::string_view lines) {
    if (!file_->Append(lines)) {
        // Records wait for the disk: the chain says when that began.
        if (!failing_) chain_->Event(chain_event::kWriteFailed, file_->Error());
        failing_ = true;
        return false;
    }
    failing_ = false;
    chain_->Confirm(lines);
    return true;
}

bool ChainedSink::StartedAnew() {
    if (!file_->StartedAnew()) return false;
    chain_->Restart(chain_event::kRecreated);
    return true;
}

// ---------------------------------------------------------------- verify

std::optional<std::int64_t> IsoSeconds(std::string_view iso) {
    // "2026-12-07T22:09:34+01:00"
    if (iso.size() != 25 || iso[4] != '-' || iso[7] != '-' || iso[10] != 'T' || iso[13] != ':' || iso[16] != ':' ||
        (iso[19] != '+' && iso[19] != '-') || iso[22] != ':') {
        return std::nullopt;
    }
    const auto at = [&](std::size_t from, std::size_t n) { return Whole(iso.substr(from, n)); };
    const auto y = at(0, 4), mo = at(5, 2), d = at(8, 2), h = at(11, 2), mi = at(14, 2), s = at(17, 2),
               oh = at(20, 2), om = at(23, 2);
    if (!y || !mo || !d || !h || !mi || !s || !oh || !om || *mo < 1 || *mo > 12 || *d < 1 || *d > 31) {
        return std::nullopt;
    }
    // Days from the civil date (proleptic Gregorian).
    const std::int64_t year = static_cast<std::int64_t>(*y) - (*mo <= 2 ? 1 : 0);
    const std::int64_t era = year / 400;
    const std::int64_t yoe = year - era * 400;
    const std::int64_t month = static_cast<std::int64_t>(*mo);
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + static_cast<std::int64_t>(*d) - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = era * 146097 + doe - 719468;
    const std::int64_t offset = (static_cast<std::int64_t>(*oh) * 60 + static_cast<std::int64_t>(*om)) * 60;
    return days * 86400 + static_cast<std::int64_t>(*h * 3600 + *mi * 60 + *s) - (iso[19] == '-' ? -offset : offset);
}

ChainCheck CheckChain(std::string_view fileText, const ChainText& chain, int intervalSeconds, bool runSeries) {
    using K = ChainFinding::Kind;
    ChainCheck check;
    const auto add = [&](ChainFinding finding) {
        check.ok = check.ok && finding.ok;
        check.findings.push_back(std::move(finding));
    };
    if (chain.brokenAt != 0) add(Found(K::ChainBroken, false, 0, 0, 0, {}, {}, std::to_string(chain.brokenAt)));

    const std::vector<ChainEntry>& entries = chain.entries;
    const std::size_t base = Base(entries);
    std::vector<const ChainEntry*> expected;
    for (std::size_t i = base; i < entries.size(); ++i) {
        if (entries[i].kind == ChainEntry::Kind::Event) {
            ++check.events;
        } else {
            expected.push_back(&entries[i]);
        }
    }
    check.records = expected.size();
    const bool closed = !entries.empty() && entries.back().kind == ChainEntry::Kind::Event &&
                        entries.back().event == chain_event::kClosed;

    const std::vector<std::string_view> lines = ChainLines(fileText);
    std::vector<std::string> hashes;
    for (const std::string_view line : lines) hashes.push_back(Sha256Hex(line));
    std::map<std::string, std::vector<std::size_t>> inChain;  // digest → records
    for (std::size_t k = 0; k < expected.size(); ++k) inChain[expected[k]->recordDigest].push_back(k);

    // Each line takes the first record of its bytes not yet taken; a line
    // whose record was taken already repeats it.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::size_t> record(lines.size(), kNone);
    std::vector<bool> used(expected.size(), false);
    std::vector<bool> repeated(lines.size(), false);
    for (std::size_t j = 0; j < lines.size(); ++j) {
        const auto found = inChain.find(hashes[j]);
        if (found == inChain.end()) continue;
        for (const std::size_t k : found->second) {
            if (!used[k]) {
                record[j] = k;
                used[k] = true;
                break;
            }
        }
        if (record[j] == kNone) repeated[j] = true;
    }
    // The longest run of lines in the chain's order stands in place; any
    // other line of the chain was moved there.
    std::vector<std::size_t> tails, previous(lines.size(), kNone);
    for (std::size_t j = 0; j < lines.size(); ++j) {
        if (record[j] == kNone) continue;
        const auto at = std::lower_bound(tails.begin(), tails.end(), record[j],
                                         [&](std::size_t line, std::size_t k) { return record[line] < k; });
        if (at != tails.begin()) previous[j] = *(at - 1);
        if (at == tails.end()) {
            tails.push_back(j);
        } else {
            *at = j;
        }
    }
    std::vector<bool> inPlace(lines.size(), false);
    for (std::size_t j = tails.empty() ? kNone : tails.back(); j != kNone; j = previous[j]) inPlace[j] = true;

    std::vector<bool> claimed(expected.size(), false);
    std::vector<std::size_t> trailing;  // lines no record confirms after the last one in place
    std::size_t foundAtReopening = 0;
    std::size_t lastPlaced = kNone;  // the record of the last line in place so far
    for (std::size_t j = 0; j < lines.size(); ++j) {
        const std::size_t line = j + 1;
        if (repeated[j]) {
            add(Found(K::Duplicated, false, line, inChain.at(hashes[j]).front() + 1));
        } else if (record[j] != kNone && inPlace[j]) {
            lastPlaced = record[j];
            ++check.confirmed;
            if (expected[record[j]]->kind == ChainEntry::Kind::Unconfirmed) ++foundAtReopening;
        } else if (record[j] != kNone) {
            add(Found(K::Moved, false, line, record[j] + 1));
        } else {
            // A line no record confirms: the record due here changed, or a line was added.
            std::size_t next = expected.size();
            for (std::size_t later = j + 1; later < lines.size(); ++later) {
                if (inPlace[later]) {
                    next = record[later];
                    break;
                }
            }
            std::size_t due = lastPlaced == kNone ? 0 : lastPlaced + 1;
            while (due < next && (used[due] || claimed[due])) ++due;
            if (due < next) {
                claimed[due] = true;
                add(Found(K::Changed, false, line, due + 1));
            } else if (next == expected.size()) {
                trailing.push_back(line);
            } else {
                add(Found(K::Inserted, false, line, 0));
            }
        }
    }
    // Records never found: the end cut off when they are the last ones.
    std::size_t firstLost = expected.size();
    while (firstLost > 0 && !used[firstLost - 1] && !claimed[firstLost - 1]) --firstLost;
    for (std::size_t k = 0; k < firstLost; ++k) {
        if (used[k] || claimed[k]) continue;
        std::size_t line = lines.size();
        for (std::size_t j = 0; j < lines.size(); ++j) {
            if (inPlace[j] && record[j] > k) {
                line = j + 1;
                break;
            }
        }
        add(Found(K::Missing, false, line, k + 1, 1, expected[k]->time));
    }
    if (firstLost < expected.size()) {
        add(Found(K::Truncated, false, lines.size(), firstLost + 1, expected.size() - firstLost,
                  expected[firstLost]->time));
    }
    // A station stopped between a record (a header with it) and its chain
    // line leaves those at the end; after it ended the file, nothing may follow.
    if (!trailing.empty()) {
        if (!closed && trailing.size() <= 2) {
            add(Found(K::Unconfirmed, true, trailing.front(), 0, trailing.size()));
        } else {
            for (const std::size_t line : trailing) add(Found(K::Inserted, false, line, 0));
        }
    }
    if (foundAtReopening > 0) add(Found(K::FoundAtReopening, true, 0, 0, foundAtReopening));

    // Gaps between records: explained by an event between them, or not.
    if (intervalSeconds > 0) {
        std::optional<std::int64_t> last;
        std::string lastTime, why;
        for (std::size_t i = base; i < entries.size(); ++i) {
            const ChainEntry& e = entries[i];
            if (e.kind == ChainEntry::Kind::Event) {
                if (e.event == chain_event::kClosed || e.event == chain_event::kResumed) continue;
                if (why.find(e.event) == std::string::npos) {
                    why += (why.empty() ? "" : "; ") + e.event + (e.detail.empty() ? "" : ": " + e.detail);
                }
                continue;
            }
            const std::optional<std::int64_t> t = IsoSeconds(e.time);
            if (t && last && *t - *last > intervalSeconds + 1) {
                add(Found(why.empty() ? K::UnexplainedGap : K::ExplainedGap, !why.empty(), 0, e.number,
                          static_cast<std::size_t>(*t - *last), lastTime, e.time, why));
            }
            if (t) {
                last = t;
                lastTime = e.time;
            }
            why.clear();
        }
    }
    if (runSeries) {
        const bool summary = std::any_of(lines.begin(), lines.end(),
                                         [](std::string_view l) { return l.starts_with("Podsumowanie:"); });
        const bool lost = std::any_of(check.findings.begin(), check.findings.end(), [](const ChainFinding& f) {
            return f.kind == K::Truncated || f.kind == K::Missing || f.kind == K::Changed;
        });
        if (!summary && lost) add(Found(K::SummaryMissing, false));
    }
    if (!closed) add(Found(K::NotClosed, true));
    return check;
}

}  // namespace wegator::lab
