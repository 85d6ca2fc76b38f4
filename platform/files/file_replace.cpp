#include "platform/files/file_replace.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <chrono>

namespace morvane {

namespace fs = std::filesystem;

namespace {

// An empty temporary file younger than this may belong to a writer that has opened it and not yet locked it.
constexpr auto kYoungestLeftover = std::chrono::seconds(60);

std::string utf8_of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string reason(int error) { return std::generic_category().message(error ? error : EIO); }

// The few file calls this needs, on file descriptors, with the path in the system's own encoding.
#ifdef _WIN32
int open_file(const fs::path& path, bool exclusive) {
    int fd = -1;
    _wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | (exclusive ? _O_EXCL : _O_TRUNC),
              _SH_DENYNO, _S_IREAD | _S_IWRITE);
    return fd;
}
// Through the system's own call: the C library's _write calls a full disk "Invalid argument" (on Wine).
long write_some(int fd, const uint8_t* bytes, size_t size) {
    DWORD written = 0;
    if (WriteFile(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), bytes, DWORD(std::min<size_t>(size, 1u << 30)), &written,
                  nullptr))
        return long(written);
    const DWORD code = GetLastError();
    errno = code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL ? ENOSPC
            : code == ERROR_ACCESS_DENIED                             ? EACCES
                                                                      : EIO;
    return -1;
}
int sync_file(int fd) { return _commit(fd); }
int close_file(int fd) { return _close(fd); }
// Windows itself refuses to delete a file that its writer still has open; a file is moved only once closed.
void mark_in_use(int) {}
constexpr bool kHeldWhilePlaced = false;
bool remove_unless_in_use(const fs::path& file) {
    std::error_code ec;
    const auto written = fs::last_write_time(file, ec);
    if (ec || fs::file_time_type::clock::now() - written < kYoungestLeftover) return false;
    return fs::remove(file, ec);
}
// Windows keeps no owner or mode bits that a player sets on a texture; read-only is refused before.
void keep_attributes_of(const fs::path&, int) {}
#else
int open_file(const fs::path& path, bool exclusive) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC), 0666);
}
long write_some(int fd, const uint8_t* bytes, size_t size) { return long(::write(fd, bytes, size)); }
int sync_file(int fd) { return ::fsync(fd); }
int close_file(int fd) { return ::close(fd); }
// A temporary file is locked while its writer lives, until it has taken its final name: the lock goes with
// the process, however it ends, and is let go only once nothing of the write is left under the temporary name.
// The lock waits: another writer's look at a new file holds its lock for a moment, and a file left unlocked
// would look abandoned once it has bytes, and be removed under its writer.
void mark_in_use(int fd) {
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}
constexpr bool kHeldWhilePlaced = true;
bool remove_unless_in_use(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    const bool unlocked = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0;
    // A writer that has just made its file may not have locked it yet; it locks it before the first byte, so
    // an unlocked file with bytes in it has lost its writer, and only an empty one must be left alone a while.
    const auto written = std::chrono::system_clock::from_time_t(st.st_mtime);
    const bool stale = unlocked && (st.st_size > 0 || std::chrono::system_clock::now() - written >= kYoungestLeftover);
    const bool removed = stale && ::unlink(file.c_str()) == 0;
    ::close(fd);
    return removed;
}
// As careful editors do: the new file gets the old one's owner and group where this user may give them (the
// owner only as root; a group the user belongs to), then its mode, setgid and sticky bits included (a change
// of owner clears them, so the mode comes last).
void keep_attributes_of(const fs::path& old_file, int fd) {
    struct stat old {};
    if (::stat(old_file.c_str(), &old) != 0) return;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // neither given: the file stays this user's, as any new file of theirs is
    }
    ::fchmod(fd, old.st_mode & 07777);
}
#endif

// The name of a unique temporary file of `target`: its name, a dot, eight hexadecimal digits, ".tmp".
bool is_temporary_of(const fs::path& file, const fs::path& target) {
    const fs::path::string_type name = file.filename().native(), base = target.filename().native();
    constexpr size_t kTail = 1 + 8 + 4;  // ".XXXXXXXX.tmp"
    if (name.size() != base.size() + kTail || name.compare(0, base.size(), base) != 0) return false;
    auto at = [&](size_t i) { return name[base.size() + i]; };
    for (size_t i = 1; i <= 8; ++i)
        if (!((at(i) >= '0' && at(i) <= '9') || (at(i) >= 'a' && at(i) <= 'f'))) return false;
    return at(0) == '.' && at(9) == '.' && at(10) == 't' && at(11) == 'm' && at(12) == 'p';
}

// Temporary files that a killed earlier write of `target` left beside it: each write picks a new name, so
// without this they would pile up in the player's folder. Only files of exactly that pattern go, and none
// that a living writer still holds.
void remove_stale_temporaries(const fs::path& target) {
    std::error_code ec;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (is_temporary_of(it->path(), target) && it->symlink_status(kind).type() == fs::file_type::regular)
            remove_unless_in_use(it->path());
    }
}

// Opens the temporary file beside `target`; a unique name is one that did not exist before.
int open_temporary(const fs::path& target, std::string_view fixed_suffix, fs::path& temporary) {
    if (!fixed_suffix.empty()) {  // the one name is reused, so nothing piles up
        temporary = target;
        temporary += fixed_suffix;
        return open_file(temporary, false);
    }
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", unsigned(random()));
        temporary = target;
        temporary += suffix;
        errno = 0;
        const int fd = open_file(temporary, true);
        if (fd >= 0) mark_in_use(fd);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// On the disk before it takes the final name, so that a power cut cannot leave a renamed empty file.
int write_all(int fd, std::span<const std::span<const uint8_t>> pieces) {
    for (std::span<const uint8_t> piece : pieces) {
        while (!piece.empty()) {
            const long written = write_some(fd, piece.data(), piece.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return written < 0 && errno ? errno : EIO;
            piece = piece.subspan(size_t(written));
        }
    }
    return sync_file(fd) == 0 ? 0 : errno;
}

// Gives the temporary file the final name unless a file of that name exists, even one that appeared a moment
// ago (then that one is kept): Windows' move without the replace flag, elsewhere an atomic no-replace rename
// or a hard link where the file system offers one, and a checked rename only where it offers neither.
Outcome place_if_absent(const fs::path& temporary, const fs::path& target) {
#ifdef _WIN32
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return Outcome::done();
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return Outcome::done();
    return Outcome::failed(std::system_category().message(int(code)));
#else
    // What a file system without the call (or without hard links) answers.
    auto unsupported = [] { return errno == EINVAL || errno == ENOSYS || errno == ENOTSUP || errno == EOPNOTSUPP || errno == EPERM; };
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0 || errno == EEXIST) return Outcome::done();
    if (!unsupported()) return Outcome::failed(reason(errno));
#endif
    if (::link(temporary.c_str(), target.c_str()) == 0 || errno == EEXIST) return Outcome::done();  // the caller drops the temporary
    if (!unsupported()) return Outcome::failed(reason(errno));
    std::error_code ec;
    if (fs::exists(fs::symlink_status(target, ec))) return Outcome::done();
    fs::rename(temporary, target, ec);
    return ec ? Outcome::failed(ec.message()) : Outcome::done();
#endif
}

// Gives the temporary file the final name, replacing a file of that name.
Outcome place_over(const fs::path& temporary, const fs::path& target) {
#ifdef _WIN32
    // A program that holds the file open without letting others delete it (the game does, while it runs), or
    // another make that has just put its own copy there and still holds it for a moment: waited for a
    // while, so that makes at the same time all succeed and only a lasting hold fails.
    DWORD code = 0;
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (attempt > 0) Sleep(50);
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Outcome::done();
        code = GetLastError();
        if (code != ERROR_SHARING_VIOLATION && code != ERROR_LOCK_VIOLATION && code != ERROR_ACCESS_DENIED) break;
    }
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED)
        return Outcome::failed(
            "another program has the file open, or you may not change it; close the file there and try again");
    return Outcome::failed(std::system_category().message(int(code)));
#else
    std::error_code ec;
    fs::rename(temporary, target, ec);
    return ec ? Outcome::failed(ec.message()) : Outcome::done();
#endif
}

// The file that `target` names once its symbolic links are followed, so that a link the player made stays a link
// and the file it leads to is replaced. Refused: a link that leads nowhere, a loop of links.
Outcome follow_links(const fs::path& target, fs::path& file) {
    constexpr int kMaxLinks = 40;  // as the system itself allows before it calls it a loop
    file = target;
    std::error_code ec;
    for (int links = 0; fs::is_symlink(fs::symlink_status(file, ec)); ++links) {
        if (links == kMaxLinks) return Outcome::failed("it is a loop of symbolic links");
        const fs::path to = fs::read_symlink(file, ec);
        if (ec) return Outcome::failed(ec.message());
        file = to.is_absolute() ? to : file.parent_path() / to;
    }
    if (file != target && !fs::exists(fs::symlink_status(file, ec)))
        return Outcome::failed("it is a symbolic link to \"" + utf8_of(file.lexically_normal()) +
                               "\", which does not exist; remove the link or restore what it leads to");
    return Outcome::done();
}

// Whether the name can take a new file, and if not, why.
Outcome in_the_way(const fs::path& file, IfPresent if_present, bool& present) {
    std::error_code ec;
    const fs::file_status old = fs::symlink_status(file, ec);
    present = fs::exists(old);
    if (!present) return Outcome::done();
    if (fs::is_directory(old)) return Outcome::failed("a folder of that name is in the way");
    if (!fs::is_regular_file(old))
        return Outcome::failed("something other than a file has that name (a pipe, a device or the like)");
    // A file its owner made read-only is one the owner wants kept.
    if (if_present == IfPresent::Replace && (old.permissions() & fs::perms::owner_write) == fs::perms::none)
        return Outcome::failed("the file is read-only");
    return Outcome::done();
}

}  // namespace

Outcome replace_file(const fs::path& target, std::span<const std::span<const uint8_t>> pieces,
                     IfPresent if_present, std::string_view fixed_suffix) {
    fs::path file;  // target, or where its links lead
    if (Outcome followed = follow_links(target, file); !followed.ok) return followed;
    if (fixed_suffix.empty()) remove_stale_temporaries(file);  // even when an existing file is kept
    bool present = false;
    if (Outcome free = in_the_way(file, if_present, present); !free.ok) return free;
    if (present && if_present == IfPresent::Keep) return Outcome::done();

    fs::path temporary;
    errno = 0;
    const int fd = open_temporary(file, fixed_suffix, temporary);
    if (fd < 0) return Outcome::failed(reason(errno));
    if (present) keep_attributes_of(file, fd);
    int failure = write_all(fd, pieces);
    bool open = true;
    auto close_once = [&] {
        if (open && close_file(fd) != 0 && failure == 0) failure = errno ? errno : EIO;
        open = false;
    };
    if (!kHeldWhilePlaced) close_once();

    Outcome placed = failure                          ? Outcome::failed(reason(failure))
                     : if_present == IfPresent::Keep ? place_if_absent(temporary, file)
                                                     : place_over(temporary, file);
    close_once();
    std::error_code ec;
    fs::remove(temporary, ec);  // gone already when it took the final name
    return placed;
}

}  // namespace morvane
