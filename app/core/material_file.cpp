#include "app/core/material_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace morvanemod {

namespace fs = std::filesystem;

const char* const kMaterialText =
    "\"UnlitGeneric\"\r\n"
    "{\r\n"
    "\t\"$basetexture\" \"console/background01\"\r\n"
    "\t\"$vertexcolor\" 1\r\n"
    "\t\"$no_fullbright\" 1\r\n"
    "\t\"$ignorez\" 1\r\n"
    "}\r\n";

namespace {

FileResult failure(const fs::path& path, const std::string& reason) {
    return {false, "Could not write the material file \"" + path.string() + "\": " + reason +
                       ". Check that the folder exists and is writable."};
}

}  // namespace

FileResult write_vmt(const fs::path& console_path) {
    const fs::path path = console_path / "background01.vmt";
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_regular_file(status)) return {true, {}};  // never overwritten or changed
    if (fs::exists(status)) return failure(path, "something other than a file has that name");

    // Written beside its final name first, so that no half-written material can be left behind.
    fs::path temporary;
    std::FILE* file = nullptr;
    std::random_device random;
    errno = 0;
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", unsigned(random()));
        temporary = path;
        temporary += suffix;
        file = std::fopen(temporary.c_str(), "wbx");  // "x": a new file, never one that is there
        if (file == nullptr && errno != EEXIST) break;
    }
    if (file == nullptr) return failure(path, std::strerror(errno ? errno : EIO));
    const size_t size = std::strlen(kMaterialText);
    bool written = std::fwrite(kMaterialText, 1, size, file) == size && std::fflush(file) == 0 &&
                   ::fsync(::fileno(file)) == 0;
    int saved_errno = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        saved_errno = errno;
    }
    if (!written) {
        fs::remove(temporary, ec);
        return failure(path, std::strerror(saved_errno ? saved_errno : EIO));
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(temporary, ec);
        return failure(path, reason);
    }
    return {true, {}};
}

}  // namespace morvanemod
