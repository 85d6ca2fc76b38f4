// A name in a message: whole when short; past a few hundred bytes its two ends around "...", never half a character.
#include "platform/outcome.h"

#include <gtest/gtest.h>

namespace {

TEST(ShownInMessage, AHugeNameKeepsItsEndsInAFewHundredBytesAndSplitsNoCharacter) {
    EXPECT_EQ(morvane::shown_in_message("/games/cs/console"), "/games/cs/console");
    const std::string huge = "/home/\xC3\xBC" + std::string(16 << 20, 'x') + "/libraryfolders.vdf";
    const std::string shown = morvane::shown_in_message(huge);
    EXPECT_LE(shown.size(), 303u);
    EXPECT_TRUE(shown.starts_with("/home/\xC3\xBC") && shown.ends_with("x/libraryfolders.vdf")) << shown;
    EXPECT_NE(shown.find("..."), std::string::npos);
    EXPECT_EQ(morvane::shown_in_message(std::string(149, 'a') + "\xC3\xBC" + std::string(300, 'b')).substr(149, 3),
              "...") << "the character astride the cut goes whole";
}

}  // namespace
