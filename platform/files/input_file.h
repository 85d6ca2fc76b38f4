#pragma once
// Opening a file the user named, for reading, only when it is an ordinary file: a folder, a FIFO or a device
// is turned away before anything waits on it or reads from it without end. The path is used as the system's
// own bytes, so a name that is not valid UTF-8 opens all the same.
#include "platform/outcome.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace morvane {

enum class InputProblem {
    None,
    Missing,     // nothing of that name
    Folder,      // a folder of that name
    NotAFile,    // a FIFO, a device, a socket
    Unreadable,  // permission, a name too long for the system, an input/output error, ...
};

class InputFile {
public:
    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool ok() const { return problem_ == InputProblem::None; }
    InputProblem problem() const { return problem_; }
    // Why it cannot be read, to follow the file's name: "it is a folder", "its name is too long for the
    // system", "Permission denied", ... Empty when ok().
    const std::string& reason() const { return reason_; }
    uint64_t size() const { return size_; }  // bytes, when it was opened

    // Up to `max_bytes` from the current position; fewer only at the end of the file.
    Outcome read(std::size_t max_bytes, std::vector<uint8_t>& out);
    // Up to `max_bytes` from `offset`, leaving the read position where it was.
    Outcome read_at(uint64_t offset, std::size_t max_bytes, std::vector<uint8_t>& out);
    // Hands the open descriptor to a new owner (a QFile), which closes it; -1 when not ok().
    int release();

private:
    void open(const std::filesystem::path& path);
    void refuse(InputProblem problem, std::string reason);
    template <class ReadSome>
    Outcome read_with(std::size_t max_bytes, std::vector<uint8_t>& out, ReadSome read_some);

    int fd_ = -1;
    InputProblem problem_ = InputProblem::None;
    std::string reason_;
    uint64_t size_ = 0;
};

// The whole of `in`, when it begins with `signature` and has at most `max_bytes`; nothing when it does not, or
// cannot be read (a general loader then says why).
std::optional<std::vector<uint8_t>> read_file_beginning_with(InputFile& in, std::span<const uint8_t> signature,
                                                             uint64_t max_bytes);

// The system's message for an error number, with the few that users meet put in plain words:
// ENAMETOOLONG becomes "its name is too long for the system", not "does not exist".
std::string input_error_reason(int error_number);

}  // namespace morvane
