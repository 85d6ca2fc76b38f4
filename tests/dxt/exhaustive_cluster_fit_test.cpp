// Cluster fit over every ordering: the integer scores of the splits against least squares worked out directly.
#include "dxt/exhaustive_cluster_fit.h"

#include <gtest/gtest.h>

#include <random>

namespace morvane::dxt::test {
namespace {

// The least-squares error of one split with real-valued endpoints, solved channel by channel from the normal
// equations: pixel n in order is matched by w a + (1 - w) b, w = 1, 2/3, 1/3, 0 for the four groups.
double least_squares_error(const BlockPixels& px, const uint8_t order[16], int i, int j, int k) {
    double ww = 0, wv = 0, vv = 0;
    double wx[3] = {0, 0, 0}, vx[3] = {0, 0, 0}, xx = 0;
    for (int n = 0; n < 16; ++n) {
        const double w = n < i ? 1.0 : n < j ? 2.0 / 3 : n < k ? 1.0 / 3 : 0.0, v = 1 - w;
        const double x[3] = {double(px.r[order[n]]), double(px.g[order[n]]), double(px.b[order[n]])};
        ww += w * w; wv += w * v; vv += v * v;
        for (int c = 0; c < 3; ++c) { wx[c] += w * x[c]; vx[c] += v * x[c]; xx += x[c] * x[c]; }
    }
    const double det = ww * vv - wv * wv;
    double error = xx;
    for (int c = 0; c < 3; ++c) {
        const double a = (vv * wx[c] - wv * vx[c]) / det, b = (ww * vx[c] - wv * wx[c]) / det;
        error -= a * wx[c] + b * vx[c];
    }
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
        for (int c = 0; c < 3; ++c)
            channel[c][n] = std::clamp(int(from[c] + t * (to[c] - from[c])) + noise(rng), 0, 255);
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

TEST(ExhaustiveClusterFit, PixelsAreOrderedFromTheFarEndOfTheAxisWithTiesInTheirOwnOrder) {
    BlockPixels px{};
    for (int n = 0; n < 16; ++n) { px.r[n] = (n * 5) % 16 * 16; px.g[n] = 0; px.b[n] = 0; px.a[n] = 255; }
    px.r[3] = px.r[9];  // a tie: 3 before 9
    uint8_t order[16];
    order_along(px, ColourPoint{1, 0, 0}, order);
    for (int n = 1; n < 16; ++n) {
        EXPECT_GE(px.r[order[n - 1]], px.r[order[n]]);
        if (px.r[order[n - 1]] == px.r[order[n]]) {
            EXPECT_LT(order[n - 1], order[n]);
        }
    }
}

}  // namespace
}  // namespace morvane::dxt::test
