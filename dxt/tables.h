#pragma once
// Lookup tables shared by the colour fits: the decoder's 5- and 6-bit expansion, the nearest quantised
// value of every 8-bit value, and the single-colour endpoint pairs. Built once, on first use.
#include <cstdint>

namespace morvane::dxt {

// How the common decoders widen a 5:6:5 channel to 8 bits: bit replication.
constexpr int expand5(int q) { return (q << 3) | (q >> 2); }
constexpr int expand6(int q) { return (q << 2) | (q >> 4); }

// One channel of a solid colour: the endpoint pair (first, second) whose palette entry
// lies nearest the wanted 8-bit value, and how far off (in 8-bit units) that entry is.
struct SolidPair {
    uint8_t first = 0;
    uint8_t second = 0;
    uint8_t error = 0;
};

struct Tables {
    uint8_t quantise5[256];  // the 5-bit value whose expansion is nearest
    uint8_t quantise6[256];  // the 6-bit value whose expansion is nearest
    // Four-colour mode: the pair's palette entry 2, a third of the way from first to second.
    SolidPair third5[256];
    SolidPair third6[256];
    // Three-colour mode (DXT1 only): the pair's palette entry 2, halfway between them.
    SolidPair half5[256];
    SolidPair half6[256];
};

const Tables& tables();

}  // namespace morvane::dxt
