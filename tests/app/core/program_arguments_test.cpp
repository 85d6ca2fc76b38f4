// The window program's command line: one picture, or the version, or the usage.
#include "app/core/program_arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane::testing {
namespace {

TEST(ProgramArguments, OnePictureOrTheVersionOrTheUsageAnythingElseIsRefused) {
    using Kind = app::ProgramArguments::Kind;
    const struct { std::vector<std::string_view> arguments; Kind kind; std::string picture, problem; } cases[] = {
        {{}, Kind::Run, "", ""},
        {{"/home/ana/Pictures/sea.jpg"}, Kind::Run, "/home/ana/Pictures/sea.jpg", ""},
        {{"--", "-dash.jpg"}, Kind::Run, "-dash.jpg", ""},  // after -- a name may start with a dash
        {{"sea.jpg", "--version"}, Kind::Version, "", ""},
        {{"--help"}, Kind::Help, "", ""},
        {{"--fullscreen"}, Kind::Run, "", "unknown option \"--fullscreen\""},
        {{"a.jpg", "b.jpg"}, Kind::Run, "", "only one picture can be opened (\"a.jpg\" and \"b.jpg\")"},
        {{""}, Kind::Run, "", "an empty picture name was given"},
    };
    for (const auto& c : cases) {
        const auto parsed = app::parse_program_arguments(c.arguments);
        EXPECT_EQ(parsed.error, c.problem);
        EXPECT_TRUE(!parsed.ok || (parsed.value.kind == c.kind && parsed.value.picture == c.picture)) << c.picture;
    }
}

}  // namespace
}  // namespace morvane::testing
