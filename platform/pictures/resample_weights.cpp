#include "platform/pictures/resample_weights.h"

#include <algorithm>
#include <cmath>

namespace morvane {
namespace {

struct Tap {
    int index;
    double weight;
};

// Destination pixel d covers the source span [d * scale, (d + 1) * scale); each source pixel counts by the
// length of its overlap with that span.
void area_taps(int source_size, double scale, int d, std::vector<Tap>& taps) {
    const double lo = d * scale;
    const double hi = (d + 1) * scale;
    const int first = std::clamp(int(std::floor(lo)), 0, source_size - 1);
    const int last = std::clamp(int(std::ceil(hi)) - 1, first, source_size - 1);
    for (int i = first; i <= last; ++i) {
        const double overlap = std::min(hi, double(i + 1)) - std::max(lo, double(i));
        if (overlap > 1e-9) taps.push_back({i, overlap});
    }
}

// The centre of destination pixel d, mapped into the source, falls between two source centres.
void linear_taps(int source_size, double scale, int d, std::vector<Tap>& taps) {
    const double p = (d + 0.5) * scale - 0.5;
    const int i0 = int(std::floor(p));
    const double f = p - i0;
    const int a = std::clamp(i0, 0, source_size - 1);
    const int b = std::clamp(i0 + 1, 0, source_size - 1);
    if (a == b || f <= 0.0) {
        taps.push_back({a, 1.0});
    } else {
        taps.push_back({a, 1.0 - f});
        taps.push_back({b, f});
    }
}

}  // namespace

AxisWeights axis_weights(int source_size, int dest_size, int begin, int end) {
    AxisWeights w;
    w.begin = begin;
    if (source_size <= 0 || dest_size <= 0 || end <= begin) return w;

    const double scale = double(source_size) / double(dest_size);
    const bool reducing = source_size >= dest_size;
    std::vector<Tap> taps;
    for (int d = begin; d < end; ++d) {
        taps.clear();
        if (reducing)
            area_taps(source_size, scale, d, taps);
        else
            linear_taps(source_size, scale, d, taps);

        double sum = 0.0;
        for (const Tap& t : taps) sum += t.weight;
        w.first.push_back(taps.front().index);
        w.count.push_back(int(taps.size()));
        w.offset.push_back(int(w.weights.size()));
        for (const Tap& t : taps) w.weights.push_back(float(t.weight / sum));
        w.max_count = std::max(w.max_count, int(taps.size()));
    }
    return w;
}

}  // namespace morvane
