#include "dxt/image_walker.h"

#include "dxt/alpha_block.h"
#include "dxt/alpha_block_4bit.h"
#include "dxt/block_pixels.h"
#include "dxt/colour_fit.h"
#include "dxt/thread_pool.h"

#include <cstring>
#include <functional>

namespace morvane::dxt {
namespace {

// Each block encoder is built once per instruction set and chosen when the program starts, so one binary
// runs everywhere and uses AVX2 where the processor has it. Everything a block needs is inlined into it.
// Windows programs have no ifunc for the loader to choose with: there the bodies are inlined into copies
// made below and chosen once from the processor's features.
#ifdef _WIN32
#define MORVANE_DXT_CLONES MORVANE_DXT_INLINE
#else
#define MORVANE_DXT_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#endif

MORVANE_DXT_CLONES
void encode_rows_dxt1(const uint8_t* bgra, int width, int height, int first_row, int end_row, uint8_t* out) {
    const int across = blocks_across(width);
    for (int by = first_row; by < end_row; ++by) {
        for (int bx = 0; bx < across; ++bx) {
            BlockPixels px;
            load_block(bgra, width, height, bx, by, px);
            encode_colour_block(px, true, out + (size_t(by) * across + bx) * block_bytes(BlockFormat::Dxt1));
        }
    }
}

MORVANE_DXT_CLONES
void encode_rows_dxt3(const uint8_t* bgra, int width, int height, int first_row, int end_row, uint8_t* out) {
    const int across = blocks_across(width);
    for (int by = first_row; by < end_row; ++by) {
        for (int bx = 0; bx < across; ++bx) {
            BlockPixels px;
            load_block(bgra, width, height, bx, by, px);
            uint8_t* block = out + (size_t(by) * across + bx) * block_bytes(BlockFormat::Dxt3);
            encode_alpha_4bit_block(px, block);
            encode_colour_block(px, false, block + kAlphaBlockBytes);
        }
    }
}

MORVANE_DXT_CLONES
void encode_rows_dxt5(const uint8_t* bgra, int width, int height, int first_row, int end_row, uint8_t* out) {
    const int across = blocks_across(width);
    for (int by = first_row; by < end_row; ++by) {
        for (int bx = 0; bx < across; ++bx) {
            BlockPixels px;
            load_block(bgra, width, height, bx, by, px);
            uint8_t* block = out + (size_t(by) * across + bx) * block_bytes(BlockFormat::Dxt5);
            encode_alpha_block(px, block);
            encode_colour_block(px, false, block + kAlphaBlockBytes);
        }
    }
}

using RowEncoder = void (*)(const uint8_t*, int, int, int, int, uint8_t*);

#ifdef _WIN32
template <RowEncoder encode>
__attribute__((target("arch=x86-64-v4"))) void rows_v4(const uint8_t* bgra, int w, int h, int first, int end, uint8_t* out) {
    encode(bgra, w, h, first, end, out);
}
template <RowEncoder encode>
__attribute__((target("arch=x86-64-v3"))) void rows_v3(const uint8_t* bgra, int w, int h, int first, int end, uint8_t* out) {
    encode(bgra, w, h, first, end, out);
}
template <RowEncoder encode>
void rows_default(const uint8_t* bgra, int w, int h, int first, int end, uint8_t* out) {
    encode(bgra, w, h, first, end, out);
}

template <RowEncoder encode>
RowEncoder copy_for_this_processor() {
    static const RowEncoder chosen = __builtin_cpu_supports("x86-64-v4")   ? rows_v4<encode>
                                     : __builtin_cpu_supports("x86-64-v3") ? rows_v3<encode>
                                                                           : rows_default<encode>;
    return chosen;
}

RowEncoder row_encoder(BlockFormat format) {
    switch (format) {
        case BlockFormat::Dxt1: return copy_for_this_processor<encode_rows_dxt1>();
        case BlockFormat::Dxt3: return copy_for_this_processor<encode_rows_dxt3>();
        case BlockFormat::Dxt5: return copy_for_this_processor<encode_rows_dxt5>();
    }
    return copy_for_this_processor<encode_rows_dxt5>();
}
#else
RowEncoder row_encoder(BlockFormat format) {
    switch (format) {
        case BlockFormat::Dxt1: return encode_rows_dxt1;
        case BlockFormat::Dxt3: return encode_rows_dxt3;
        case BlockFormat::Dxt5: return encode_rows_dxt5;
    }
    return encode_rows_dxt5;
}
#endif

constexpr int kRowsPerTask = 2;        // block rows handed out at a time
constexpr int kBlocksWorthSharing = 256;  // smaller pictures are quicker on one thread

}  // namespace

void encode_image(BlockFormat format, const uint8_t* bgra, int width, int height, uint8_t* out, int threads) {
    if (!out) return;
    const int across = blocks_across(width), down = blocks_across(height);
    if (!bgra || width <= 0 || height <= 0) {
        std::memset(out, 0, size_t(compressed_bytes(format, width, height)));
        return;
    }
    const RowEncoder encode = row_encoder(format);
    const int tasks = (down + kRowsPerTask - 1) / kRowsPerTask;
    if (threads == 1 || tasks < 2 || across * down < kBlocksWorthSharing) {
        encode(bgra, width, height, 0, down, out);
        return;
    }
    const std::function<void(int)> task = [&](int t) {
        int first = t * kRowsPerTask;
        encode(bgra, width, height, first, std::min(down, first + kRowsPerTask), out);
    };
    if (threads == 0) {
        ThreadPool::shared().run(tasks, task);
    } else {
        ThreadPool pool(threads);
        pool.run(tasks, task);
    }
}

}  // namespace morvane::dxt
