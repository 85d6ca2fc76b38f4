#pragma once
// Candidate endpoint pairs near the best one so far, every candidate scored with freshly chosen selectors
// on the decoded palette: per channel, either endpoint moved one step, both moved together (a shift) and
// both moved apart or closer (a stretch). The refinement before it is exact for fixed selectors; this
// finds the gains that need selectors to move.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"

namespace morvane::dxt {

struct EndpointMove {
    int8_t channel;  // 0 red, 1 green, 2 blue
    int8_t first, second;  // steps of each endpoint
};

inline constexpr int kAllMoves = 24;
inline constexpr EndpointMove kEndpointMoves[] = {
    {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {1, 1, 0}, {1, -1, 0},
    {1, 0, 1}, {1, 0, -1}, {2, 1, 0}, {2, -1, 0}, {2, 0, 1}, {2, 0, -1},
    {0, 1, 1}, {0, -1, -1}, {0, 1, -1}, {0, -1, 1}, {1, 1, 1}, {1, -1, -1},
    {1, 1, -1}, {1, -1, 1}, {2, 1, 1}, {2, -1, -1}, {2, 1, -1}, {2, -1, 1},
};
static_assert(sizeof(kEndpointMoves) / sizeof(kEndpointMoves[0]) == kAllMoves);

MORVANE_DXT_INLINE bool apply_move(EndpointPair& e, EndpointMove m) {
    int top = m.channel == 1 ? 63 : 31;
    int& a = m.channel == 0 ? e.first.r : m.channel == 1 ? e.first.g : e.first.b;
    int& b = m.channel == 0 ? e.second.r : m.channel == 1 ? e.second.g : e.second.b;
    a += m.first;
    b += m.second;
    return a >= 0 && a <= top && b >= 0 && b <= top;
}

// Improves `best` (whose error is `best_error`) in up to `rounds` rounds of the moves, each round taking the
// best move; returns the new error. A move changes one channel, so the other two channels' share of every
// pixel-to-entry distance is worked out once per round and reused by the eight moves of that channel.
MORVANE_DXT_INLINE int32_t search_nearby_endpoints(const BlockPixels& px, PaletteMode mode, int rounds,
                                                   EndpointPair& best, int32_t best_error) {
    const int32_t* channel_pixels[3] = {px.r, px.g, px.b};
    for (int round = 0; round < rounds && best_error > 0; ++round) {
        const Palette base = decoded_palette(best, mode);
        const int32_t* base_entries[3] = {base.r, base.g, base.b};
        alignas(64) int32_t own[3][4][16];  // each channel's squared distance to each entry
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 4; ++k)
                for (int i = 0; i < 16; ++i) {
                    int32_t d = channel_pixels[c][i] - base_entries[c][k];
                    own[c][k][i] = d * d;
                }
        alignas(64) int32_t rest[3][4][16];  // the other two channels' share
        for (int k = 0; k < 4; ++k)
            for (int i = 0; i < 16; ++i) {
                rest[0][k][i] = own[1][k][i] + own[2][k][i];
                rest[1][k][i] = own[0][k][i] + own[2][k][i];
                rest[2][k][i] = own[0][k][i] + own[1][k][i];
            }

        EndpointPair round_best = best;
        int32_t round_error = best_error;
        for (int move = 0; move < kAllMoves; ++move) {
            const EndpointMove m = kEndpointMoves[move];
            EndpointPair c = best;
            if (!apply_move(c, m)) continue;
            int32_t entry[4];
            if (m.channel == 0) channel_palette(expand5(c.first.r), expand5(c.second.r), mode, entry);
            else if (m.channel == 1) channel_palette(expand6(c.first.g), expand6(c.second.g), mode, entry);
            else channel_palette(expand5(c.first.b), expand5(c.second.b), mode, entry);
            const int32_t* x = channel_pixels[m.channel];
            const int32_t(*other)[16] = rest[m.channel];
            int32_t e = 0;
            for (int i = 0; i < 16; ++i) {
                int32_t d0 = x[i] - entry[0], d1 = x[i] - entry[1], d2 = x[i] - entry[2], d3 = x[i] - entry[3];
                int32_t e0 = other[0][i] + d0 * d0, e1 = other[1][i] + d1 * d1;
                int32_t e2 = other[2][i] + d2 * d2, e3 = other[3][i] + d3 * d3;
                int32_t a = e0 < e1 ? e0 : e1, b = e2 < e3 ? e2 : e3;
                e += a < b ? a : b;
            }
            if (e < round_error) { round_error = e; round_best = c; }
        }
        if (round_error >= best_error) break;
        best = round_best;
        best_error = round_error;
    }
    return best_error;
}

}  // namespace morvane::dxt
