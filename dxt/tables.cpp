#include "dxt/tables.h"

#include <cstdlib>

namespace morvane::dxt {
namespace {

template <int Bits>
int expand(int q) {
    return Bits == 5 ? expand5(q) : expand6(q);
}

template <int Bits>
void fill_quantise(uint8_t* out) {
    for (int v = 0; v < 256; ++v) {
        int best = 0, best_error = 1 << 30;
        for (int q = 0; q < (1 << Bits); ++q) {
            int e = std::abs(expand<Bits>(q) - v);
            if (e < best_error) { best_error = e; best = q; }
        }
        out[v] = uint8_t(best);
    }
}

// Brute force over every endpoint pair, exact against the decoder's integer palette.
// Ties go to the pair with the nearer endpoints, so that rounding elsewhere matters least.
template <int Bits, int Divisor>
void fill_solid(SolidPair* out) {
    for (int v = 0; v < 256; ++v) {
        SolidPair best;
        int best_error = 1 << 30, best_spread = 1 << 30;
        for (int a = 0; a < (1 << Bits); ++a) {
            for (int b = 0; b < (1 << Bits); ++b) {
                int entry = Divisor == 3 ? (2 * expand<Bits>(a) + expand<Bits>(b)) / 3
                                         : (expand<Bits>(a) + expand<Bits>(b)) / 2;
                int e = std::abs(entry - v), spread = std::abs(a - b);
                if (e < best_error || (e == best_error && spread < best_spread)) {
                    best_error = e; best_spread = spread;
                    best = SolidPair{uint8_t(a), uint8_t(b), uint8_t(e)};
                }
            }
        }
        out[v] = best;
    }
}

Tables build_tables() {
    Tables t;
    fill_quantise<5>(t.quantise5);
    fill_quantise<6>(t.quantise6);
    fill_solid<5, 3>(t.third5);
    fill_solid<6, 3>(t.third6);
    fill_solid<5, 2>(t.half5);
    fill_solid<6, 2>(t.half6);
    return t;
}

}  // namespace

const Tables& tables() {
    static const Tables built = build_tables();
    return built;
}

}  // namespace morvane::dxt
