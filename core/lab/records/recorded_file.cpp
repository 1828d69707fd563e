#include "lab/records/recorded_file.h"

#include <time.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <unordered_map>

#include "lab/base/lab_messages.h"
#include "physics/units.h"
#include "text/string_table.h"

namespace wegator::lab {

namespace {

using Q = TrendQuantity;

constexpr std::string_view kRunStamp = "yyyy-MM-dd HH:mm:ss";

// Record times a data file may carry: the CSV's own, the fallback of a locale
// nobody could read back, and the usual short dates of the locales a
// laboratory's computer may have had. A one-letter field takes one or two
// digits, so "d.M.yyyy" reads "06.05.2024" and "6.5.2024" alike.
constexpr std::string_view kKnownFormats[] = {
    "yyyy.MM.dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss", "d.M.yyyy H:m:s", "d.M.yy H:m:s",
    "M/d/yyyy h:m:s AP",   "M/d/yy h:m:s AP",     "d/M/yyyy H:m:s", "M/d/yyyy H:m:s",
    "d/M/yy H:m:s",        "yyyy/M/d H:m:s",      "d-M-yyyy H:m:s", "yyyy. M. d. H:m:s",
};

struct Refusal {
    int line = 0;
    int id = 0;
    std::string text;
};

// At most this many characters of a field are quoted in a message: a
// damaged file may hold a "number" of megabytes on one line.
constexpr std::size_t kQuotedCharacters = 80;

// The start of `text`, cut between characters (UTF-8), "…" marking the cut.
std::string Excerpt(std::string_view text) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size(); ++characters) {
        if (characters == kQuotedCharacters) return std::string(text.substr(0, at)) + "…";
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return std::string(text);
}

// The message of a refused file, naming the line first, then what is wrong.
Refusal Refuse(int line, int id, std::string_view first = {}, std::string_view second = {}) {
    return {line, id, MessageText(id, {std::to_string(line), Excerpt(first), Excerpt(second)})};
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Lines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a spreadsheet's byte-order mark
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        from = end + 1;
    }
    return lines;
}

// Fields of a line; a CSV field may be quoted, its quotes doubled. Quoted
// fields are unquoted into `store` (a deque: its strings stay where they are
// while it grows), which must outlive the views.
void SplitFields(std::string_view line, bool csv, std::vector<std::string_view>& fields,
                 std::deque<std::string>& store) {
    fields.clear();
    store.clear();
    const char sep = csv ? ',' : '\t';
    std::size_t i = 0;
    while (true) {
        std::size_t end = 0;
        if (csv && i < line.size() && line[i] == '"') {
            std::string& field = store.emplace_back();
            for (++i; i < line.size(); ++i) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i];
            }
            fields.push_back(field);
            end = line.find(sep, i);
        } else {
            end = line.find(sep, i);
            fields.push_back(line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
        }
        if (end == std::string_view::npos) break;
        i = end + 1;
    }
}

std::optional<double> Number(std::string_view text) {
    text = Trim(text);
    // Files are written with the point; a comma is a decimal comma a
    // spreadsheet or an older program put there.
    char buffer[64];
    if (text.empty() || text.size() >= sizeof buffer) return std::nullopt;
    std::size_t n = 0;
    for (char c : text) buffer[n++] = c == ',' ? '.' : c;
    const char* begin = buffer + (buffer[0] == '+' ? 1 : 0);
    double value = 0.0;
    const auto [end, error] = std::from_chars(begin, buffer + n, value);
    if (error != std::errc() || end != buffer + n || !std::isfinite(value)) return std::nullopt;
    return value;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::optional<TrendUnit> UnitKind(std::string_view unit) {
    if (unit == "°C" || unit == "K" || unit == "°K" || unit == "°F") return TrendUnit::Temperature;
    if (unit == "%") return TrendUnit::Percent;
    if (unit == "Pa" || unit == "hPa" ||
        std::find(kPressureUnits.begin(), kPressureUnits.end(), unit) != kPressureUnits.end()) {
        return TrendUnit::Pressure;
    }
    return std::nullopt;
}

void SortByTime(RecordedFile& file) {
    auto earlier = [](const RecordedPoint& a, const RecordedPoint& b) { return a.time < b.time; };
    for (RecordedColumn& column : file.columns) {
        // The wall clock may step back (summer time ends): keep the file's
        // order among equal moments.
        if (!std::is_sorted(column.points.begin(), column.points.end(), earlier)) {
            std::stable_sort(column.points.begin(), column.points.end(), earlier);
        }
    }
    std::sort(file.restarts.begin(), file.restarts.end());
}

bool Blank(std::string_view line) { return Trim(line).empty(); }

// ---- the laboratory data file

class DataFileReader {
public:
    DataFileReader(const std::vector<std::string_view>& lines, const RecordedReadOptions& options) : lines_(lines) {
        std::vector<StringLookup> languages{&PolishString, &LoadString};
        languages.insert(languages.end(), options.languages.begin(), options.languages.end());
        for (StringLookup text : languages) {
            if (text(msg::DateAndTime).empty()) continue;  // a language without these texts
            dateLabels_.emplace_back(text(msg::DateAndTime));
            names_.emplace(text(msg::DewPointInputLabel), Q::DewPointAverage);
            names_.emplace(text(msg::TemperatureInputLabel), Q::TemperatureAverage);
            names_.emplace(text(msg::PressureInputLabel), Q::PressureAverage);
            names_.emplace("DP " + std::string(text(msg::OverWater)), Q::ResultDewPoint);
            names_.emplace("FP " + std::string(text(msg::OverIce)), Q::ResultDewPoint);
            names_.emplace("RH " + std::string(text(msg::OverWater)), Q::ResultHumidity);
            names_.emplace("T " + std::string(text(msg::OverWater)), Q::ResultTemperature);
        }
        formats_.emplace_back(options.dateFormats.shortDate + " " + options.dateFormats.time);
        for (std::string_view known : kKnownFormats) formats_.emplace_back(known);
    }

    // The line holds a header: its first field is "Data i czas" in a language.
    bool IsHeader(std::string_view line) const {
        for (const std::string& label : dateLabels_) {
            if (line.starts_with(label) &&
                (line.size() == label.size() || line[label.size()] == '\t' || line[label.size()] == ',')) {
                return true;
            }
        }
        return false;
    }

    std::optional<Refusal> Read(RecordedFile& file) {
        std::size_t i = 0;
        while (i < lines_.size() && Blank(lines_[i])) ++i;
        bool first = true;
        while (i < lines_.size()) {
            std::size_t end = i + 1;
            while (end < lines_.size() && !IsHeader(lines_[end])) ++end;
            if (auto refused = ReadBlock(i, end, first, file)) return refused;
            first = false;
            i = end;
        }
        const bool none = std::all_of(file.columns.begin(), file.columns.end(),
                                      [](const RecordedColumn& column) { return column.points.empty(); });
        if (none) return Refuse(static_cast<int>(lines_.size()), msg::RecordedNothing);
        return std::nullopt;
    }

private:
    // A header at `header` and its records up to `end`.
    std::optional<Refusal> ReadBlock(std::size_t header, std::size_t end, bool first, RecordedFile& file) {
        const std::string_view line = lines_[header];
        const bool csv = line.find('\t') == std::string_view::npos;
        SplitFields(line, csv, fields_, store_);
        if (!fields_.empty() && Trim(fields_.back()).empty()) fields_.pop_back();
        std::vector<std::size_t> columns;
        for (std::size_t f = 1; f < fields_.size(); ++f) columns.push_back(Column(Trim(fields_[f]), file));

        std::vector<std::int64_t> times;
        if (auto refused = Times(header + 1, end, csv, times)) return refused;
        std::size_t t = 0;
        for (std::size_t r = header + 1; r < end; ++r) {
            if (Blank(lines_[r])) continue;
            const int number = static_cast<int>(r + 1);
            const std::int64_t ms = times[t++];
            SplitFields(lines_[r], csv, fields_, store_);
            std::size_t count = fields_.size();
            if (count > 1 && Trim(fields_.back()).empty()) --count;  // the closing separator
            if (count != columns.size() + 1) {
                return Refuse(number, msg::RecordedFieldCount, std::to_string(count - 1),
                              std::to_string(columns.size()));
            }
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const std::string_view text = Trim(fields_[c + 1]);
                if (text.empty()) continue;  // no value was shown then
                const std::optional<double> value = Number(text);
                if (!value) return Refuse(number, msg::RecordedNotANumber, text);
                file.columns[columns[c]].points.push_back({ms, *value});
            }
            if (t == 1 && !first) file.restarts.push_back(ms);
        }
        return std::nullopt;
    }

    // The column a label names; the same label under a later header goes on
    // with the same series.
    std::size_t Column(std::string_view label, RecordedFile& file) {
        const std::string key(label);
        if (const auto found = columnByLabel_.find(key); found != columnByLabel_.end()) return found->second;
        RecordedColumn column;
        const std::size_t open = label.rfind(" (");
        if (open != std::string_view::npos && label.ends_with(')')) {
            column.name = std::string(label.substr(0, open));
            column.unitText = std::string(label.substr(open + 2, label.size() - open - 3));
        } else {
            column.name = key;
        }
        column.unit = UnitKind(column.unitText);
        if (const auto named = names_.find(column.name); named != names_.end()) column.quantity = named->second;
        file.columns.push_back(std::move(column));
        columnByLabel_.emplace(key, file.columns.size() - 1);
        return file.columns.size() - 1;
    }

    // The chart times of the records from `from` to `end`, all in one of the
    // formats: the first that reads every one of them. When none does, the
    // line blamed is the one the format reading furthest stopped at.
    std::optional<Refusal> Times(std::size_t from, std::size_t end, bool csv, std::vector<std::int64_t>& times) {
        std::size_t furthest = from;
        std::string_view furthestText;
        for (std::size_t f = 0; f < formats_.size(); ++f) {
            // The CSV's own format before the user's: a CSV file always has it.
            const std::string& format = formats_[csv ? (f == 0 ? 1 : f == 1 ? 0 : f) : f];
            times.clear();
            std::size_t r = from;
            for (; r < end; ++r) {
                if (Blank(lines_[r])) continue;
                const std::string_view line = lines_[r];
                const std::string_view stamp = Trim(line.substr(0, line.find(csv ? ',' : '\t')));
                const std::optional<CalendarTime> time = ParseCalendar(format, stamp);
                if (!time) break;
                times.push_back(CalendarMs(*time));
            }
            if (r == end) return std::nullopt;
            if (r >= furthest) {
                furthest = r;
                const std::string_view line = lines_[r];
                furthestText = Trim(line.substr(0, line.find(csv ? ',' : '\t')));
            }
        }
        return Refuse(static_cast<int>(furthest + 1), msg::RecordedBadTime, furthestText);
    }

    const std::vector<std::string_view>& lines_;
    std::vector<std::string> dateLabels_;
    std::unordered_map<std::string, Q> names_;
    std::vector<std::string> formats_;
    std::unordered_map<std::string, std::size_t> columnByLabel_;
    std::vector<std::string_view> fields_;
    std::deque<std::string> store_;
};

// ---- the series file of a calibration run (or its QX-311 channel file)

// A run's files speak the language of the interface that wrote them: Polish,
// the one in force or one the reader was given.
class RunWords {
public:
    explicit RunWords(const RecordedReadOptions& options) : languages_{&PolishString, &LoadString} {
        languages_.insert(languages_.end(), options.languages.begin(), options.languages.end());
    }

    // Whether `text` is text `id` in one of the languages.
    bool Is(int id, std::string_view text) const {
        return std::any_of(languages_.begin(), languages_.end(), [&](StringLookup words) {
            return !words(id).empty() && words(id) == text;
        });
    }

    // The rest of `line` after the words of text `id` before its "%s" (or its
    // start up to its first "%s", for a mark), in whichever language it is in.
    std::optional<std::string_view> After(int id, std::string_view line) const {
        for (StringLookup words : languages_) {
            const std::string_view text = words(id);
            const std::string_view lead = Trim(text.substr(0, text.find("%s")));
            if (!lead.empty() && line.starts_with(lead)) return Trim(line.substr(lead.size()));
        }
        return std::nullopt;
    }

private:
    std::vector<StringLookup> languages_;
};

std::optional<Q> RunQuantity(std::string_view name, const RunWords& words) {
    if (words.Is(msg::RunTemperature, name)) return Q::Temperature;
    if (words.Is(msg::RunDewPoint, name)) return Q::DewPoint;
    if (words.Is(msg::RunHumidityColumn, name)) return Q::ResultHumidity;
    if (words.Is(msg::RunSpreadColumn, name)) return Q::ChannelSpread;
    if (name.size() == 5 && name.starts_with("Temp") && name[4] >= '1' && name[4] <= '8') {
        return ChannelQuantity(name[4] - '0');
    }
    return std::nullopt;
}

// "2024_05_06_14_30_00" at the start of the file's name: when the run was started.
std::optional<CalendarTime> NameStamp(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return ParseCalendar("yyyy_MM_dd_HH_mm_ss", name.substr(0, 19));
}

std::optional<Refusal> ReadRun(const std::vector<std::string_view>& lines, std::size_t headerLine,
                               const RecordedReadOptions& options, RecordedFile& file) {
    file.kind = RecordedFile::Kind::RunSeries;
    const RunWords words(options);
    std::vector<std::string_view> fields, labels;
    std::deque<std::string> store;
    SplitFields(lines[headerLine], false, fields, store);
    for (std::string_view field : fields) {
        if (!Trim(field).empty()) labels.push_back(Trim(field));
    }
    // The rows' moments come last, after every value column.
    std::optional<std::size_t> timeColumn;
    if (!labels.empty() && words.Is(msg::RunRowTime, labels.back())) {
        labels.pop_back();
        timeColumn = labels.size();
    }
    // Uncertainty and non-uniformity carry no unit of their own: they are
    // differences in the run's temperature unit.
    std::string temperatureUnit;
    for (std::string_view label : labels) {
        RecordedColumn column;
        const std::size_t open = label.find('[');
        if (open != std::string_view::npos && label.ends_with(']')) {
            column.name = std::string(label.substr(0, open));
            column.unitText = std::string(label.substr(open + 1, label.size() - open - 2));
            column.unit = UnitKind(column.unitText);
            // A standard deviation is a difference ("K", or "°F" under °F);
            // "K" beside any other heading is a run recorded in kelvin.
            if (column.name.ends_with(" SD")) {
                column.unit = TrendUnit::TemperatureDifference;
            } else if (column.unit == TrendUnit::Temperature && temperatureUnit.empty()) {
                temperatureUnit = column.unitText;
            }
        } else {
            column.name = std::string(label);
            column.unit = TrendUnit::TemperatureDifference;
        }
        column.quantity = RunQuantity(column.name, words);
        file.columns.push_back(std::move(column));
    }
    for (RecordedColumn& column : file.columns) {
        if (column.unit == TrendUnit::TemperatureDifference && column.unitText.empty())
            column.unitText = temperatureUnit;
    }

    // Rows "n<tab>value<tab><tab>value…" up to the first line that is not one;
    // the summary follows. Each value keeps its heading's place, an empty
    // cell where there was none; a row edited by hand with single tabs is
    // read as its values in the headings' order. A row gives its moment in
    // its last column; in older files, without one, row times come
    // afterwards from the first and the last moment. Whatever follows a row's
    // moment is a remark on the row.
    std::vector<std::vector<std::pair<std::size_t, double>>> rows;
    std::vector<std::optional<CalendarTime>> rowTimes;
    std::size_t i = headerLine + 1;
    for (; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty() || line[0] < '0' || line[0] > '9') break;
        const int number = static_cast<int>(i + 1);
        SplitFields(line, false, fields, store);
        const std::optional<double> row = Number(fields[0]);
        if (!row || *row != static_cast<double>(rows.size() + 1)) {
            return Refuse(number, msg::RecordedRowOutOfOrder, Trim(fields[0]), std::to_string(rows.size() + 1));
        }
        rowTimes.emplace_back();
        bool placed = true;
        const std::size_t lastPlaced = timeColumn ? std::min(fields.size(), 2 * *timeColumn + 2) : fields.size();
        for (std::size_t f = 2; f < lastPlaced && placed; f += 2) placed = Trim(fields[f]).empty();
        std::vector<std::pair<std::size_t, double>> values;
        std::size_t column = 0;
        // A row taken while an input was out of date ends with a mark naming it.
        for (std::size_t f = 1; f < fields.size(); f += placed ? 2 : 1) {
            const std::string_view text = Trim(fields[f]);
            if (!placed && text.empty()) continue;
            if (timeColumn && column == *timeColumn) {
                rowTimes.back() = ParseCalendar(kRunStamp, text);
                break;
            }
            if (words.After(msg::StaleRowMark, text)) continue;
            if (!text.empty() && column >= labels.size()) {
                return Refuse(number, msg::RecordedFieldCount, std::to_string(column + 1),
                              std::to_string(labels.size()));
            }
            if (!text.empty() && !words.Is(msg::RunNoMeasurement, text)) {
                const std::optional<double> value = Number(text);
                if (!value) return Refuse(number, msg::RecordedNotANumber, text);
                values.push_back({column, *value});
            }
            ++column;
        }
        rows.push_back(std::move(values));
    }
    if (rows.empty()) return Refuse(static_cast<int>(i + 1), msg::RecordedNothing);
    if (std::all_of(rowTimes.begin(), rowTimes.end(), [](const auto& t) { return t.has_value(); })) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::int64_t ms = CalendarMs(*rowTimes[r]);
            for (const auto& [column, value] : rows[r]) file.columns[column].points.push_back({ms, value});
        }
        return std::nullopt;
    }

    std::optional<CalendarTime> started, ended;
    for (; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (const auto stamp = words.After(msg::RunStarted, line)) started = ParseCalendar(kRunStamp, *stamp);
        if (const auto stamp = words.After(msg::RunEnded, line)) ended = ParseCalendar(kRunStamp, *stamp);
    }
    if (!started) started = NameStamp(options.fileName);
    if (!ended) ended = options.modified;
    if (!started || !ended) return Refuse(static_cast<int>(lines.size()), msg::RecordedRunWithoutTime);

    // Rows come at an even period, the last one just before the summary.
    const std::int64_t first = CalendarMs(*started);
    const std::int64_t span = std::max<std::int64_t>(0, CalendarMs(*ended) - first);
    const auto steps = static_cast<std::int64_t>(std::max<std::size_t>(1, rows.size() - 1));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::int64_t ms = first + span * static_cast<std::int64_t>(r) / steps;
        for (const auto& [column, value] : rows[r]) file.columns[column].points.push_back({ms, value});
    }
    return std::nullopt;
}

bool ReadNumber(std::string_view text, std::size_t& at, std::size_t least, std::size_t most, int& value) {
    std::size_t n = 0;
    value = 0;
    while (n < most && at + n < text.size() && text[at + n] >= '0' && text[at + n] <= '9') {
        value = value * 10 + (text[at + n] - '0');
        ++n;
    }
    at += n;
    return n >= least;
}

}  // namespace

std::optional<CalendarTime> ParseCalendar(std::string_view pattern, std::string_view text) {
    CalendarTime t;
    int twelve = -1;
    bool pm = false;
    std::size_t i = 0, at = 0;
    auto literal = [&](std::string_view s) {
        if (text.substr(at, s.size()) != s) return false;
        at += s.size();
        return true;
    };
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'') {
            const std::size_t close = pattern.find('\'', i + 1);
            if (close == i + 1) {
                if (!literal("'")) return std::nullopt;
                i += 2;
                continue;
            }
            const std::size_t stop = close == std::string_view::npos ? pattern.size() : close;
            if (!literal(pattern.substr(i + 1, stop - i - 1))) return std::nullopt;
            i = close == std::string_view::npos ? pattern.size() : close + 1;
            continue;
        }
        std::size_t n = 0;
        while (i + n < pattern.size() && pattern[i + n] == c) ++n;
        const std::size_t least = n >= 2 ? 2 : 1;
        bool ok = true;
        switch (c) {
            case 'y':
                if (n >= 4) {
                    ok = ReadNumber(text, at, 4, 4, t.year);
                } else if (n == 2) {
                    ok = ReadNumber(text, at, 2, 2, t.year);
                    t.year += 2000;
                } else {
                    ok = literal(pattern.substr(i, n));
                }
                break;
            case 'M': ok = ReadNumber(text, at, least, 2, t.month); break;
            case 'd': ok = ReadNumber(text, at, least, 2, t.day); break;
            case 'H': ok = ReadNumber(text, at, least, 2, t.hour); break;
            case 'h': ok = ReadNumber(text, at, least, 2, twelve); break;
            case 'm': ok = ReadNumber(text, at, least, 2, t.minute); break;
            case 's': ok = ReadNumber(text, at, least, 2, t.second); break;
            case 'A':
            case 'a':
                if (n == 1 && i + 1 < pattern.size() && (pattern[i + 1] == 'P' || pattern[i + 1] == 'p')) {
                    const std::string_view marker = text.substr(at, 2);
                    if (marker == "AM" || marker == "am") {
                        pm = false;
                    } else if (marker == "PM" || marker == "pm") {
                        pm = true;
                    } else {
                        return std::nullopt;
                    }
                    at += 2;
                    i += 2;
                    continue;
                }
                ok = literal(pattern.substr(i, n));
                break;
            default: ok = literal(pattern.substr(i, n)); break;
        }
        if (!ok) return std::nullopt;
        i += n;
    }
    if (at != text.size()) return std::nullopt;
    if (twelve >= 0) {
        if (twelve < 1 || twelve > 12) return std::nullopt;
        t.hour = twelve % 12 + (pm ? 12 : 0);
    }
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month) || t.hour > 23 ||
        t.minute > 59 || t.second > 59) {
        return std::nullopt;
    }
    return t;
}

RecordedReading ReadRecorded(std::string_view text, const RecordedReadOptions& options) {
    const std::vector<std::string_view> lines = Lines(text);
    std::size_t first = 0;
    while (first < lines.size() && Blank(lines[first])) ++first;

    RecordedFile file;
    std::optional<Refusal> refused;
    DataFileReader data(lines, options);
    if (first == lines.size()) {
        refused = Refuse(std::max(1, static_cast<int>(lines.size())), msg::RecordedNothing);
    } else if (data.IsHeader(lines[first])) {
        refused = data.Read(file);
    } else if (lines[first].starts_with('\t') && lines[first].find('[') != std::string_view::npos) {
        refused = ReadRun(lines, first, options, file);
    } else {
        refused = Refuse(static_cast<int>(first + 1), msg::RecordedNotARecord);
    }
    RecordedReading reading;
    if (refused) {
        reading.errorLine = refused->line;
        reading.errorId = refused->id;
        reading.error = std::move(refused->text);
        return reading;
    }
    SortByTime(file);
    reading.file = std::move(file);
    return reading;
}

SeriesSet RecordedSource(const RecordedFile& file) {
    SeriesSet set;
    for (std::size_t c = 0; c < file.columns.size(); ++c) {
        for (const RecordedPoint& point : file.columns[c].points) set.Add(static_cast<int>(c), point.time, point.value);
    }
    // A restart is marked where the recording broke off: the last record
    // before it, so the gap that follows carries its label.
    for (std::int64_t restart : file.restarts) {
        std::int64_t before = restart;
        bool found = false;
        for (const RecordedColumn& column : file.columns) {
            auto it = std::lower_bound(column.points.begin(), column.points.end(), restart,
                                       [](const RecordedPoint& p, std::int64_t t) { return p.time < t; });
            if (it == column.points.begin()) continue;
            before = found ? std::max(before, std::prev(it)->time) : std::prev(it)->time;
            found = true;
        }
        set.Mark(before, MarkerKind::SettingsChanged);
    }
    return set;
}

bool UncertaintyColumn(const RecordedColumn& column) { return column.name.rfind("u(", 0) == 0; }

std::optional<std::vector<std::size_t>> SelectRecordedColumns(const RecordedFile& file,
                                                              const std::vector<std::string>& names,
                                                              std::string* unknown) {
    std::vector<std::size_t> chosen;
    if (names.empty()) {
        for (std::size_t c = 0; c < file.columns.size(); ++c) {
            if (!file.columns[c].points.empty() && !UncertaintyColumn(file.columns[c])) chosen.push_back(c);
        }
        return chosen;
    }
    // Every way a column may be named, looked up once: a file may have
    // thousands of columns, and a name is asked for each of them.
    std::unordered_map<std::string, std::vector<std::size_t>> byName;
    std::unordered_map<int, std::vector<std::size_t>> byQuantity;
    for (std::size_t c = 0; c < file.columns.size(); ++c) {
        const RecordedColumn& column = file.columns[c];
        const std::string labels[] = {column.name, column.name + " (" + column.unitText + ")",
                                      column.name + "[" + column.unitText + "]"};
        for (const std::string& label : labels) {
            std::vector<std::size_t>& columns = byName[label];
            if (columns.empty() || columns.back() != c) columns.push_back(c);
        }
        if (column.quantity) byQuantity[static_cast<int>(*column.quantity)].push_back(c);
    }
    std::vector<bool> taken(file.columns.size(), false);
    for (const std::string& name : names) {
        std::vector<std::size_t> matching;
        if (const auto found = byName.find(name); found != byName.end()) matching = found->second;
        if (const std::optional<TrendQuantity> quantity = QuantityByKey(name)) {
            if (const auto found = byQuantity.find(static_cast<int>(*quantity)); found != byQuantity.end()) {
                matching.insert(matching.end(), found->second.begin(), found->second.end());
                std::sort(matching.begin(), matching.end());
            }
        }
        if (matching.empty()) {
            if (unknown != nullptr) *unknown = name;
            return std::nullopt;
        }
        for (std::size_t c : matching) {
            if (!taken[c]) chosen.push_back(c);
            taken[c] = true;
        }
    }
    return chosen;
}

std::optional<std::pair<std::int64_t, std::int64_t>> RecordedSpan(const RecordedFile& file,
                                                                  const std::vector<std::size_t>& columns) {
    std::optional<std::pair<std::int64_t, std::int64_t>> span;
    for (std::size_t c : columns) {
        const auto& points = file.columns[c].points;
        if (points.empty()) continue;
        if (!span) span.emplace(points.front().time, points.back().time);
        span->first = std::min(span->first, points.front().time);
        span->second = std::max(span->second, points.back().time);
    }
    return span;
}

TrendChartRequest RecordedChartRequest(const RecordedFile& file, const std::vector<std::size_t>& columns,
                                       std::int64_t from, std::int64_t to, std::size_t pixelColumns, char decimalSign) {
    TrendChartRequest request;
    for (std::size_t c : columns) {
        const RecordedColumn& column = file.columns[c];
        TrendLine line;
        line.quantity = static_cast<int>(c);
        line.label = column.name;
        line.unit = column.unitText;
        // A column without a unit is no kin of another one without a unit;
        // the station's quantities share panels as on the live chart (the
        // dew point apart from the air temperature).
        if (column.unitText.empty()) {
            line.panel = column.name;
        } else if (column.quantity) {
            line.panel = StationLine(*column.quantity, column.unitText, column.unitText).panel;
        }
        request.lines.push_back(std::move(line));
    }
    request.from = from;
    request.to = to;
    request.columns = pixelColumns;
    request.decimalSign = decimalSign;
    // A file spans days and is read long after: its first tick says the date.
    request.dated = true;
    // Records come at the station's steady pace: half an interval more is a
    // record skipped.
    request.gapFactor = 1.5;
    request.markerLabels[static_cast<std::size_t>(MarkerKind::SettingsChanged)] = LoadString(msg::RecordedRestart);
    return request;
}

RecordedReading ReadRecordedFile(const std::string& path, RecordedReadOptions options) {
    RegularFileRead read = ReadRegularFile(path, options.sizeLimit);
    if (!read.text) {
        RecordedReading reading;
        reading.errorId = read.errorId;
        reading.error = std::move(read.error);
        return reading;
    }
    options.fileName = path;
    const auto modified = static_cast<time_t>(read.modified);
    struct tm local {};
    if (::localtime_r(&modified, &local) != nullptr) {
        options.modified = CalendarTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                        local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
    }
    return ReadRecorded(*read.text, options);
}

}  // namespace wegator::lab
