#include "lab/trends/history.h"

#include <algorithm>
#include <cmath>

namespace wegator::lab {

void Moments::Add(double t, double v) {
    ++count;
    const double dt = t - tMean;
    const double dv = v - vMean;
    tMean += dt / static_cast<double>(count);
    vMean += dv / static_cast<double>(count);
    ctt += dt * (t - tMean);
    cvv += dv * (v - vMean);
    ctv += dt * (v - vMean);
}

void Moments::Merge(const Moments& o) {
    if (o.count == 0) return;
    if (count == 0) {
        *this = o;
        return;
    }
    const double na = static_cast<double>(count);
    const double nb = static_cast<double>(o.count);
    const double n = na + nb;
    const double dt = o.tMean - tMean;
    const double dv = o.vMean - vMean;
    const double w = na * nb / n;
    ctt += o.ctt + dt * dt * w;
    cvv += o.cvv + dv * dv * w;
    ctv += o.ctv + dt * dv * w;
    tMean += dt * nb / n;
    vMean += dv * nb / n;
    count += o.count;
}

void Span::Add(std::int64_t t, double v) {
    if (moments.count == 0) {
        first = last = t;
        min = max = v;
    } else {
        first = std::min(first, t);
        last = std::max(last, t);
        min = std::min(min, v);
        max = std::max(max, v);
    }
    moments.Add(static_cast<double>(t), v);
}

void Span::Merge(const Span& o) {
    if (o.moments.count == 0) return;
    if (moments.count == 0) {
        *this = o;
        return;
    }
    first = std::min(first, o.first);
    last = std::max(last, o.last);
    min = std::min(min, o.min);
    max = std::max(max, o.max);
    moments.Merge(o.moments);
}

template <typename T>
void History::Ring<T>::Push(const T& x) {
    if (size == items.size()) PopFront();
    items[(head + size) % items.size()] = x;
    ++size;
}

template <typename T>
void History::Ring<T>::PopFront() {
    head = (head + 1) % items.size();
    --size;
}

template <typename T>
template <typename Key>
std::size_t History::Ring<T>::LowerBound(std::int64_t key, Key keyOf) const {
    std::size_t lo = 0, hi = size;
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (keyOf(At(mid)) < key) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

History::History(Limits limits) : limits_(limits) {
    limits_.recentCapacity = std::max<std::size_t>(limits_.recentCapacity, 1);
    limits_.bucketCapacity = std::max<std::size_t>(limits_.bucketCapacity, 1);
    limits_.markerCapacity = std::max<std::size_t>(limits_.markerCapacity, 1);
    limits_.bucketMs = std::max<std::int64_t>(limits_.bucketMs, 1);
    markers_.items.resize(limits_.markerCapacity);
}

History::Series* History::Find(int quantity) {
    for (Series& s : series_) {
        if (s.quantity == quantity) return &s;
    }
    return nullptr;
}

const History::Series* History::Find(int quantity) const {
    for (const Series& s : series_) {
        if (s.quantity == quantity) return &s;
    }
    return nullptr;
}

// Moves a reading that left the recent tier into the bucket of its slot. Slots
// are fixed in time, so a bucket never spans more than bucketMs.
void History::Fold(Series& s, const Reading& r) {
    const auto slot = [&](std::int64_t t) {
        return t >= 0 ? t / limits_.bucketMs : (t - limits_.bucketMs + 1) / limits_.bucketMs;
    };
    if (s.buckets.size == 0 || slot(s.buckets.Back().first) != slot(r.t)) {
        Span fresh;
        fresh.Add(r.t, r.v);
        s.buckets.Push(fresh);
    } else {
        s.buckets.Back().Add(r.t, r.v);
    }
}

bool History::Add(int quantity, std::int64_t t, double value) {
    if (!std::isfinite(value)) return false;
    Series* s = Find(quantity);
    if (s == nullptr) {
        // A new quantity reserves its tiers once; adding never allocates again.
        s = &series_.emplace_back();
        s->quantity = quantity;
        s->recent.items.resize(limits_.recentCapacity);
        s->buckets.items.resize(limits_.bucketCapacity);
    }
    if (s->recent.size > 0 && t < s->recent.Back().t) return false;
    if (s->recent.size == 0 && s->buckets.size > 0 && t < s->buckets.Back().last) return false;
    // Readings older than the recent window, or crowded out of a full tier,
    // go to the buckets; each reading moves once, so adding is O(1) amortised.
    while (s->recent.size > 0 &&
           (s->recent.size == s->recent.items.size() || s->recent.At(0).t <= t - limits_.recentMs)) {
        Fold(*s, s->recent.At(0));
        s->recent.PopFront();
    }
    s->recent.Push({t, value});
    return true;
}

void History::Mark(std::int64_t t, MarkerKind kind, int quantity) {
    markers_.Push({t, kind, quantity});
}

std::vector<Column> History::Query(int quantity, std::int64_t from, std::int64_t to, std::size_t columns) const {
    std::vector<Column> out;
    const Series* s = Find(quantity);
    if (s == nullptr || to < from || columns == 0) return out;
    // Columns of equal width over [from, to]; the last one closes the span.
    const std::int64_t width = to - from + 1;
    const auto n = static_cast<std::int64_t>(columns);
    const auto columnOf = [&](std::int64_t t) { return static_cast<std::int64_t>((static_cast<__int128>(t - from) * n) / width); };
    std::int64_t lastColumn = -1;
    const auto add = [&](std::int64_t t, const Span& span) {
        const std::int64_t c = columnOf(t);
        if (out.empty() || lastColumn != c) {
            lastColumn = c;
            Column col;
            col.from = from + static_cast<std::int64_t>((static_cast<__int128>(c) * width + n - 1) / n);
            col.to = from + static_cast<std::int64_t>((static_cast<__int128>(c + 1) * width + n - 1) / n) - 1;
            col.span = span;
            out.push_back(col);
        } else {
            out.back().span.Merge(span);
        }
    };
    const auto bucketTime = [](const Span& b) { return static_cast<std::int64_t>(std::llround(b.moments.tMean)); };
    for (std::size_t i = s->buckets.LowerBound(from, [](const Span& b) { return b.last; }); i < s->buckets.size; ++i) {
        const Span& b = s->buckets.At(i);
        const std::int64_t t = bucketTime(b);
        if (t > to) break;
        if (t >= from) add(t, b);
    }
    for (std::size_t i = s->recent.LowerBound(from, [](const Reading& r) { return r.t; }); i < s->recent.size; ++i) {
        const Reading& r = s->recent.At(i);
        if (r.t > to) break;
        Span one;
        one.Add(r.t, r.v);
        add(r.t, one);
    }
    return out;
}

std::vector<Marker> History::Markers(int quantity, std::int64_t from, std::int64_t to) const {
    std::vector<Marker> out;
    for (std::size_t i = 0; i < markers_.size; ++i) {
        const Marker& m = markers_.At(i);
        if (m.time >= from && m.time <= to && (m.quantity == quantity || m.quantity == kAllQuantities)) out.push_back(m);
    }
    // Markers come in the order they were made; the clock never goes back, but
    // sort anyway so a chart never draws them out of order.
    std::stable_sort(out.begin(), out.end(), [](const Marker& a, const Marker& b) { return a.time < b.time; });
    return out;
}

const Marker* History::LastMarker(int quantity, std::int64_t t) const {
    const Marker* best = nullptr;
    for (std::size_t i = markers_.size; i-- > 0;) {
        const Marker& m = markers_.At(i);
        if (m.time <= t && (m.quantity == quantity || m.quantity == kAllQuantities) && (best == nullptr || m.time > best->time)) {
            best = &m;
        }
    }
    return best;
}

Span History::Summary(int quantity, std::int64_t from, std::int64_t to) const {
    Span out;
    const Series* s = Find(quantity);
    if (s == nullptr || to < from) return out;
    for (std::size_t i = s->buckets.LowerBound(from, [](const Span& b) { return b.first; }); i < s->buckets.size; ++i) {
        const Span& b = s->buckets.At(i);
        if (b.last > to) break;
        out.Merge(b);
    }
    for (std::size_t i = s->recent.LowerBound(from, [](const Reading& r) { return r.t; }); i < s->recent.size; ++i) {
        const Reading& r = s->recent.At(i);
        if (r.t > to) break;
        out.Add(r.t, r.v);
    }
    return out;
}

std::size_t History::Spans::size() const {
    const Series* s = series_;
    return s == nullptr ? 0 : s->buckets.size + s->recent.size;
}

Span History::Spans::operator[](std::size_t i) const {
    const Series* s = series_;
    if (i < s->buckets.size) return s->buckets.At(i);
    const Reading& r = s->recent.At(i - s->buckets.size);
    Span one;
    one.Add(r.t, r.v);
    return one;
}

History::Spans History::SpansOf(int quantity) const {
    Spans spans;
    spans.series_ = Find(quantity);
    return spans;
}

std::int64_t History::Earliest(int quantity) const {
    const Series* s = Find(quantity);
    if (s == nullptr) return -1;
    if (s->buckets.size > 0) return s->buckets.At(0).first;
    return s->recent.size > 0 ? s->recent.At(0).t : -1;
}

std::int64_t History::Latest(int quantity) const {
    const Series* s = Find(quantity);
    if (s == nullptr || s->recent.size == 0) return -1;
    return s->recent.At(s->recent.size - 1).t;
}

std::size_t History::BytesFor(std::size_t quantities, const Limits& limits) {
    const std::size_t perQuantity =
        sizeof(Series) + limits.recentCapacity * sizeof(Reading) + limits.bucketCapacity * sizeof(Span);
    return sizeof(History) + quantities * perQuantity + limits.markerCapacity * sizeof(Marker);
}

std::size_t History::ReservedBytes() const {
    std::size_t bytes = sizeof(History) + series_.capacity() * sizeof(Series) + markers_.items.capacity() * sizeof(Marker);
    for (const Series& s : series_) {
        bytes += s.recent.items.capacity() * sizeof(Reading) + s.buckets.items.capacity() * sizeof(Span);
    }
    return bytes;
}

}  // namespace wegator::lab
