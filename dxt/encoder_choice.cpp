#include "dxt/encoder_choice.h"

#include "dxt/block_encoder.h"
#include "dxt/dxt_squish.h"
#ifdef MORVANE_HAVE_SQUISH
#include "dxt/squish_encoder.h"
#endif

#include <atomic>
#include <cstring>

namespace morvane::dxt {

namespace {
std::atomic<Encoder> g_encoder{Encoder::Morvane};
}

bool encoder_available(Encoder e) {
#ifdef MORVANE_HAVE_SQUISH
    (void)e;
    return true;
#else
    return e == Encoder::Morvane;
#endif
}

void set_encoder(Encoder e) {
    if (encoder_available(e)) g_encoder.store(e, std::memory_order_relaxed);
}

Encoder current_encoder() { return g_encoder.load(std::memory_order_relaxed); }

bool encoder_from_name(const char* name, Encoder& out) {
    if (name == nullptr) return false;
    if (std::strcmp(name, "morvane") == 0) { out = Encoder::Morvane; return true; }
    if (std::strcmp(name, "squish") == 0) { out = Encoder::SquishClusterFit; return true; }
    if (std::strcmp(name, "squish-range") == 0) { out = Encoder::SquishRangeFit; return true; }
    return false;
}

const char* encoder_name(Encoder e) {
    switch (e) {
        case Encoder::Morvane: return "morvane";
        case Encoder::SquishClusterFit: return "squish";
        case Encoder::SquishRangeFit: return "squish-range";
    }
    return "unknown";
}

void compress_with_current_encoder(const uint8_t* bgra, int width, int height, uint8_t* out, BlockFormat format,
                                   int32_t flags) {
    const bool perceptual = (flags & kDxtPerceptualMetric) != 0;
    (void)perceptual;
    switch (current_encoder()) {
#ifndef MORVANE_HAVE_SQUISH
        case Encoder::SquishClusterFit:  // never chosen in this build: set_encoder refuses them
        case Encoder::SquishRangeFit:
#endif
        case Encoder::Morvane:  // unweighted RGB error always: it is what picture quality is measured in
            switch (format) {
                case BlockFormat::Dxt1: morvane_compress_dxt1(bgra, width, height, out); return;
                case BlockFormat::Dxt3: morvane_compress_dxt3(bgra, width, height, out); return;
                case BlockFormat::Dxt5: morvane_compress_dxt5(bgra, width, height, out); return;
            }
            return;
#ifdef MORVANE_HAVE_SQUISH
        case Encoder::SquishClusterFit:
            squish_compress(bgra, width, height, out, format,
                            (flags & kDxtBestQuality) ? SquishFit::IterativeCluster : SquishFit::Cluster, perceptual);
            return;
        case Encoder::SquishRangeFit:
            squish_compress(bgra, width, height, out, format, SquishFit::Range, perceptual);
            return;
#endif
    }
}

}  // namespace morvane::dxt

extern "C" void Set_Dxt_Encoder(int encoder) {
    using morvane::dxt::Encoder;
    switch (encoder) {
        case 0: morvane::dxt::set_encoder(Encoder::Morvane); break;
        case 1: morvane::dxt::set_encoder(Encoder::SquishClusterFit); break;
        case 2: morvane::dxt::set_encoder(Encoder::SquishRangeFit); break;
        default: break;
    }
}
