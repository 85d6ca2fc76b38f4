// Morvane's encoder against libsquish on real photographs, as one table: for each photograph and output
// size, the capture of the whole mip chain, the compression of the chain to DXT5 by our encoder, libsquish's
// iterative cluster fit and libsquish's range fit (each on all cores), and the RGB PSNR of the decoded top
// level. Run: morvane-bench [--sizes 1024,2048] [--builds N] [--fast] [--make-with CLI [--baseline CLI]]
// FOLDER|FILE... (--fast leaves out the range fit; --make-with times the whole `CLI make FILE --size N` of each
// photograph, median of three, right after libsquish's fit of the same chain, and shows the one against the other)
//
// Capture and our compression are both timed over N builds of the same picture (default 5), each build as the
// program makes one: the source surface drawn again, a fresh texture module, the capture, the compression.
// Their medians make the ratio, so costs paid once per process (first touch of memory, threads starting) count
// for neither side, and costs every build pays (memory freed and faulted in again) count where they occur.
// The first build's capture is shown too. libsquish, seconds per chain, compresses the first build's chain once.
// "search %" is the share of the top level's blocks whose first fit is off by enough for the expensive search;
// the table after it gives every tier of work its share of the blocks and of the encoder's time.
// --baseline CLI times that build's whole make beside ours (the two taking turns) and shows the one against
// the other: a build from before a change, given on the command line.
//      morvane-bench --make-photo SOURCE 3840x2400 OUT.jpg|OUT.png|OUT.bmp   (a large photograph for the memory check)
//      morvane-bench --load PICTURE   (the program's picture loader alone, for the wallpaper table)
#include "bench/photo_set.h"
#include "dxt/block_encoder.h"
#include "dxt/block_format.h"
#include "dxt/colour_fit.h"
#include "dxt/squish_encoder.h"
#include "platform/pictures/memory_reuse.h"
#include "platform/pictures/picture_surface.h"
#include "platform/qt/pictures/picture_loader.h"
#include "texture/vtfmod.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace morvane;
using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of the whole process (all threads), in ms: on a machine shared with other work this shows
// what each encoder costs even when the wall clock is disturbed.
double process_cpu_ms() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// The chain as the texture build captures it (the module's own steps: the low-resolution image, then
// every level stretched from the whole source onto the scratch surface and read back), largest level first.
struct Level {
    int width = 0, height = 0;
    const uint8_t* bgra = nullptr;
    uint8_t* compressed = nullptr;  // the level's DXT5 buffer, as the capture allocated it
    size_t size() const { return size_t(width) * size_t(height) * 4; }
};

std::vector<Level> capture_chain(morvane::texture::TextureModule& module, PictureSurface& source, PictureSurface& scratch) {
    const int w = source.width_pixels(), h = source.height_pixels();
    module.MakeLowResImage(w, h, source, scratch);
    module.CaptureMipLevels(w, h, source, scratch, texture::DXT5);
    std::vector<Level> levels;
    for (int i = int(module.state.MipLevels.size()) - 1; i >= 0; --i) {
        auto& level = module.state.MipLevels[size_t(i)];
        auto& face = level.Frames[0].Faces[0];
        levels.push_back({level.Width, level.Height, face.Pixels.data(), face.Compressed.data()});
    }
    return levels;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

enum class Coder { Ours, SquishCluster, SquishRange };

// libsquish with unweighted colour error, as PSNR measures it (the iterative cluster fit is its best mode).
void compress(Coder c, const Level& level, uint8_t* out) {
    switch (c) {
        case Coder::Ours: dxt::morvane_compress_dxt5(level.bgra, level.width, level.height, out); break;
        case Coder::SquishCluster:
            dxt::squish_compress(level.bgra, level.width, level.height, out, dxt::BlockFormat::Dxt5,
                                 dxt::SquishFit::IterativeCluster, false);
            break;
        case Coder::SquishRange:
            dxt::squish_compress(level.bgra, level.width, level.height, out, dxt::BlockFormat::Dxt5,
                                 dxt::SquishFit::Range, false);
            break;
    }
}

double rgb_psnr(const Level& original, const uint8_t* blocks) {
    std::vector<uint8_t> decoded(original.size());
    dxt::squish_decompress(blocks, original.width, original.height, decoded.data(), dxt::BlockFormat::Dxt5);
    double sum = 0;
    for (size_t i = 0; i < decoded.size(); i += 4)
        for (size_t c = 0; c < 3; ++c) {
            double d = double(decoded[i + c]) - double(original.bgra[i + c]);
            sum += d * d;
        }
    double mse = sum / (double(original.width) * original.height * 3);
    return mse <= 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

struct CoderRun {
    double chain_ms = 0;
    double cpu_ms = 0;
    double psnr = 0;
};

// Our encoder writes into the buffers the capture allocated, as the program's compression step does, so that
// the cost of first touching that memory falls on the side that pays it in a build; libsquish, compared only
// with our encoder, gets buffers of its own.
CoderRun run_coder(Coder c, const std::vector<Level>& chain) {
    std::vector<std::vector<uint8_t>> own;
    std::vector<uint8_t*> out;
    for (const auto& level : chain) {
        if (c == Coder::Ours) {
            out.push_back(level.compressed);
        } else {
            own.emplace_back(size_t(dxt::compressed_bytes(dxt::BlockFormat::Dxt5, level.width, level.height)));
            out.push_back(own.back().data());
        }
    }
    const double cpu_start = process_cpu_ms();
    const auto start = Clock::now();
    for (size_t i = 0; i < chain.size(); ++i) compress(c, chain[i], out[i]);
    CoderRun r;
    r.chain_ms = ms_since(start);
    r.cpu_ms = process_cpu_ms() - cpu_start;
    r.psnr = rgb_psnr(chain[0], out[0]);
    return r;
}

// Each tier of work's share of the level's blocks and of the time our encoder takes over them, in percent (the
// encoder's own rule, dxt::colour_tier). Each tier's blocks are gathered into a picture of their own (4 pixels
// wide, a block under the other) and compressed on one thread, the fastest of three runs, so that every share is
// measured on the encoder as the program has it.
struct TierShares {
    double blocks[dxt::kColourTiers] = {}, time[dxt::kColourTiers] = {};
};

TierShares tier_shares(const Level& level) {
    using namespace morvane::dxt;
    const int across = blocks_across(level.width), down = blocks_across(level.height);
    std::vector<uint8_t> strips[kColourTiers];
    for (int by = 0; by < down; ++by)
        for (int bx = 0; bx < across; ++bx) {
            BlockPixels px;
            load_block(level.bgra, level.width, level.height, bx, by, px);
            std::vector<uint8_t>& strip = strips[int(colour_tier(px))];
            for (int i = 0; i < 16; ++i)
                strip.insert(strip.end(), {uint8_t(px.b[i]), uint8_t(px.g[i]), uint8_t(px.r[i]), uint8_t(px.a[i])});
        }
    TierShares shares;
    double total_ms = 0;
    for (int t = 0; t < kColourTiers; ++t) {
        const int blocks = int(strips[t].size() / 64);
        shares.blocks[t] = 100.0 * blocks / (double(across) * down);
        if (blocks == 0) continue;
        std::vector<uint8_t> out(size_t(blocks) * 16);
        double fastest = 1e300;
        for (int run = 0; run < 3; ++run) {
            const auto start = Clock::now();
            morvane_compress_dxt5(strips[t].data(), 4, 4 * blocks, out.data(), 1);
            fastest = std::min(fastest, ms_since(start));
        }
        shares.time[t] = fastest;
        total_ms += fastest;
    }
    for (double& t : shares.time) t = 100.0 * t / total_ms;
    return shares;
}

// Median wall times of three runs of `CLI make FILE --size SIZE` into a fresh folder, in ms, for each CLI given,
// the CLIs taking turns so that the machine's slow and fast spells fall on all of them alike; -1 for a CLI that
// fails.
std::vector<double> make_ms(const std::vector<std::string>& clis, const std::string& file, int size) {
    std::vector<double> medians(clis.size(), -1);
    char folder[] = "/tmp/morvane-bench-make-XXXXXX";
    if (!mkdtemp(folder)) return medians;
    std::vector<std::vector<double>> runs(clis.size());
    std::vector<bool> failed(clis.size(), false);
    for (int run = 0; run < 3; ++run)
        for (size_t c = 0; c < clis.size(); ++c) {
            if (failed[c]) continue;
            const std::string command = "'" + clis[c] + "' make '" + file + "' --size " + std::to_string(size) +
                                        " --out '" + folder + "' > /dev/null";
            const auto start = Clock::now();
            failed[c] = std::system(command.c_str()) != 0;
            runs[c].push_back(ms_since(start));
        }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    for (size_t c = 0; c < clis.size(); ++c)
        if (!failed[c]) medians[c] = median(runs[c]);
    return medians;
}

std::vector<int> parse_sizes(const std::string& text) {
    std::vector<int> sizes;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) sizes.push_back(std::stoi(item));
    return sizes;
}

struct Totals {
    int photos = 0;
    double capture_ms = 0, first_capture_ms = 0, first_ours_ms = 0, ms[3] = {0, 0, 0}, cpu[3] = {0, 0, 0}, psnr[3] = {0, 0, 0};
    double worst_gap = 1e9;  // ours minus cluster fit, dB
    double slowest_ratio = 1e9;
    double slowest_make_ratio = 1e9;  // cluster fit's chain / our whole make
    double make_ms = 0, base_ms = 0;  // our whole make and the baseline's, where both ran
};

}  // namespace

int main(int argc, char** argv) {
    morvane::keep_freed_memory_for_reuse();
    std::vector<int> sizes = {1024, 2048};
    int builds = 5;
    std::vector<Coder> coders = {Coder::Ours, Coder::SquishCluster, Coder::SquishRange};
    std::vector<std::string> paths;
    std::string make_cli, baseline_cli;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--sizes" && i + 1 < argc) sizes = parse_sizes(argv[++i]);
        else if (arg == "--builds" && i + 1 < argc) builds = std::max(1, std::stoi(argv[++i]));
        else if (arg == "--make-photo" && i + 3 < argc) {  // SOURCE WIDTHxHEIGHT OUT.jpg
            int w = 0, h = 0;
            if (std::sscanf(argv[i + 2], "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0) return 2;
            return bench::write_scaled_photo(argv[i + 1], w, h, argv[i + 3]) ? 0 : 1;
        }
        else if (arg == "--load" && i + 1 < argc) {
            const LoadedPicture loaded = load_picture(argv[i + 1]);
            if (!loaded.ok) std::fprintf(stderr, "%s\n", loaded.error.c_str());
            return loaded.ok ? 0 : 1;
        }
        else if (arg == "--make-with" && i + 1 < argc) make_cli = argv[++i];
        else if (arg == "--baseline" && i + 1 < argc) baseline_cli = argv[++i];
        else if (arg == "--fast") coders = {Coder::Ours, Coder::SquishCluster};
        else paths.push_back(arg);
    }
    const auto files = bench::photo_files(paths);
    if (files.empty()) {
        std::fprintf(stderr, "usage: morvane-bench [--sizes 1024,2048] [--builds N] [--fast] [--make-with CLI [--baseline CLI]] FOLDER|FILE...\n"
                             "No photographs found; scripts/bench.sh installs a set and passes its folder.\n");
        return 2;
    }

    std::printf("%-16s %4s | %13s | %-15s %-15s %-15s | %6s %6s %6s | %6s %6s %6s | %6s | %7s %6s | %7s %6s\n", "photo",
                "size", "capture", "morvane", "squish cluster", "squish range", "PSNR", "PSNR", "PSNR", "ours-", "clu/",
                "clu/", "search", "make", "clu/", "base", "base/");
    std::printf("%-16s %4s | %13s | %-15s %-15s %-15s | %6s %6s %6s | %6s %6s %6s | %6s | %7s %6s | %7s %6s\n", "", "",
                "ms", "wall/cpu ms", "wall/cpu ms", "wall/cpu ms", "ours", "clust", "range", "clu dB", "ours", "ours",
                "%", "ms", "make", "make ms", "make");
    std::printf("%-16s %4s | %13s | %-15s %-15s %-15s | %6s %6s %6s | %6s %6s %6s | %6s | %7s %6s | %7s %6s\n", "", "",
                "first / median", "median", "", "", "", "", "", "", "wall", "cpu", "", "", "", "", "");
    struct TierRow {
        std::string photo;
        int size;
        TierShares shares;
    };
    std::vector<TierRow> tier_rows;
    std::vector<Totals> totals(sizes.size());
    for (const auto& file : files) {
        bench::Photo photo;
        if (!bench::load_photo(file, photo)) continue;
        for (size_t s = 0; s < sizes.size(); ++s) {
            const int size = sizes[s];
            PictureSurface picture, source, scratch;  // the photograph at its final size, as on the main window
            picture.set_width_pixels(size);
            picture.set_height_pixels(size);
            picture.stretch_copy(photo.pixels, 0, 0, size, size);
            std::vector<double> capture_runs, ours_runs, ours_cpu_runs;
            CoderRun first_ours;
            morvane::texture::TextureModule module;
            std::vector<Level> chain;
            for (int b = 0; b < builds; ++b) {
                source.set_width_pixels(size);
                source.set_height_pixels(size);
                source.clear();
                source.stretch_copy(picture.image(), 0, 0, size, size);
                module = morvane::texture::TextureModule{};
                const auto start = Clock::now();
                chain = capture_chain(module, source, scratch);
                capture_runs.push_back(ms_since(start));
                const CoderRun ours = run_coder(Coder::Ours, chain);
                if (b == 0) first_ours = ours;
                ours_runs.push_back(ours.chain_ms);
                ours_cpu_runs.push_back(ours.cpu_ms);
            }
            const double first_capture_ms = capture_runs[0];
            const double capture_ms = median(capture_runs);
            CoderRun r[3];
            r[0] = first_ours;
            r[0].chain_ms = median(ours_runs);
            r[0].cpu_ms = median(ours_cpu_runs);
            for (Coder c : coders)
                if (c != Coder::Ours) r[int(c)] = run_coder(c, chain);
            Totals& t = totals[s];
            t.photos++;
            t.capture_ms += capture_ms;
            t.first_capture_ms += first_capture_ms;
            t.first_ours_ms += first_ours.chain_ms;
            for (Coder c : coders) {
                t.ms[int(c)] += r[int(c)].chain_ms;
                t.cpu[int(c)] += r[int(c)].cpu_ms;
                t.psnr[int(c)] += r[int(c)].psnr;
            }
            double gap = r[0].psnr - r[1].psnr, ratio = r[1].chain_ms / r[0].chain_ms;
            t.worst_gap = std::min(t.worst_gap, gap);
            t.slowest_ratio = std::min(t.slowest_ratio, ratio);
            auto times = [](const CoderRun& x) {
                static char text[3][32];
                static int next = 0;
                char* t = text[next++ % 3];
                std::snprintf(t, 32, "%6.0f / %6.0f", x.chain_ms, x.cpu_ms);
                return t;
            };
            const char* t0 = times(r[0]);
            const char* t1 = times(r[1]);
            const char* t2 = times(r[2]);
            std::vector<std::string> clis;
            if (!make_cli.empty()) clis.push_back(make_cli);
            if (!make_cli.empty() && !baseline_cli.empty()) clis.push_back(baseline_cli);
            const std::vector<double> makes = make_ms(clis, file, size);
            const double make = makes.empty() ? -1 : makes[0], base = makes.size() < 2 ? -1 : makes[1];
            char make_text[4][16] = {"-", "-", "-", "-"};
            if (make > 0) {
                std::snprintf(make_text[0], sizeof make_text[0], "%.0f", make);
                std::snprintf(make_text[1], sizeof make_text[1], "%.1fx", r[1].chain_ms / make);
                t.slowest_make_ratio = std::min(t.slowest_make_ratio, r[1].chain_ms / make);
            }
            if (make > 0 && base > 0) {
                std::snprintf(make_text[2], sizeof make_text[2], "%.0f", base);
                std::snprintf(make_text[3], sizeof make_text[3], "%.2fx", base / make);
                t.base_ms += base;
                t.make_ms += make;
            }
            const TierShares tiers = tier_shares(chain[0]);
            tier_rows.push_back({photo.name, size, tiers});
            std::printf("%-16.16s %4d | %5.1f / %5.1f | %-15s %-15s %-15s | %6.2f %6.2f %6.2f | %+6.3f %5.1fx %5.1fx | "
                        "%6.2f | %7s %6s | %7s %6s\n",
                        photo.name.c_str(), size, first_capture_ms, capture_ms, t0, t1, t2, r[0].psnr, r[1].psnr, r[2].psnr, gap, ratio,
                        r[1].cpu_ms / r[0].cpu_ms, tiers.blocks[int(dxt::ColourTier::Search)], make_text[0],
                        make_text[1], make_text[2], make_text[3]);
            std::fflush(stdout);
        }
    }
    std::printf("\n");
    for (size_t s = 0; s < sizes.size(); ++s) {
        const Totals& t = totals[s];
        if (t.photos == 0) continue;
        double n = t.photos;
        std::printf("size %d, %d photos, %d builds each: capture %.1f ms avg of medians (%.3f of our compression "
                    "time; first builds: %.1f ms, %.3f); chain wall ms avg: "
                    "morvane %.1f, cluster %.1f, range %.1f; cluster/morvane: wall %.1fx overall (%.1fx worst photo), "
                    "processor time %.1fx\n",
                    sizes[s], t.photos, builds, t.capture_ms / n, t.capture_ms / t.ms[0], t.first_capture_ms / n,
                    t.first_capture_ms / t.first_ours_ms, t.ms[0] / n, t.ms[1] / n, t.ms[2] / n,
                    t.ms[1] / t.ms[0], t.slowest_ratio, t.cpu[1] / t.cpu[0]);
        std::printf("size %d: PSNR avg morvane %.3f dB, cluster %.3f dB, range %.3f dB; morvane - cluster: avg %+.3f dB, "
                    "worst photo %+.3f dB\n",
                    sizes[s], t.psnr[0] / n, t.psnr[1] / n, t.psnr[2] / n, (t.psnr[0] - t.psnr[1]) / n, t.worst_gap);
        if (t.slowest_make_ratio < 1e9)
            std::printf("size %d: cluster fit's chain / our whole make, worst photo: %.1fx\n", sizes[s],
                        t.slowest_make_ratio);
        if (t.base_ms > 0)
            std::printf("size %d: the baseline's whole make / ours, all photos: %.2fx\n", sizes[s], t.base_ms / t.make_ms);
    }
    std::printf("\nthe top level's blocks by the work they get: %% of the blocks / %% of our encoder's time over them\n");
    std::printf("%-16s %4s | %13s %13s %13s %13s %13s\n", "photo", "size", "solid", "close", "perturbed",
                "second start", "search");
    for (const TierRow& row : tier_rows) {
        std::printf("%-16.16s %4d |", row.photo.c_str(), row.size);
        for (int tier = 0; tier < dxt::kColourTiers; ++tier)
            std::printf(" %5.1f / %5.1f", row.shares.blocks[tier], row.shares.time[tier]);
        std::printf("\n");
    }
    return 0;
}
