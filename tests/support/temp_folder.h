#pragma once
// The one temporary folder of every test: a fresh folder under the system's temp folder, removed with
// everything in it at the end of the test, even files a test made read-only.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace morvane::testing {

class TempFolder {
public:
    TempFolder() { std::filesystem::create_directories(path_); }
    ~TempFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        // Windows deletes no read-only file, and a folder without write permission keeps its files anywhere.
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (fs::recursive_directory_iterator it(path_, ignored), end; it != end; it.increment(ignored))
            if (!it->is_symlink(ignored)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
    // What the folder holds, names sorted: a leftover temporary file shows here.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    const std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("morvane-test-" + std::to_string(std::random_device()()));
};

inline std::string read_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Makes the folders on the way, so a test can lay out a whole tree in a few lines.
inline void write_bytes(const std::filesystem::path& file, const std::string& bytes) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace morvane::testing
