// The key-value reader on the shape of Steam's own files and on the faults a real file can have. Random and
// damaged texts are the fuzz target's (tests/fuzz/key_values_fuzz.cpp).
#include "app/core/key_values.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

using ::testing::HasSubstr;

using app::parse_key_values;

TEST(KeyValues, ReadsQuotedAndBareTokensBlocksCommentsAndEscapesWithKeysInAnyCase) {
    const auto read = parse_key_values("// by Steam\n\"Library\" {\n  1 \"D:\\\\Games\"  // a comment\n"
                                       "  \"2\" \"say \\\"hi\\\"\\n\\tand \\q\"\n  bare{inner value}\n}\n");
    ASSERT_TRUE(read.ok && read.value.children.size() == 1 && read.value.find("LIBRARY")) << read.error;
    const app::KeyValue& list = *read.value.find("library");
    EXPECT_EQ(list.text_of("1"), "D:\\Games");
    EXPECT_EQ(list.text_of("2"), "say \"hi\"\n\tand \\q") << "an unknown escape keeps its backslash";
    EXPECT_EQ(list.find("Bare") ? list.find("Bare")->text_of("inner") : "", "value");
    EXPECT_TRUE(list.is_block && list.text_of("bare").empty() && !list.find("3") && parse_key_values("").ok);
}

std::string repeated(const std::string& text, int times) {
    std::string out;
    while (times-- > 0) out += text;
    return out;
}

// A key with a NUL or another control byte in it is shown whole, each such byte as \xNN, never cut short at
// the NUL or left to move the terminal's cursor. Keys take memory in proportion to the text: "a{}" over and
// over, three bytes per key, is refused rather than grown into hundreds of megabytes.
TEST(KeyValues, EachFaultOfAFileIsReportedWithItsLineAndGivesNoTree) {
    const std::pair<std::string, std::string> cases[] = {
        {"\"a\"\n{\n\"b\" \"c\n", "line 3: the quoted text has no closing quote"},
        {"\"a\"\n{\n\"b\" \"c\"\n", "line 4: the file ends inside a { } block"},
        {"\"a\" \"b\"\n}\n", "line 2: a } closes no block"},
        {"{ \"a\" \"b\" }", "line 1: a { block has no key before it"},
        {"\"a\"", "line 1: the key \"a\" has no value (the file ends)"},
        {repeated("k{", 65) + repeated("}", 65), "line 1: blocks are nested more than 64 deep"},
        {std::string("\"lib\0rary\x1B[2J\" }", 17), "line 1: the key \"lib\\x00rary\\x1B[2J\" has no value before the }"},
        {repeated("a{}", 400000), "it holds far more keys than its size allows for any file Steam writes"},
    };
    for (const auto& [text, error] : cases) {
        const auto read = parse_key_values(text);
        EXPECT_FALSE(read.ok) << text.substr(0, 80);
        EXPECT_THAT(read.error, HasSubstr(error));
        EXPECT_TRUE(read.value.children.empty());
    }
    EXPECT_TRUE(parse_key_values(repeated("k{", 64) + repeated("}", 64)).ok) << "64 levels are allowed";
    // A reader that keeps only the keys it needs reads any number of others at no cost.
    const auto skipped = parse_key_values(repeated("a{}", 400000), [](int, std::string_view key) { return key != "a"; });
    EXPECT_TRUE(skipped.ok && skipped.value.children.empty()) << skipped.error;
}

}  // namespace
}  // namespace morvane::testing
