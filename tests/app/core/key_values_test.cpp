// The key-value reader on Steam's own files, on the faults a real file can have, and on every truncation
// of a real file. Random and damaged texts are the fuzz target's (tests/fuzz/key_values_fuzz.cpp).
#include "app/core/key_values.h"
#include "tests/app/core/fake_steam.h"

#include <gtest/gtest.h>


namespace morvane::testing {
namespace {

using app::parse_key_values;

TEST(KeyValues, ReadsQuotedAndBareTokensBlocksCommentsAndEscapesWithKeysInAnyCase) {
    const auto read = parse_key_values(
        "// written by Steam\n"
        "\"LibraryFolders\" {\n"
        "  \"TimeNextStatsReport\" \"1700000000\"  // stats\n"
        "  1 \"D:\\\\Games\\\\Steam Library\"\n"
        "  \"2\" \"say \\\"hi\\\"\\n\\tand \\q\"\n"
        "  bare{inner value}\n"
        "}\n");
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.value.children.size(), 1u);
    const app::KeyValue* list = read.value.find("libraryfolders");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->is_block);
    EXPECT_EQ(list->text_of("timenextstatsreport"), "1700000000");
    EXPECT_EQ(list->text_of("1"), "D:\\Games\\Steam Library");
    EXPECT_EQ(list->text_of("2"), "say \"hi\"\n\tand \\q") << "an unknown escape keeps its backslash";
    const app::KeyValue* bare = list->find("BARE");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->text_of("inner"), "value");
    EXPECT_EQ(list->text_of("bare"), "") << "a block has no text";
    EXPECT_EQ(list->find("3"), nullptr);
}

std::string repeated(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}
std::string nested(int levels) { return repeated("k{", levels) + std::string(size_t(levels), '}'); }

// A key with a NUL or another control byte in it is shown whole, each such byte as \xNN, never cut short at
// the NUL or left to move the terminal's cursor. Keys take memory in proportion to the text: "a{}" over and
// over, three bytes per key, is refused rather than grown into hundreds of megabytes.
TEST(KeyValues, EachFaultOfAFileIsReportedWithItsLineAndGivesNoTree) {
    const std::pair<std::string, std::string> cases[] = {
        {"\"a\"\n{\n\"b\" \"c\n", "line 3: the quoted text has no closing quote"},
        {"\"a\"\n{\n\"b\" \"c\"\n", "line 4: the file ends inside a { } block"},
        {"\"a\" \"b\"\n}\n", "line 2: a } closes no block"},
        {"{ \"a\" \"b\" }", "line 1: a { block has no key before it"},
        {"\"a\" { \"b\" }", "line 1: the key \"b\" has no value before the }"},
        {"\"a\"", "line 1: the key \"a\" has no value (the file ends)"},
        {nested(100000), "line 1: blocks are nested more than 64 deep"},
        {std::string("\"lib\0rary\x1B[2J\" }", 17), "line 1: the key \"lib\\x00rary\\x1B[2J\" has no value before the }"},
        {repeated("a{}", 400000), "it holds far more keys than its size allows for any file Steam writes"},
    };
    for (const auto& [text, error] : cases) {
        const auto read = parse_key_values(text);
        EXPECT_FALSE(read.ok) << text;
        EXPECT_NE(read.error.find(error), std::string::npos) << read.error;
        EXPECT_TRUE(read.value.children.empty());
    }
    EXPECT_TRUE(parse_key_values(nested(64)).ok) << "64 levels are allowed";
    EXPECT_TRUE(parse_key_values("").ok) << "an empty file is a file without keys";
}

// Every cut of Steam's file before its last brace is a fault, never a crash, a hang or a read past the text.
TEST(KeyValues, EveryTruncationOfARealFileEndsInAResultWithItsLine) {
    FakeSteam steam{"/home/player"};
    const std::string whole = steam.library_folders() + app_manifest("Counter-Strike Source");
    const size_t first_end = steam.library_folders().rfind('}') + 1, last_end = whole.rfind('}') + 1;
    for (size_t length = 0; length <= whole.size(); ++length) {
        // Copied, so that a read past the end is a read past an allocation (sanitizers see it).
        const std::string cut = whole.substr(0, length);
        const auto read = parse_key_values(cut);
        const bool complete = length == 0 || length >= last_end ||
                              (length >= first_end && whole.find_first_not_of(" \t\n", first_end) >= length);
        EXPECT_EQ(read.ok, complete) << "cut at " << length << ": " << read.error;
        if (!read.ok) {
            EXPECT_EQ(read.error.rfind("line ", 0), 0u) << read.error;
        }
    }
}

TEST(KeyValues, WholeUtf8PassesIntoMessagesAndBrokenBytesDoNot) {
    EXPECT_EQ(app::visible("caf\xC3\xA9 \xFF\x7F"), "caf\xC3\xA9 \\xFF\\x7F");
}

// A reader that keeps only the keys it needs reads a file of far more keys than its size allows at no cost.
TEST(KeyValues, AFileOfFarMoreKeysThanItsSizeAllowsIsReadWhenItsKeysAreNotKept) {
    const auto skipped = parse_key_values(repeated("a{}", 400000), [](int, std::string_view key) { return key != "a"; });
    EXPECT_TRUE(skipped.ok) << skipped.error;
    EXPECT_TRUE(skipped.value.children.empty());
}

}  // namespace
}  // namespace morvane::testing
