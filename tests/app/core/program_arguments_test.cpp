// The window program's command line: one picture, or the version, or the usage.
#include "app/core/program_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace morvane::testing {
namespace {

TEST(ProgramArguments, OnePictureOrTheVersionOrTheUsageAnythingElseIsRefused) {
    using Kind = app::ProgramArguments::Kind;
    const struct {
        std::vector<std::string_view> arguments;
        Kind kind;
        std::string picture;
    } taken[] = {
        {{}, Kind::Run, ""},
        {{"/home/ana/Pictures/sea.jpg"}, Kind::Run, "/home/ana/Pictures/sea.jpg"},
        {{"--", "-dash.jpg"}, Kind::Run, "-dash.jpg"},  // after -- a name may start with a dash
        {{"--", "--version"}, Kind::Run, "--version"},
        {{"sea.jpg", "--version"}, Kind::Version, ""},
        {{"--help"}, Kind::Help, ""},
        {{"-h"}, Kind::Help, ""},
    };
    for (const auto& c : taken) {
        SCOPED_TRACE(c.picture);
        const auto parsed = app::parse_program_arguments(c.arguments);
        ASSERT_TRUE(parsed.ok) << parsed.error;
        EXPECT_EQ(parsed.value.kind, c.kind);
        EXPECT_EQ(parsed.value.picture, c.picture);
    }
    const struct {
        std::vector<std::string_view> arguments;
        std::string problem;
    } refused[] = {
        {{"--fullscreen"}, "unknown option \"--fullscreen\""},
        {{"a.jpg", "b.jpg"}, "only one picture can be opened (\"a.jpg\" and \"b.jpg\")"},
        {{""}, "an empty picture name was given"},
    };
    for (const auto& c : refused) EXPECT_EQ(app::parse_program_arguments(c.arguments).error, c.problem);
}

}  // namespace
}  // namespace morvane::testing
