// Opening what a user named: only an ordinary file opens, anything else is refused at once with its reason, in
// the caller's words where it gives them.
#include "platform/files/input_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <fstream>

namespace {

namespace fs = std::filesystem;
using morvane::InputFile;

#ifndef _WIN32  // FIFOs and names in raw bytes are POSIX's
// A file whose name is no UTF-8 (Latin-1 bytes, as an old disk may hold) opens, reads no more than asked and
// moves with its descriptor; whatever is no ordinary file is refused at once.
TEST(InputFile, AnOrdinaryFileOpensAndReadsAsAskedAndAnythingElseIsRefusedWithItsReason) {
    const morvane::testing::TempFolder temp;
    const fs::path odd = temp / std::string("foto\xE9\xFF.bmp");
    std::ofstream(odd, std::ios::binary) << "0123456789";
    morvane::Result<InputFile> opened = morvane::open_input_file(odd);
    ASSERT_TRUE(opened.ok) << opened.error;
    InputFile in = std::move(opened.value);
    EXPECT_EQ(in.size(), 10u);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(in.read(4, bytes).ok && in.read(100, bytes).ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "456789");
    EXPECT_FALSE(opened.value.read(1, bytes).ok) << "the moved-from file holds nothing";
    const uint8_t signature[2] = {'0', '1'};
    for (const auto& [begins, most, ok] : {std::tuple<std::span<const uint8_t>, int, bool>{signature, 10, true},
                                            {signature, 9, false}, {std::span(signature + 1, 1), 10, false}}) {
        morvane::Result<InputFile> fresh = morvane::open_input_file(odd);
        EXPECT_EQ(morvane::read_file_beginning_with(fresh.value, begins, uint64_t(most)).ok, ok) << most;
    }

    ASSERT_EQ(::mkfifo((temp / "pipe.jpg").c_str(), 0600), 0);  // with no writer, an open would wait for ever
    fs::create_symlink("loop-b", temp / "loop-a");
    fs::create_symlink("loop-a", temp / "loop-b");
    const morvane::InputRefusals say{"missing", "folder", "not a file", [](const std::string& why) { return "(" + why + ")"; }};
    const struct { fs::path path; std::string reason, said; } cases[] = {
        {temp.path(), "it is a folder", "folder"},
        {temp / "pipe.jpg", "it is not an ordinary file (a pipe, a device or the like)", "not a file"},
        {temp / "gone.vtf", "it does not exist", "missing"},
        {temp / "loop-a", "it is a loop of symbolic links", "(it is a loop of symbolic links)"},
        {temp / std::string(300, 'x'), "its name is too long for the system", "(its name is too long for the system)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(morvane::open_input_file(c.path).error, c.reason) << c.path;
        EXPECT_EQ(morvane::open_input_file(c.path, say).error, c.said) << c.path;
    }
}
#endif

}  // namespace
