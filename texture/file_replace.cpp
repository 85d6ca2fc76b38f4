#include "texture/file_replace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace vtfmod {

namespace fs = std::filesystem;

namespace {

// Opens a new file beside `path` that did not exist before ("x": fail rather than reuse a file).
std::FILE* create_temporary(const fs::path& path, fs::path& temporary, std::string& error) {
    std::random_device random;
    char suffix[32];
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", unsigned(random()));
        temporary = path;
        temporary += suffix;
        errno = 0;
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return file;
        if (errno != EEXIST) break;
    }
    error = std::strerror(errno ? errno : EIO);
    return nullptr;
}

bool write_all(std::FILE* file, const std::vector<std::span<const uint8_t>>& pieces) {
    for (const auto& piece : pieces) {
        if (!piece.empty() && std::fwrite(piece.data(), 1, piece.size(), file) != piece.size()) return false;
    }
    // On the disk before the rename makes it the file, so a power cut cannot leave a renamed empty file.
    return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

}  // namespace

std::string replace_file(const fs::path& path, const std::vector<std::span<const uint8_t>>& pieces) {
    std::error_code ec;
    const fs::file_status old = fs::status(path, ec);
    if (fs::is_directory(old)) return "a folder of that name is in the way";
    // A file its owner made read-only is one the owner wants kept.
    if (fs::exists(old) && (old.permissions() & fs::perms::owner_write) == fs::perms::none) return "the file is read-only";

    fs::path temporary;
    std::string error;
    std::FILE* file = create_temporary(path, temporary, error);
    if (file == nullptr) return error;

    errno = 0;
    bool written = write_all(file, pieces);
    int saved_errno = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        saved_errno = errno;
    }
    if (!written) {
        fs::remove(temporary, ec);
        return std::strerror(saved_errno ? saved_errno : EIO);
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return ec.message();
    }
    return {};
}

}  // namespace vtfmod
