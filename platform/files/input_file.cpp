#include "platform/files/input_file.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morvane {

namespace {

// The few file calls this needs, with the path in the system's own encoding.
#ifdef _WIN32
using FileStat = struct _stat64;
int stat_path(const std::filesystem::path& path, FileStat& st) { return _wstat64(path.c_str(), &st); }
int stat_open(int fd, FileStat& st) { return _fstat64(fd, &st); }
int open_for_reading(const std::filesystem::path& path) {
    int fd = -1;
    _wsopen_s(&fd, path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0);
    return fd;
}
void end_waiting_opens(int) {}
long read_some(int fd, uint8_t* into, size_t size) { return _read(fd, into, unsigned(std::min<size_t>(size, 1u << 30))); }
int close_file(int fd) { return _close(fd); }
long read_some_at(int fd, uint8_t* into, size_t size, uint64_t offset) {
    const __int64 was = _lseeki64(fd, 0, SEEK_CUR);
    if (was < 0 || _lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0) return -1;
    const long got = read_some(fd, into, size);
    _lseeki64(fd, was, SEEK_SET);
    return got;
}
bool is_folder(const FileStat& st) { return (st.st_mode & _S_IFMT) == _S_IFDIR; }
bool is_regular(const FileStat& st) { return (st.st_mode & _S_IFMT) == _S_IFREG; }
#else
using FileStat = struct stat;
int stat_path(const std::filesystem::path& path, FileStat& st) { return ::stat(path.c_str(), &st); }
int stat_open(int fd, FileStat& st) { return ::fstat(fd, &st); }
// Without waiting: should the name have turned into a FIFO since it was looked at, the open returns at once.
int open_for_reading(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}
void end_waiting_opens(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); }
long read_some(int fd, uint8_t* into, size_t size) { return long(::read(fd, into, size)); }
int close_file(int fd) { return ::close(fd); }
long read_some_at(int fd, uint8_t* into, size_t size, uint64_t offset) {
    return long(::pread(fd, into, size, off_t(offset)));
}
bool is_folder(const FileStat& st) { return S_ISDIR(st.st_mode); }
bool is_regular(const FileStat& st) { return S_ISREG(st.st_mode); }
#endif

}  // namespace

std::string input_error_reason(int error_number) {
    switch (error_number) {
        case ENOENT: return "it does not exist";
        case ENOTDIR: return "a part of its path is not a folder";
        case ENAMETOOLONG: return "its name is too long for the system";
        case EISDIR: return "it is a folder";
#ifdef ELOOP
        case ELOOP: return "it is a loop of symbolic links";
#endif
        default: return std::generic_category().message(error_number ? error_number : EIO);
    }
}

InputFile::InputFile(InputFile&& other) noexcept : fd_(other.release()), size_(other.size_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close_file(fd_);
        size_ = other.size_;
        fd_ = other.release();
    }
    return *this;
}

Result<InputFile> open_input_file(const std::filesystem::path& path, const InputRefusals& say) {
    using Opened = Result<InputFile>;
    auto refused = [](const std::string& words, const std::string& reason) {
        return Opened::failed(words.empty() ? reason : words);
    };
    auto refused_errno = [&](int error) {
        const std::string reason = input_error_reason(error);
        if (error == ENOENT) return refused(say.missing, reason);
        return Opened::failed(say.unreadable ? say.unreadable(reason) : reason);
    };
    // Looked at by name first, so that a FIFO or a device is never opened at all; then again once open,
    // in case the name was given to something else in between.
    Opened opened = Opened::made({});
    InputFile& file = opened.value;
    FileStat st{};
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0 ? stat_path(path, st) != 0 : stat_open(file.fd_, st) != 0) return refused_errno(errno);
        if (is_folder(st)) return refused(say.folder, "it is a folder");
        if (!is_regular(st)) return refused(say.not_a_file, "it is not an ordinary file (a pipe, a device or the like)");
        if (pass == 0) {
            errno = 0;
            file.fd_ = open_for_reading(path);
            if (file.fd_ < 0) return refused_errno(errno);
        }
    }
    end_waiting_opens(file.fd_);
    file.size_ = uint64_t(st.st_size);
    return opened;
}

// Reads until `max_bytes` or the end of the file, going on after an interrupted call; `read_some(into, bytes,
// filled)` is one system read.
template <class ReadSome>
Outcome InputFile::read_with(std::size_t max_bytes, std::vector<uint8_t>& out, ReadSome read_some) {
    out.clear();
    if (fd_ < 0) return Outcome::failed("it is not open");
    out.resize(max_bytes);
    size_t filled = 0;
    while (filled < max_bytes) {
        const long got = read_some(out.data() + filled, max_bytes - filled, filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            out.resize(filled);
            return Outcome::failed(input_error_reason(errno));
        }
        if (got == 0) break;
        filled += size_t(got);
    }
    out.resize(filled);
    return Outcome::done();
}

InputFile::~InputFile() {
    if (fd_ >= 0) close_file(fd_);
}

Outcome InputFile::read(std::size_t max_bytes, std::vector<uint8_t>& out) {
    return read_with(max_bytes, out, [this](uint8_t* into, size_t bytes, size_t) { return read_some(fd_, into, bytes); });
}

Outcome InputFile::read_at(uint64_t offset, std::size_t max_bytes, std::vector<uint8_t>& out) {
    return read_with(max_bytes, out, [this, offset](uint8_t* into, size_t bytes, size_t filled) {
        return read_some_at(fd_, into, bytes, offset + filled);
    });
}

int InputFile::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

Result<std::vector<uint8_t>> read_file_beginning_with(InputFile& in, std::span<const uint8_t> signature,
                                                      uint64_t max_bytes) {
    using Bytes = Result<std::vector<uint8_t>>;
    if (in.size() > max_bytes) return Bytes::failed("it is larger than such a file can be");
    Bytes read = Bytes::made({});
    if (const Outcome head = in.read_at(0, signature.size(), read.value); !head.ok) return Bytes::failed(head);
    if (!std::equal(signature.begin(), signature.end(), read.value.begin(), read.value.end()))
        return Bytes::failed("it does not begin as such a file does");
    if (const Outcome whole = in.read(size_t(in.size()), read.value); !whole.ok) return Bytes::failed(whole);
    return read;
}

}  // namespace morvane
