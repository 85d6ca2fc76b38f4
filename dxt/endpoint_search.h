#pragma once
// Candidate endpoint pairs near the best one so far, every candidate scored with freshly chosen selectors
// on the decoded palette: per channel, either endpoint moved one step, both moved together (a shift) and
// both moved apart or closer (a stretch). The refinement before it is exact for fixed selectors; this
// finds the gains that need selectors to move.
#include "dxt/block_pixels.h"
#include "dxt/colour_block.h"

#include <cstring>

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

// Each channel's endpoints moved in one of nine ways: none, the first, the second or both one step up or down,
// or the two one step apart or together. A move of the search below takes one channel's way; a move across
// channels (endpoint_perturbation.h) takes one way in each.
inline constexpr int kWays = 9;
inline constexpr int8_t kWaySteps[kWays][2] = {{0, 0},  {1, 0},   {-1, 0}, {0, 1}, {0, -1},
                                               {1, 1},  {-1, -1}, {1, -1}, {-1, 1}};

// The way that steps the first endpoint by `first` and the second by `second` (each -1, 0 or 1).
constexpr int way_of(int first, int second) {
    for (int w = 0; w < kWays; ++w)
        if (kWaySteps[w][0] == first && kWaySteps[w][1] == second) return w;
    return 0;
}

// The way of each move above.
inline constexpr struct MoveWays {
    int8_t way[kAllMoves];
    constexpr MoveWays() : way{} {
        for (int m = 0; m < kAllMoves; ++m) way[m] = int8_t(way_of(kEndpointMoves[m].first, kEndpointMoves[m].second));
    }
} kMoveWays;

// One value per pixel of a block, as a vector the compiler turns into the widest instructions each copy of the
// block encoder is built for (one AVX-512 register, two AVX2 or four SSE2 ones).
typedef int32_t PixelLanes __attribute__((vector_size(64)));
// The lanes of a vector rearranged; GCC and clang (the sanitizer build) spell it differently.
#if defined(__clang__)
#define MORVANE_DXT_LANES(v, ...) __builtin_shufflevector(v, v, __VA_ARGS__)
#else
#define MORVANE_DXT_LANES(v, ...) __builtin_shuffle(v, PixelLanes{__VA_ARGS__})
#endif

// The block's error for a palette given as each pixel's squared distance to each of its four entries. (Vectors
// go by reference: by value they would pass differently in each copy of the encoder, which the compiler warns of.)
MORVANE_DXT_INLINE int32_t nearest_error(const PixelLanes& e0, const PixelLanes& e1, const PixelLanes& e2,
                                         const PixelLanes& e3) {
    const PixelLanes lo = e0 < e1 ? e0 : e1, hi = e2 < e3 ? e2 : e3;
    PixelLanes v = lo < hi ? lo : hi;
    v += MORVANE_DXT_LANES(v, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7);
    v += MORVANE_DXT_LANES(v, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3);
    v += MORVANE_DXT_LANES(v, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1);
    v += MORVANE_DXT_LANES(v, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0);
    return v[0];
}

// For the palettes of the pairs one way away from a base pair: each channel's squared distance from every pixel
// to every entry, and the sum over the pixels of the nearest one. A move's error adds up its channels' distances
// and takes each pixel's nearest entry; it is never below the sum of its channels' sums of nearest distances, so a
// move whose bound is no lower than the best error so far cannot win and is not added up: the same choice as
// adding up every move, with most of them skipped.
struct ChannelWays {
    PixelLanes distance[3][kWays][4];
    // kOffGrid where the way takes the channel's endpoints off the 5:6:5 grid: any move that takes it is then
    // bounded above every error, and skipped.
    int32_t nearest[3][kWays];
};
inline constexpr int32_t kOffGrid = 1 << 28;

// The ways of one channel (0 red, 1 green, 2 blue).
MORVANE_DXT_INLINE void channel_ways(const BlockPixels& px, PaletteMode mode, const EndpointPair& base, int c,
                                     ChannelWays& ways) {
    const int32_t* channel_pixels[3] = {px.r, px.g, px.b};
    const int first[3] = {base.first.r, base.first.g, base.first.b};
    const int second[3] = {base.second.r, base.second.g, base.second.b};
    PixelLanes x;
    std::memcpy(&x, channel_pixels[c], sizeof x);
    const int top = c == 1 ? 63 : 31;
    for (int w = 0; w < kWays; ++w) {
        const int q0 = first[c] + kWaySteps[w][0], q1 = second[c] + kWaySteps[w][1];
        ways.nearest[c][w] = kOffGrid;
        if (q0 < 0 || q0 > top || q1 < 0 || q1 > top) continue;
        int32_t entry[4];
        channel_palette(c == 1 ? expand6(q0) : expand5(q0), c == 1 ? expand6(q1) : expand5(q1), mode, entry);
        PixelLanes* d = ways.distance[c][w];
        for (int k = 0; k < 4; ++k) {
            const PixelLanes v = x - entry[k];
            d[k] = v * v;
        }
        ways.nearest[c][w] = nearest_error(d[0], d[1], d[2], d[3]);
    }
}

MORVANE_DXT_INLINE void channel_ways(const BlockPixels& px, PaletteMode mode, const EndpointPair& base,
                                     ChannelWays& ways) {
    for (int c = 0; c < 3; ++c) channel_ways(px, mode, base, c, ways);
}

// Improves `best` (whose error is `best_error`) in up to `rounds` rounds of the moves, each round taking the
// best move; returns the new error, and leaves in `ways` those of the pair it ends on (`ways` comes in unset). A
// move changes one channel: the other two channels' share of every pixel-to-entry distance is added up once per
// round and reused by the eight moves of that channel, and only the moved channel's ways change for the next round.
MORVANE_DXT_INLINE int32_t search_nearby_endpoints(const BlockPixels& px, PaletteMode mode, int rounds,
                                                   EndpointPair& best, int32_t best_error, ChannelWays& ways) {
    channel_ways(px, mode, best, ways);
    for (int round = 0; round < rounds && best_error > 0; ++round) {
        PixelLanes rest[3][4];  // the other two channels' share, the endpoints as they are
        for (int k = 0; k < 4; ++k) {
            const PixelLanes r = ways.distance[0][0][k], g = ways.distance[1][0][k], b = ways.distance[2][0][k];
            rest[0][k] = g + b;
            rest[1][k] = r + b;
            rest[2][k] = r + g;
        }
        const int32_t unmoved = ways.nearest[0][0] + ways.nearest[1][0] + ways.nearest[2][0];

        int chosen = -1;
        int32_t round_error = best_error;
        for (int move = 0; move < kAllMoves; ++move) {
            const int c = kEndpointMoves[move].channel, w = kMoveWays.way[move];
            if (unmoved - ways.nearest[c][0] + ways.nearest[c][w] >= round_error) continue;
            const PixelLanes* own = ways.distance[c][w];
            const PixelLanes* other = rest[c];
            const int32_t e = nearest_error(own[0] + other[0], own[1] + other[1], own[2] + other[2], own[3] + other[3]);
            if (e < round_error) {
                round_error = e;
                chosen = move;
            }
        }
        if (chosen < 0) break;
        apply_move(best, kEndpointMoves[chosen]);
        best_error = round_error;
        channel_ways(px, mode, best, kEndpointMoves[chosen].channel, ways);
    }
    return best_error;
}

}  // namespace morvane::dxt
