// Cluster fit over every ordering: the integer scores of the splits against least squares worked out directly.
#include "dxt/exhaustive_cluster_fit.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace morvane::dxt::test {
namespace {

// The least-squares error of one split with real-valued endpoints, solved channel by channel from the normal
// equations: pixel n in order is matched by w a + (1 - w) b, w = 1, 2/3, 1/3, 0 for the four groups.
double least_squares_error(const BlockPixels& px, const uint8_t order[16], int i, int j, int k) {
    double ww = 0, wv = 0, vv = 0, xx = 0, wx[3] = {}, vx[3] = {};
    for (int n = 0; n < 16; ++n) {
        const double w = n < i ? 1.0 : n < j ? 2.0 / 3 : n < k ? 1.0 / 3 : 0.0, v = 1 - w;
        const double x[3] = {double(px.r[order[n]]), double(px.g[order[n]]), double(px.b[order[n]])};
        ww += w * w; wv += w * v; vv += v * v;
        for (int c = 0; c < 3; ++c) { wx[c] += w * x[c]; vx[c] += v * x[c]; xx += x[c] * x[c]; }
    }
    const double det = ww * vv - wv * wv;
    double error = xx;  // less what the endpoints a = (vv wx - wv vx) / det and b = (ww vx - wv wx) / det explain
    for (int c = 0; c < 3; ++c) error -= ((vv * wx[c] - wv * vx[c]) * wx[c] + (ww * vx[c] - wv * wx[c]) * vx[c]) / det;
    return error;
}

BlockPixels random_block(std::mt19937& rng) {
    // Colours scattered round a random line, so that the order along it matters and some groups are empty.
    std::uniform_int_distribution<int> any(0, 255), noise(-24, 24), along(0, 255);
    const int from[3] = {any(rng), any(rng), any(rng)}, to[3] = {any(rng), any(rng), any(rng)};
    BlockPixels px{};
    for (int n = 0; n < 16; ++n) {
        const double t = along(rng) / 255.0;
        int* channel[3] = {px.r, px.g, px.b};
        for (int c = 0; c < 3; ++c) channel[c][n] = std::clamp(int(from[c] + t * (to[c] - from[c])) + noise(rng), 0, 255);
        px.a[n] = 255;
    }
    return px;
}

TEST(ExhaustiveClusterFit, TheSplitsChosenAreThoseWhoseLeastSquaresEndpointsFitBestInOrderOfTheirError) {
    std::mt19937 rng(22);
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        const BlockPixels px = random_block(rng);
        uint8_t order[16];
        order_along(px, ColourPoint{0.6f, 0.64f, 0.48f}, order);
        double smallest = 1e300;
        for (int i = 0; i <= 16; ++i)
            for (int j = i; j <= 16; ++j)
                for (int k = j; k <= 16; ++k) {
                    const bool one_group = (i == 16) || (i == 0 && (j == 16 || (j == 0 && (k == 16 || k == 0))));
                    if (!one_group) smallest = std::min(smallest, least_squares_error(px, order, i, j, k));
                }
        ColourSplit best[kExactSplits];
        best_splits(px, order, best);
        const double tolerance = 1e-6 * (1 + smallest);
        EXPECT_NEAR(least_squares_error(px, order, best[0].i, best[0].j, best[0].k), smallest, tolerance);
        for (int n = 1; n < kExactSplits; ++n)
            EXPECT_LE(least_squares_error(px, order, best[n - 1].i, best[n - 1].j, best[n - 1].k),
                      least_squares_error(px, order, best[n].i, best[n].j, best[n].k) + tolerance);
    }
}

// The vector paths against the plain one, on blocks where the scores are largest (the channels' extremes), tie
// (repeated colours, where the first of equal splits must stay ahead), or spread off any line.
TEST(ExhaustiveClusterFit, EveryPathOfTheSplitSearchChoosesTheSplitsOfThePlainPath) {
    std::mt19937 rng(30);
    std::uniform_int_distribution<int> any(0, 255), pick(0, 3);
    std::vector<std::pair<const char*, BlockPixels>> blocks;
    for (int n = 0; n < 40; ++n) blocks.push_back({"scattered round a line", random_block(rng)});
    BlockPixels noise{}, extremes{}, repeated{}, few{};
    for (int n = 0; n < 16; ++n) {
        noise.r[n] = any(rng); noise.g[n] = any(rng); noise.b[n] = any(rng);
        extremes.r[n] = n % 2 * 255; extremes.g[n] = n / 2 % 2 * 255; extremes.b[n] = n % 3 == 0 ? 255 : 0;
        repeated.r[n] = n % 4 * 80; repeated.g[n] = n % 4 * 60; repeated.b[n] = 255 - n % 4 * 80;
        const int c = pick(rng);
        few.r[n] = c * 70; few.g[n] = 255 - c * 50; few.b[n] = c % 2 * 200;
    }
    for (const auto& [name, px] : {std::pair{"noise", noise}, {"the channels' extremes", extremes},
                                   {"four colours, four times each", repeated}, {"few colours", few}})
        blocks.push_back({name, px});
    for (const SplitSearch path : {SplitSearch::Sse2, SplitSearch::Avx2}) {
        if (!split_search_available(path)) continue;
        for (const auto& [name, px] : blocks) {
            SCOPED_TRACE(name);
            for (const ColourPoint axis : {principal_line(px).axis, ColourPoint{0.6f, -0.64f, 0.48f}}) {
                uint8_t order[16];
                order_along(px, axis, order);
                SplitSums sums;
                split_sums(px, order, sums);
                ColourSplit plain[kExactSplits], vector[kExactSplits];
                best_splits_by(SplitSearch::Plain, sums, plain);
                best_splits_by(path, sums, vector);
                for (int n = 0; n < kExactSplits; ++n)
                    EXPECT_EQ(std::tuple(vector[n].i, vector[n].j, vector[n].k, vector[n].num, vector[n].det),
                              std::tuple(plain[n].i, plain[n].j, plain[n].k, plain[n].num, plain[n].det))
                        << "path " << int(path) << ", split " << n;
            }
        }
    }
}

}  // namespace
}  // namespace morvane::dxt::test
