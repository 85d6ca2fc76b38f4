// The written file as a game or any VTF reader sees it: header bytes, sizes, offsets and the pictures its
// blocks decode to; and a user's earlier file that survives any failure to write.
#include "dxt/dxt_squish.h"
#include "dxt/encoder_choice.h"
#include "tests/support/file_size_limit.h"
#include "texture/vtf_reader.h"
#include "texture_test_support.h"

#include <cstdlib>
#include <functional>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

// The file `m` writes, and its block table as any VTF reader reads it (none when it cannot be read).
std::pair<std::string, texture::VtfLayout> written(const texture::TextureModule& m) {
    const TempFolder folder;
    EXPECT_TRUE(m.WriteVtfFile(folder / "background01.vtf").ok);
    const std::string bytes = read_bytes(folder / "background01.vtf");
    return {bytes, texture::read_vtf_layout(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()).value};
}

// The largest difference of red, green or blue between B, G, R, A pixels and R, G, B, A decoded pixels.
int largest_error(const PixelBytes& bgra, const std::vector<uint8_t>& rgba) {
    int worst = 0;
    for (size_t i = 0; i + 3 < bgra.size(); i += 4)
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(int(bgra[i + 2 - c]) - int(rgba[i + c])));
    return worst;
}

// Every field of a version 7.1 header stands at its offset in 64 bytes. The full-size level is the picture one
// to one (B, G, R, fourth byte, top row first), and every block decodes back to its level, so the file shows the
// picture's top row first with red on the right.
TEST(VtfFile, EveryHeaderFieldStandsAtItsOffsetAndEveryBlockDecodesBackToItsLevel) {
    BuildSurfaces surfaces(gradient_picture(64, 32));
    texture::TextureModule m;
    ASSERT_TRUE(m.BuildTexture(surfaces.source, surfaces.scratch, 0x2000, 15, 1).ok);
    texture::VtfHeader h = m.state.Header;
    h.reflectivity = {0.25f, 0.5f, 0.75f};  // distinct values, to find each at its offset
    const std::vector<uint8_t> minor1{
        'V', 'T', 'F', 0, 7, 0, 0, 0, 1, 0, 0, 0, 64, 0, 0, 0,  // signature, version 7.1, headersize
        64, 0, 32, 0, 0, 0x20, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,   // width, height, flags, frames, firstframe, padding
        0, 0, 0x80, 0x3E, 0, 0, 0, 0x3F, 0, 0, 0x40, 0x3F, 0, 0, 0, 0,  // reflectivity 0.25 0.5 0.75, padding
        0, 0, 0x80, 0x3F, 15, 0, 0, 0, 6, 13, 0, 0, 0, 16, 8, 0};  // bumpscale, hi/mip/loformat, 16 x 8, no depth
    EXPECT_EQ(texture::header_bytes(h), minor1);
    EXPECT_EQ(m.state.MipLevels.back().Frames[0].Faces[0].Pixels, gradient_picture(64, 32).bytes);

    const auto [bytes, layout] = written(m);
    ASSERT_EQ(layout.blocks.size(), size_t(m.MipCount()) + 1);
    const auto* file = reinterpret_cast<const uint8_t*>(bytes.data());
    std::vector<uint8_t> rgba(16 * 8 * 4);
    // The library's decoder: libsquish's where the build has it, our own otherwise. Flags 0: R, G, B, A.
    Decompress_Dxt1_Image(file + layout.blocks[0].offset, 16, 8, rgba.data(), 0);
    EXPECT_LE(largest_error(m.state.LowResPixels, rgba), 20);
    for (int i = 0; i < m.MipCount(); ++i) {
        const auto& level = m.state.MipLevels[size_t(i)];
        rgba.assign(size_t(4 * level.Width * level.Height), 0);
        Decompress_Dxt5_Image(file + layout.blocks[size_t(i) + 1].offset, level.Width, level.Height, rgba.data(), 0);
        // In the small levels one block spans much of the gradient, so its four colours lie further apart.
        EXPECT_LE(largest_error(level.Frames[0].Faces[0].Pixels, rgba), level.Width >= 16 ? 12 : 48) << "level " << i;
    }
}

// Large builds whose bytes, not quality, a test checks use libsquish's fast range fit meanwhile (our own
// encoder in a build without libsquish, which refuses that choice).
struct FastEncoder {
    const dxt::Encoder previous = dxt::current_encoder();
    FastEncoder() { dxt::set_encoder(dxt::Encoder::SquishRangeFit); }
    ~FastEncoder() { dxt::set_encoder(previous); }
};

// Header 64 + low-resolution image 128 (16 x 16 in DXT1) + the DXT5 levels 1, 2 and 4 pixels square (one
// 16-byte block each, 48) + 8 to 1024 square (64 + 256 + 1024 + 4096 + 16384 + 65536 + 262144 + 1048576 =
// 1398080): 1398320 bytes; the 2048 level adds 512 x 512 blocks of 16 bytes: 5592624. The low-resolution
// image follows the header and the levels follow it, smallest first.
TEST(WrittenTexture, HasItsExactSizeLevelCountAndBlockOffsets) {
    const FastEncoder fast;
    for (const auto& [side, size, levels] : {std::tuple{1024, 1398320u, 11}, {2048, 5592624u, 12}}) {
        const auto [bytes, layout] = written(built(side));
        EXPECT_EQ(bytes.size(), size);
        EXPECT_EQ(bytes[56], levels);  // mipmapcount
        ASSERT_EQ(layout.blocks.size(), size_t(levels) + 1);
        const uint64_t offsets[] = {64, 192, 208, 224, 240, 304, 560, 1584, 5680, 22064, 87600, 349744};
        for (size_t i = 0; i < 12; ++i) {
            EXPECT_EQ(layout.blocks[i].width, i == 0 ? 16 : 1 << (i - 1));
            EXPECT_EQ(layout.blocks[i].offset, offsets[i]) << "block " << i;
            EXPECT_EQ(layout.blocks[i].size, i == 0 ? 128 : std::max<uint64_t>(16, uint64_t(1) << (2 * i - 2))) << i;
        }
    }
}

// A state no build has filled, levels in a format that has no compressed data, and a disk that fills up halfway
// (a change that ignored a failed write() would rename the cut-off texture over the old one): each says which
// file and why, and leaves the old file byte for byte and nothing beside it.
TEST(WriteVtfFile, EveryRefusalOrFailureLeavesTheOldFileByteForByteAndSaysWhy) {
    const TempFolder folder;
    const fs::path file = folder / "background01.vtf";
    const std::string old(3000000, 'Z');  // longer than any texture written here
    write_bytes(file, old);
    const texture::TextureModule texture = built(256);  // about 87 KB
    const std::pair<const char*, std::function<std::string()>> cases[] = {
        {"no texture has been built", [&] { return texture::TextureModule().WriteVtfFile(file).error; }},
        {"image format 0", [&] { return built(32, 0).WriteVtfFile(file).error; }},
#ifndef _WIN32  // a file-size limit as POSIX has it
        {"File too large", [&] { return with_file_size_limit(20000, [&] { return texture.WriteVtfFile(file).error; }); }},
#endif
    };
    for (const auto& [why, write] : cases) {
        const std::string error = write();
        EXPECT_NE(error.find(why), std::string::npos) << error;
        EXPECT_NE(error.find(file.string()), std::string::npos) << error;
        EXPECT_TRUE(read_bytes(file) == old) << why;
        EXPECT_EQ(folder.names(), std::vector<std::string>{"background01.vtf"}) << why;
    }
}

}  // namespace
}  // namespace morvane::testing
