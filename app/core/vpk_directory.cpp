#include "app/core/vpk_directory.h"

#include "app/core/key_values.h"
#include "app/core/utf8_path.h"
#include "platform/files/input_file.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kSignature = 0x55AA1234;
constexpr size_t kHeaderV1Bytes = 12;
constexpr size_t kHeaderV2Bytes = 28;
constexpr size_t kEntryBytes = 18;  // CRC, preload size, archive index, offset, length, terminator
constexpr uint16_t kEntryEnd = 0xFFFF;

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// The header's claims, checked against the bytes there are.
struct Header {
    size_t tree_begin = 0;
    size_t tree_bytes = 0;
};

Result<Header> read_header(std::span<const uint8_t> bytes, uint64_t file_bytes) {
    if (bytes.size() < kHeaderV1Bytes || le32(bytes.data()) != kSignature)
        return Result<Header>::failed("it is not a VPK directory file");
    const uint32_t version = le32(bytes.data() + 4);
    if (version != 1 && version != 2)
        return Result<Header>::failed("its VPK version " + std::to_string(version) + " is not one the game reads");
    Header header{version == 1 ? kHeaderV1Bytes : kHeaderV2Bytes, le32(bytes.data() + 8)};
    if (file_bytes < header.tree_begin || file_bytes - header.tree_begin < header.tree_bytes)
        return Result<Header>::failed("it is cut short: its directory needs more bytes than the file has");
    return Result<Header>::made(header);
}

// Walks the tree, holding every step to the tree's own bytes.
class TreeReader {
public:
    explicit TreeReader(std::span<const uint8_t> tree) : tree_(tree) {}

    // The next NUL-ended string; false when the tree ends before its NUL.
    bool text(std::string_view& out) {
        const auto* begin = tree_.data() + at_;
        const auto* nul = static_cast<const uint8_t*>(std::memchr(begin, 0, tree_.size() - at_));
        if (!nul) return false;
        out = std::string_view(reinterpret_cast<const char*>(begin), size_t(nul - begin));
        at_ += out.size() + 1;
        return true;
    }
    // A file's entry and its preload bytes; false when cut or not ended by 0xFFFF.
    bool entry() {
        if (tree_.size() - at_ < kEntryBytes) return false;
        const uint8_t* entry = tree_.data() + at_;
        const size_t preload = le16(entry + 4);
        if (le16(entry + 16) != kEntryEnd || tree_.size() - at_ - kEntryBytes < preload) return false;
        at_ += kEntryBytes + preload;
        return true;
    }

private:
    std::span<const uint8_t> tree_;
    size_t at_ = 0;
};

// "materials/console" + "background01" + "vtf"; a path or extension of one space stands for none.
std::string full_name(std::string_view path, std::string_view name, std::string_view extension) {
    std::string full = path == " " || path.empty() ? std::string() : std::string(path) + "/";
    full += name;
    if (extension != " " && !extension.empty()) full += "." + std::string(extension);
    return ascii_lower(full);
}

Result<VpkNames> names_in_tree(std::span<const uint8_t> tree) {
    const auto damaged = [] { return Result<VpkNames>::failed("its directory is cut short or damaged"); };
    VpkNames names;
    TreeReader reader(tree);
    std::string_view extension, path, name;
    for (;;) {
        if (!reader.text(extension)) return damaged();
        if (extension.empty()) break;
        for (;;) {
            if (!reader.text(path)) return damaged();
            if (path.empty()) break;
            for (;;) {
                if (!reader.text(name)) return damaged();
                if (name.empty()) break;
                if (!reader.entry()) return damaged();
                names.sorted.push_back(full_name(path, name, extension));
            }
        }
    }
    std::sort(names.sorted.begin(), names.sorted.end());
    return Result<VpkNames>::made(std::move(names));
}

}  // namespace

bool VpkNames::holds(std::string_view game_path) const {
    return std::binary_search(sorted.begin(), sorted.end(), ascii_lower(game_path));
}

Result<VpkNames> vpk_names(std::span<const uint8_t> bytes) {
    const Result<Header> header = read_header(bytes, bytes.size());
    if (!header.ok) return Result<VpkNames>::failed(header);
    return names_in_tree(bytes.subspan(header.value.tree_begin, header.value.tree_bytes));
}

Result<VpkNames> read_vpk_names(const fs::path& directory_file) {
    Result<InputFile> opened = open_input_file(directory_file);
    if (!opened.ok) return Result<VpkNames>::failed(opened);
    InputFile& in = opened.value;
    try {
        std::vector<uint8_t> head;
        if (const Outcome read = in.read(kHeaderV2Bytes, head); !read.ok) return Result<VpkNames>::failed(read);
        const Result<Header> header = read_header(head, in.size());
        if (!header.ok) return Result<VpkNames>::failed(header);
        // The tree holds every name: a directory far larger than memory allows is as unreadable as a cut one.
        std::vector<uint8_t> tree;
        if (const Outcome read = in.read_at(header.value.tree_begin, header.value.tree_bytes, tree); !read.ok)
            return Result<VpkNames>::failed(read);
        if (tree.size() != header.value.tree_bytes) return Result<VpkNames>::failed("it is cut short");
        return names_in_tree(tree);
    } catch (const std::bad_alloc&) {
        return Result<VpkNames>::failed("its directory is too large to read");
    }
}

fs::path vpk_directory_file(const fs::path& named) {
    fs::path stem = named.stem();
    if (ascii_lower(utf8_from_path(stem)).ends_with("_dir")) return named;
    fs::path directory = named;
    directory.replace_filename(stem += "_dir.vpk");
    std::error_code ec;
    return fs::is_regular_file(directory, ec) ? directory : named;
}

}  // namespace morvane::app
