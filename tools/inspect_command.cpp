// `inspect`: a VTF file's header fields and block table, and whether the blocks fill the file exactly.
#include "tools/inspect_command.h"

#include "app/core/utf8_path.h"
#include "platform/files/input_file.h"
#include "texture/vtf_format.h"
#include "texture/vtf_reader.h"

#include <cstdio>
#include <string>
#include <vector>

namespace morvane::cli {

namespace {

std::string flag_names(int32_t flags) {
    std::string names;
    for (int bit = 0; bit < 32; ++bit) {
        const int32_t value = int32_t(uint32_t(1) << bit);
        if ((flags & value) == 0) continue;
        const char* name = texture::texture_flag_name(value);
        if (!names.empty()) names += ", ";
        names += *name ? name : "unknown bit";
    }
    return names.empty() ? "none" : names;
}

void print_header(const texture::VtfHeader& h) {
    std::printf("signature     VTF\n");
    std::printf("version       %d.%d\n", h.version[0], h.version[1]);
    std::printf("headersize    %d\n", h.headersize);
    std::printf("width         %d\n", h.width);
    std::printf("height        %d\n", h.height);
    std::printf("flags         0x%X (%s)\n", unsigned(h.flags), flag_names(h.flags).c_str());
    std::printf("frames        %d\n", h.frames);
    std::printf("firstframe    %d\n", h.firstframe);
    std::printf("reflectivity  %.6f %.6f %.6f\n", h.reflectivity[0], h.reflectivity[1], h.reflectivity[2]);
    std::printf("bumpscale     %g\n", h.bumpscale);
    std::printf("hiformat      %d (%s)\n", h.hiformat, texture::image_format_name(h.hiformat));
    std::printf("mipmapcount   %d\n", h.mipmapcount);
    std::printf("loformat      %d (%s)\n", h.loformat, texture::image_format_name(h.loformat));
    std::printf("lowidth       %d\n", h.lowidth);
    std::printf("loheight      %d\n", h.loheight);
    if (h.version[1] >= 2) std::printf("depth         %d\n", h.depth);
}

void print_blocks(const texture::VtfLayout& layout) {
    std::printf("\n%-10s %12s %12s  %s\n", "block", "offset", "bytes", "pixels");
    for (const texture::VtfBlock& b : layout.blocks) {
        const std::string name = b.level < 0 ? "low-res" : "level " + std::to_string(b.level);
        std::printf("%-10s %12ju %12ju  %d x %d\n", name.c_str(), uintmax_t(b.offset), uintmax_t(b.size), b.width,
                    b.height);
    }
}

}  // namespace

int run_inspect(const InspectOptions& options) {
    const std::string name = app::utf8_from_path(options.file);
    Result<InputFile> opened = open_input_file(options.file);
    if (!opened.ok) {
        std::fprintf(stderr, "morvane-cli: cannot read \"%s\": %s. Give the path of a .vtf file.\n", name.c_str(),
                     opened.error.c_str());
        return 1;
    }
    InputFile& in = opened.value;
    // The header says how long the whole file must be; nothing past it is needed to check that, so a huge
    // file costs no more than a small one.
    std::vector<uint8_t> bytes;
    if (const Outcome read = in.read(texture::kHeaderBytesFromMinor2, bytes); !read.ok) {
        std::fprintf(stderr, "morvane-cli: cannot read \"%s\": %s.\n", name.c_str(), read.error.c_str());
        return 1;
    }
    const Result<texture::VtfLayout> read = texture::read_vtf_layout(bytes.data(), bytes.size());
    if (!read.ok) {
        std::fprintf(stderr, "morvane-cli: \"%s\" is not a VTF texture this can read: %s.\n", name.c_str(),
                     read.error.c_str());
        return 1;
    }
    const texture::VtfLayout& layout = read.value;
    std::printf("file          %s\n", name.c_str());
    print_header(layout.header);
    print_blocks(layout);
    if (layout.expected_size != in.size()) {
        std::printf("\n");
        std::fflush(stdout);
        std::fprintf(stderr,
                     "morvane-cli: the sizes do not add up: header and blocks need %ju bytes, but \"%s\" has %ju.\n",
                     uintmax_t(layout.expected_size), name.c_str(), uintmax_t(in.size()));
        return 1;
    }
    std::printf("\nThe sizes add up: header and blocks fill the file's %ju bytes exactly.\n", uintmax_t(in.size()));
    return 0;
}

}  // namespace morvane::cli
