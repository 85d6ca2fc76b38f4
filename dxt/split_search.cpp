// The scores of every split of a block's pixels in order (exhaustive_cluster_fit.h), by plain code and by SSE2
// and AVX2 code. The vector paths score the last split point k a few at a time and hand the few splits that may
// beat the kExactSplits-th best so far to the same insertion as the plain path, whose order between equal
// scores does not depend on the order of the offers, so every path keeps the same splits. This file is built for plain x86-64: only the AVX2 function is compiled
// for AVX2, and it runs only where the processor has it.
#include "dxt/exhaustive_cluster_fit.h"

#include <immintrin.h>

namespace morvane::dxt {
namespace {

// The split points as doubles, and which of them exist (k <= 16), for whole vectors read from any j on.
alignas(64) constexpr double kPoint[SplitSums::kPoints] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                           12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};

// The vector paths take the middle split point j first: balanced splits fit best, and once the list holds good
// ones, few splits after them get past its last.
constexpr int kMiddleFirst[17] = {8, 9, 7, 10, 6, 11, 5, 12, 4, 13, 3, 14, 2, 15, 1, 16, 0};

void clear(ColourSplit best[kExactSplits]) {
    for (int n = 0; n < kExactSplits; ++n) best[n] = ColourSplit{};
}

// Puts a split into the list, best first, when it ranks ahead of the last one there: by a larger quotient, or
// by an equal one and coming earlier in the order i, j, k. The list is then the same whatever order the splits
// are offered in.
inline void offer(ColourSplit best[kExactSplits], double num, double det, int i, int j, int k) {
    const int key = (i << 10) | (j << 5) | k;
    auto ahead = [&](const ColourSplit& other) {
        const double mine = num * other.det, theirs = other.num * det;
        return mine > theirs || (mine == theirs && key < ((other.i << 10) | (other.j << 5) | other.k));
    };
    if (!ahead(best[kExactSplits - 1])) return;
    int m = kExactSplits - 1;
    for (; m > 0 && ahead(best[m - 1]); --m) best[m] = best[m - 1];
    best[m] = ColourSplit{num, det, uint8_t(i), uint8_t(j), uint8_t(k)};
}

void plain(const SplitSums& s, ColourSplit best[kExactSplits]) {
    clear(best);
    for (int i = 0; i <= 16; ++i)
        for (int j = i; j <= 16; ++j)
            for (int k = j; k <= 16; ++k) {
                const double aa = s.g_diagonal[i] + s.g_diagonal[j] + s.g_diagonal[k] + s.twice_g[i][j] +
                                  s.twice_g[i][k] + s.twice_g[j][k];
                const double xt = s.pt[i] + s.pt[j] + s.pt[k];
                const double a = 5 * i + 3 * j + k, b = 144 - i - 3 * j - 5 * k, c = 2 * (k - i);
                const double det = a * b - c * c;
                const double num = 144 * aa - 6 * (i + j + k) * xt + a * s.tt;
                // det is 0 only with every pixel on one entry, where there is no pair to solve for.
                if (det > 0) offer(best, num, det, i, j, k);
            }
}

// The vector paths: for each j, what the splits (any i, j, k) share is worked out once for the vectors of k, so
// that each i adds its own terms: |Xa|^2 = (G[j][j] + G[k][k] + 2 G[j][k]) + (G[i][i] + 2 G[i][j]) + 2 G[i][k].
// The few splits whose score may beat the list's last go to `offer`, lane by lane.
void sse2(const SplitSums& s, ColourSplit best[kExactSplits]) {
    clear(best);
    constexpr int kMost = 9;  // vectors of k from j = 0 to 17
    const __m128d tt = _mm_set1_pd(s.tt), c144 = _mm_set1_pd(144), zero = _mm_setzero_pd();
    for (const int j : kMiddleFirst) {
        const int vectors = (17 - j + 1) / 2;
        __m128d jk_aa[kMost], jk_xt[kMost], jk_a[kMost], jk_b[kMost], jk_c[kMost], jk_six[kMost], exists[kMost];
        for (int v = 0; v < vectors; ++v) {
            const int k = j + 2 * v;
            const __m128d kk = _mm_loadu_pd(kPoint + k);
            jk_aa[v] = _mm_add_pd(_mm_add_pd(_mm_set1_pd(s.g_diagonal[j]), _mm_loadu_pd(s.g_diagonal + k)),
                                  _mm_loadu_pd(s.twice_g[j] + k));
            jk_xt[v] = _mm_add_pd(_mm_set1_pd(s.pt[j]), _mm_loadu_pd(s.pt + k));
            jk_a[v] = _mm_add_pd(_mm_set1_pd(3 * j), kk);
            jk_b[v] = _mm_sub_pd(_mm_set1_pd(144 - 3 * j), _mm_mul_pd(_mm_set1_pd(5), kk));
            jk_c[v] = _mm_mul_pd(_mm_set1_pd(2), kk);
            jk_six[v] = _mm_mul_pd(_mm_set1_pd(6), _mm_add_pd(_mm_set1_pd(j), kk));
            exists[v] = _mm_cmple_pd(kk, _mm_set1_pd(16));
        }
        for (int i = 0; i <= j; ++i) {
            const __m128d i_aa = _mm_set1_pd(s.g_diagonal[i] + s.twice_g[i][j]), i_xt = _mm_set1_pd(s.pt[i]);
            const __m128d i_a = _mm_set1_pd(5 * i), i_b = _mm_set1_pd(i), i_c = _mm_set1_pd(2 * i);
            const __m128d i_six = _mm_set1_pd(6 * i);
            const __m128d last_num = _mm_set1_pd(best[kExactSplits - 1].num);
            const __m128d last_det = _mm_set1_pd(best[kExactSplits - 1].det);
            int lanes[kMost];
            __m128d nums[kMost], dets[kMost];
            int any = 0;
            for (int v = 0; v < vectors; ++v) {
                const int k = j + 2 * v;
                const __m128d aa = _mm_add_pd(_mm_add_pd(jk_aa[v], i_aa), _mm_loadu_pd(s.twice_g[i] + k));
                const __m128d xt = _mm_add_pd(jk_xt[v], i_xt);
                const __m128d a = _mm_add_pd(jk_a[v], i_a), b = _mm_sub_pd(jk_b[v], i_b), c = _mm_sub_pd(jk_c[v], i_c);
                dets[v] = _mm_sub_pd(_mm_mul_pd(a, b), _mm_mul_pd(c, c));
                nums[v] = _mm_add_pd(
                    _mm_sub_pd(_mm_mul_pd(c144, aa), _mm_mul_pd(_mm_add_pd(jk_six[v], i_six), xt)), _mm_mul_pd(a, tt));
                const __m128d may = _mm_cmpge_pd(_mm_mul_pd(nums[v], last_det), _mm_mul_pd(last_num, dets[v]));
                lanes[v] = _mm_movemask_pd(_mm_and_pd(_mm_and_pd(may, _mm_cmpgt_pd(dets[v], zero)), exists[v]));
                any |= lanes[v];
            }
            if (!any) continue;
            for (int v = 0; v < vectors; ++v) {
                if (!lanes[v]) continue;
                alignas(16) double num[2], det[2];
                _mm_store_pd(num, nums[v]);
                _mm_store_pd(det, dets[v]);
                for (int l = lanes[v]; l; l &= l - 1) {
                    const int lane = __builtin_ctz(unsigned(l));
                    offer(best, num[lane], det[lane], i, j, j + 2 * v + lane);
                }
            }
        }
    }
}

__attribute__((target("avx2"))) void avx2(const SplitSums& s, ColourSplit best[kExactSplits]) {
    clear(best);
    constexpr int kMost = 5;  // vectors of k from j = 0 to 19
    const __m256d tt = _mm256_set1_pd(s.tt), c144 = _mm256_set1_pd(144), zero = _mm256_setzero_pd();
    for (const int j : kMiddleFirst) {
        const int vectors = (17 - j + 3) / 4;
        __m256d jk_aa[kMost], jk_xt[kMost], jk_a[kMost], jk_b[kMost], jk_c[kMost], jk_six[kMost], exists[kMost];
        for (int v = 0; v < vectors; ++v) {
            const int k = j + 4 * v;
            const __m256d kk = _mm256_loadu_pd(kPoint + k);
            jk_aa[v] = _mm256_add_pd(_mm256_add_pd(_mm256_set1_pd(s.g_diagonal[j]), _mm256_loadu_pd(s.g_diagonal + k)),
                                     _mm256_loadu_pd(s.twice_g[j] + k));
            jk_xt[v] = _mm256_add_pd(_mm256_set1_pd(s.pt[j]), _mm256_loadu_pd(s.pt + k));
            jk_a[v] = _mm256_add_pd(_mm256_set1_pd(3 * j), kk);
            jk_b[v] = _mm256_sub_pd(_mm256_set1_pd(144 - 3 * j), _mm256_mul_pd(_mm256_set1_pd(5), kk));
            jk_c[v] = _mm256_mul_pd(_mm256_set1_pd(2), kk);
            jk_six[v] = _mm256_mul_pd(_mm256_set1_pd(6), _mm256_add_pd(_mm256_set1_pd(j), kk));
            exists[v] = _mm256_cmp_pd(kk, _mm256_set1_pd(16), _CMP_LE_OQ);
        }
        for (int i = 0; i <= j; ++i) {
            const __m256d i_aa = _mm256_set1_pd(s.g_diagonal[i] + s.twice_g[i][j]), i_xt = _mm256_set1_pd(s.pt[i]);
            const __m256d i_a = _mm256_set1_pd(5 * i), i_b = _mm256_set1_pd(i), i_c = _mm256_set1_pd(2 * i);
            const __m256d i_six = _mm256_set1_pd(6 * i);
            const __m256d last_num = _mm256_set1_pd(best[kExactSplits - 1].num);
            const __m256d last_det = _mm256_set1_pd(best[kExactSplits - 1].det);
            int lanes[kMost];
            __m256d nums[kMost], dets[kMost];
            int any = 0;
            for (int v = 0; v < vectors; ++v) {
                const int k = j + 4 * v;
                const __m256d aa = _mm256_add_pd(_mm256_add_pd(jk_aa[v], i_aa), _mm256_loadu_pd(s.twice_g[i] + k));
                const __m256d xt = _mm256_add_pd(jk_xt[v], i_xt);
                const __m256d a = _mm256_add_pd(jk_a[v], i_a), b = _mm256_sub_pd(jk_b[v], i_b);
                const __m256d c = _mm256_sub_pd(jk_c[v], i_c);
                dets[v] = _mm256_sub_pd(_mm256_mul_pd(a, b), _mm256_mul_pd(c, c));
                nums[v] = _mm256_add_pd(
                    _mm256_sub_pd(_mm256_mul_pd(c144, aa), _mm256_mul_pd(_mm256_add_pd(jk_six[v], i_six), xt)),
                    _mm256_mul_pd(a, tt));
                const __m256d may =
                    _mm256_cmp_pd(_mm256_mul_pd(nums[v], last_det), _mm256_mul_pd(last_num, dets[v]), _CMP_GE_OQ);
                lanes[v] = _mm256_movemask_pd(
                    _mm256_and_pd(_mm256_and_pd(may, _mm256_cmp_pd(dets[v], zero, _CMP_GT_OQ)), exists[v]));
                any |= lanes[v];
            }
            if (!any) continue;
            for (int v = 0; v < vectors; ++v) {
                if (!lanes[v]) continue;
                alignas(32) double num[4], det[4];
                _mm256_store_pd(num, nums[v]);
                _mm256_store_pd(det, dets[v]);
                for (int l = lanes[v]; l; l &= l - 1) {
                    const int lane = __builtin_ctz(unsigned(l));
                    offer(best, num[lane], det[lane], i, j, j + 4 * v + lane);
                }
            }
        }
    }
}

}  // namespace

bool split_search_available(SplitSearch path) {
    if (path != SplitSearch::Avx2) return true;  // SSE2 is part of every x86-64 processor
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

void best_splits_by(SplitSearch path, const SplitSums& sums, ColourSplit best[kExactSplits]) {
    switch (path) {
        case SplitSearch::Plain: plain(sums, best); return;
        case SplitSearch::Sse2: sse2(sums, best); return;
        case SplitSearch::Avx2: avx2(sums, best); return;
    }
}

void best_splits(const SplitSums& sums, ColourSplit best[kExactSplits]) {
    using Search = void (*)(const SplitSums&, ColourSplit*);
    static const Search chosen = split_search_available(SplitSearch::Avx2) ? avx2 : sse2;
    chosen(sums, best);
}

}  // namespace morvane::dxt
