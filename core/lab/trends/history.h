// The station's history: every reading of every quantity the station shows
// (dew or frost point, temperature, pressure, the room, the eight QX-311
// channels, the results), kept for a day in memory that does not grow, so that
// a trend chart can show the last ten minutes reading by reading and the whole
// day at a glance, and the stability figures can be worked out at any moment.
//
// Each quantity (an id the caller chooses) keeps two tiers:
// - the recent readings at full resolution, the last `recentMs` (20 min, twice
//   the usual stability window, so every window ending in the last ten minutes
//   is judged reading by reading) while they come no faster than
//   `recentCapacity` per `recentMs` (2048: 1.7 a second); faster readings
//   shorten the recent tier, never the day;
// - older readings folded into buckets of `bucketMs` (15 s) of calendar slots,
//   each keeping the count, minimum, maximum, mean and the moments a
//   least-squares line needs, so nothing of a bucket's extremes is lost.
// `bucketCapacity` buckets (6000 × 15 s = 25 h) bound the older tier; the
// oldest bucket goes when a new slot needs room.
//
// Time is the station's monotonic clock in milliseconds, passed in by the
// caller. Readings of one quantity come in time order; an older one is refused.
// A restart of the station (settings changed, "Wyczyść", an instrument lost)
// is a marker in the history: the readings before it stay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wegator::lab {

// Count, means and co-moments of (time, value) pairs: enough for the mean, the
// standard deviation and a least-squares line, and mergeable without the pairs.
struct Moments {
    std::int64_t count = 0;
    double tMean = 0;  // ms
    double vMean = 0;
    double ctt = 0;  // Σ (t - tMean)²
    double cvv = 0;  // Σ (v - vMean)²
    double ctv = 0;  // Σ (t - tMean)(v - vMean)

    void Add(double t, double v);
    void Merge(const Moments& other);
};

// Readings folded together: one bucket of the older tier, one column of a chart.
struct Span {
    std::int64_t first = 0;  // time of the earliest reading, ms
    std::int64_t last = 0;   // time of the latest reading, ms
    double min = 0;
    double max = 0;
    Moments moments;

    double Mean() const { return moments.vMean; }
    std::int64_t Count() const { return moments.count; }
    void Add(std::int64_t t, double v);
    void Merge(const Span& other);
};

enum class MarkerKind { SettingsChanged, Cleared, InstrumentLost, InstrumentBack };

// Every quantity, for a marker that concerns the whole station.
inline constexpr int kAllQuantities = -1;

struct Marker {
    std::int64_t time = 0;  // ms
    MarkerKind kind = MarkerKind::SettingsChanged;
    int quantity = kAllQuantities;

    bool operator==(const Marker&) const = default;
};

// A chart column: the readings of [from, to) folded into one span.
struct Column {
    std::int64_t from = 0;
    std::int64_t to = 0;
    Span span;
};

class History {
    struct Series;

public:
    struct Limits {
        std::int64_t recentMs = 20 * 60 * 1000;
        std::size_t recentCapacity = 2048;
        std::int64_t bucketMs = 15 * 1000;
        std::size_t bucketCapacity = 6000;
        std::size_t markerCapacity = 4096;
    };

    History() : History(Limits{}) {}
    explicit History(Limits limits);

    // Stores one reading of `quantity` taken at `t`. False (and nothing kept)
    // when it is older than the quantity's latest reading or not finite.
    bool Add(int quantity, std::int64_t t, double value);
    // Marks a restart at `t` for one quantity or, with kAllQuantities, for all.
    void Mark(std::int64_t t, MarkerKind kind, int quantity = kAllQuantities);

    // The readings of `quantity` in [from, to] folded into at most `columns`
    // columns of equal width, in time order; empty columns are left out. A
    // column holds the readings and buckets whose (mean) time falls in it.
    // With columns at least as many as the readings, each reading is a column.
    std::vector<Column> Query(int quantity, std::int64_t from, std::int64_t to, std::size_t columns) const;
    // The markers in [from, to] that concern `quantity` (its own and the
    // station's), in time order.
    std::vector<Marker> Markers(int quantity, std::int64_t from, std::int64_t to) const;
    // The latest marker at or before `t` that concerns `quantity`.
    const Marker* LastMarker(int quantity, std::int64_t t) const;

    // All readings of `quantity` in [from, to] folded together: the recent
    // readings one by one, the older tier by whole buckets that lie inside.
    Span Summary(int quantity, std::int64_t from, std::int64_t to) const;
    // The held readings of a quantity in time order as spans: the buckets of
    // the older tier, then each recent reading alone; for walking back through
    // the history without copying it. Valid until the next Add.
    class Spans {
    public:
        std::size_t size() const;
        Span operator[](std::size_t i) const;

    private:
        friend class History;
        const Series* series_ = nullptr;
    };
    Spans SpansOf(int quantity) const;

    // The time of the earliest reading of `quantity` still held, or -1.
    std::int64_t Earliest(int quantity) const;
    std::int64_t Latest(int quantity) const;

    // Memory the history reserves for `quantities` quantities, by its design
    // (the full tiers, the marker ring and the bookkeeping), not measured.
    static std::size_t BytesFor(std::size_t quantities, const Limits& limits);
    std::size_t ReservedBytes() const;
    const Limits& limits() const { return limits_; }

private:
    struct Reading {
        std::int64_t t;
        double v;
    };
    // A fixed ring: `items` is sized once, head/size index it.
    template <typename T>
    struct Ring {
        std::vector<T> items;
        std::size_t head = 0;  // oldest
        std::size_t size = 0;
        const T& At(std::size_t i) const { return items[(head + i) % items.size()]; }
        T& At(std::size_t i) { return items[(head + i) % items.size()]; }
        T& Back() { return At(size - 1); }
        void Push(const T& x);
        void PopFront();
        // First index whose key is >= key (items ordered by key).
        template <typename Key>
        std::size_t LowerBound(std::int64_t key, Key keyOf) const;
    };
    struct Series {
        int quantity = 0;
        Ring<Reading> recent;
        Ring<Span> buckets;
    };

    Series* Find(int quantity);
    const Series* Find(int quantity) const;
    void Fold(Series& s, const Reading& r);

    Limits limits_;
    std::vector<Series> series_;
    Ring<Marker> markers_;
};

}  // namespace wegator::lab
