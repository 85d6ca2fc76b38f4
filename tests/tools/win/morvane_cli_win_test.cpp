// morvane-cli.exe as a player on Windows runs it: pictures and folders named in other alphabets, a
// texture the game holds open.
#include "tests/platform/win/pictures/wic_pictures.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct CliRun {
    DWORD exit_code = 0xFFFFFFFF;
    std::string output;  // standard output and standard error together
};

fs::path cli_program() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / "morvane-cli.exe";
}

fs::path utf8_path(const char8_t* name) { return fs::path(std::u8string(name)); }

// Runs morvane-cli.exe with the arguments (each quoted) and its output in a file.
CliRun run(const std::vector<std::wstring>& args, const fs::path& log) {
    std::wstring command = L"\"" + cli_program().wstring() + L"\"";
    for (const std::wstring& a : args) command += L" \"" + a + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE out = CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    CliRun result;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &result.exit_code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    std::ifstream in(log, std::ios::binary);
    result.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return result;
}

struct CliOnWindows : ::testing::Test {
    CliRun cli(const std::vector<std::wstring>& args) { return run(args, folder / "output.txt"); }
    const morvane::testing::TempFolder temp;
    const fs::path& folder = temp.path();
};

}  // namespace

// A picture whose name and folder are in Cyrillic, Japanese and accented Latin: the textures are written
// where asked, and inspect reads them back whole. Which formats the system decodes is the picture loader's
// tests' business.
TEST_F(CliOnWindows, MakeWritesTexturesFromAPictureNamedInAnyAlphabetAndInspectReadsThemBack) {
    const fs::path source = folder / utf8_path(u8"фото café.jpg"), out = folder / utf8_path(u8"コンソール é");
    ASSERT_TRUE(morvane::testing::write_with_system_encoder(source, morvane::testing::pattern(300, 200),
                                                            GUID_ContainerFormatJpeg));
    fs::create_directories(out);
    const CliRun made = cli({L"make", source.wstring(), L"--size", L"1024", L"--out", out.wstring()});
    ASSERT_EQ(made.exit_code, 0u) << made.output;
    EXPECT_THAT(made.output, HasSubstr("(300 x 200)"));
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 4) << "both screen shapes' texture and material";
    const CliRun inspected = cli({L"inspect", (out / "background01_widescreen.vtf").wstring()});
    EXPECT_EQ(inspected.exit_code, 0u) << inspected.output;
    EXPECT_THAT(inspected.output, HasSubstr("The sizes add up"));
    EXPECT_THAT(inspected.output, HasSubstr("width         1024"));
}

// Not a console: one line per level (Windows' CR LF), no bare carriage return redrawing a bar. A texture the
// game holds open is the file replacement's tests' business.
TEST_F(CliOnWindows, OutputToAFileGetsOneLinePerLevelAndAnEncoderThisBuildLacksIsRefused) {
    const fs::path out = folder / "out";
    fs::create_directories(out);
    const CliRun made = cli({L"make", L"--size", L"1024", L"--out", out.wstring()});
    ASSERT_EQ(made.exit_code, 0u) << made.output;
    EXPECT_THAT(made.output, HasSubstr("Compressing levels [##                      ] 1/11\r\n"));
    EXPECT_THAT(made.output, HasSubstr("Compressing levels [########################] 11/11\r\n"));
    for (size_t at = made.output.find('\r'); at != std::string::npos; at = made.output.find('\r', at + 1))
        ASSERT_EQ(made.output[at + 1], '\n') << made.output;

    const CliRun squish = cli({L"make", L"--size", L"1024", L"--out", out.wstring(), L"--encoder", L"squish"});
    EXPECT_EQ(squish.exit_code, 2u);
    EXPECT_THAT(squish.output, HasSubstr("this build has no libsquish"));
}
