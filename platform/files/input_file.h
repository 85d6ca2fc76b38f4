#pragma once
// Opening a file the user named, for reading, only when it is an ordinary file: a folder, a FIFO or a device
// is turned away before anything waits on it or reads from it without end. The path is used as the system's
// own bytes, so a name that is not valid UTF-8 opens all the same.
#include "platform/outcome.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace morvane {

struct InputRefusals;

// An ordinary file open for reading; closed with this.
class InputFile {
public:
    InputFile() = default;  // not open: every read fails
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;

    uint64_t size() const { return size_; }  // bytes, when it was opened

    // Up to `max_bytes` from the current position; fewer only at the end of the file.
    Outcome read(std::size_t max_bytes, std::vector<uint8_t>& out);
    // Up to `max_bytes` from `offset`, leaving the read position where it was.
    Outcome read_at(uint64_t offset, std::size_t max_bytes, std::vector<uint8_t>& out);
    // Hands the open descriptor to a new owner (a QFile), which closes it; -1 when not open.
    int release();

private:
    friend Result<InputFile> open_input_file(const std::filesystem::path& path, const InputRefusals& say);
    template <class ReadSome>
    Outcome read_with(std::size_t max_bytes, std::vector<uint8_t>& out, ReadSome read_some);

    int fd_ = -1;
    uint64_t size_ = 0;
};

// What a caller says for each way a file cannot be opened; where it gives nothing, the failure is the reason
// itself, to follow the file's name: "it is a folder", "its name is too long for the system", ...
struct InputRefusals {
    std::string missing;
    std::string folder;
    std::string not_a_file;  // a FIFO, a device, a socket
    std::function<std::string(const std::string& reason)> unreadable;  // permission, an input/output error, ...
};

Result<InputFile> open_input_file(const std::filesystem::path& path, const InputRefusals& say = {});

// The whole of `in`, when it begins with `signature` and has at most `max_bytes`; a failure when it does not,
// or cannot be read (a general loader then says why).
Result<std::vector<uint8_t>> read_file_beginning_with(InputFile& in, std::span<const uint8_t> signature,
                                                      uint64_t max_bytes);

// The system's message for an error number, with the few that users meet put in plain words:
// ENAMETOOLONG becomes "its name is too long for the system", not "does not exist".
std::string input_error_reason(int error_number);

}  // namespace morvane
