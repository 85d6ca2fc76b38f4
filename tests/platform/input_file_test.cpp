// Opening what a user named: a file opens whatever bytes its name is made of, and reads no more than asked.
// What is refused (a folder, a FIFO, a device, a missing file, a name too long), and why, the picture loader's
// tests and the command line's inspect tests show through their messages.
#include "platform/input_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#ifndef _WIN32  // names in raw bytes are POSIX's
TEST(InputFile, AFileWhoseNameIsNoUtf8OpensAndReadsNoMoreThanAsked) {
    const morvane::testing::TempFolder temp;
    const std::filesystem::path odd = temp / std::string("foto\xE9\xFF.bmp");  // Latin-1 bytes, as an old disk may hold
    morvane::testing::write_bytes(odd, "0123456789");
    morvane::InputFile in(odd);
    ASSERT_TRUE(in.ok()) << in.reason();
    EXPECT_EQ(in.size(), 10u);
    std::vector<uint8_t> bytes;
    EXPECT_EQ(in.read(4, bytes), "");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123");
    EXPECT_EQ(in.read(100, bytes), "");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "456789");
}
#endif
