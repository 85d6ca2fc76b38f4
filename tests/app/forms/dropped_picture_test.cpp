// What the main window takes from files dropped on it, in both hosts.
#include "app/forms/dropped_picture.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

TEST(DroppedPicture, TheFirstOrdinaryFileThatIsAPictureByNameOrContentIsTakenAndNothingElseIsOpened) {
    TempFolder temp;
    const fs::path folder = temp.path() / "folder.png", text = temp.path() / "notes.txt",
                   png = temp.path() / "scan", bmp = temp.path() / "broken.bmp", missing = temp.path() / "gone.jpg";
    fs::create_directory(folder);
    std::ofstream(text) << "not a picture";
    std::ofstream(png, std::ios::binary) << "\x89PNG\r\n\x1A\n...";
    std::ofstream(bmp, std::ios::binary) << "damaged";  // the loader, not the drop, says why
    std::vector<fs::path> refused{folder, text, missing};
#ifndef _WIN32
    const fs::path pipe = temp.path() / "pipe.jpg";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    refused.push_back(pipe);  // opening it would wait for a writer
#endif
    EXPECT_EQ(app::picture_to_take(refused), std::nullopt);
    EXPECT_EQ(app::picture_to_take({}), std::nullopt);
    refused.push_back(png);
    refused.push_back(bmp);
    EXPECT_EQ(app::picture_to_take(refused), png);
    EXPECT_EQ(app::picture_to_take({text, bmp, png}), bmp);
}

}  // namespace
}  // namespace morvane::testing
