// morvane-cli.exe as a player on Windows runs it and as Explorer reads it: pictures and folders named in other
// alphabets, output to a file, and its version, icon and manifest.
#include "tests/platform/win/pictures/wic_pictures.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

fs::path cli_program() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / "morvane-cli.exe";
}

struct CliOnWindows : ::testing::Test {
    // Runs morvane-cli.exe with the arguments (each quoted); its exit code and its output and errors together.
    std::pair<DWORD, std::string> cli(const std::vector<std::wstring>& args) {
        std::wstring command = L"\"" + cli_program().wstring() + L"\"";
        for (const std::wstring& a : args) command += L" \"" + a + L"\"";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const HANDLE out = CreateFileW((temp / "output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = out;
        PROCESS_INFORMATION process{};
        DWORD exit_code = 0xFFFFFFFF;
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            WaitForSingleObject(process.hProcess, INFINITE);
            GetExitCodeProcess(process.hProcess, &exit_code);
            CloseHandle(process.hThread), CloseHandle(process.hProcess);
        }
        CloseHandle(out);
        return {exit_code, morvane::testing::read_bytes(temp / "output.txt")};
    }
    const morvane::testing::TempFolder temp;
};

}  // namespace

// Which formats the system decodes is the picture loader's tests' business; here the names in Cyrillic,
// Japanese and accented Latin reach the files. Not a console: one line per level (CR LF), no bare carriage
// return redrawing a bar.
TEST_F(CliOnWindows, MakesFromAndIntoNamesInAnyAlphabetWritingOneLinePerLevel) {
    const fs::path source = temp / std::u8string(u8"фото café.jpg"), out = temp / std::u8string(u8"コンソール é");
    ASSERT_TRUE(morvane::testing::write_with_system_encoder(source, morvane::testing::pattern(300, 200), GUID_ContainerFormatJpeg));
    fs::create_directories(out);
    const auto [made, said] = cli({L"make", source.wstring(), L"--size", L"1024", L"--out", out.wstring()});
    ASSERT_EQ(made, 0u) << said;
    EXPECT_THAT(said, HasSubstr("(300 x 200)"));
    EXPECT_THAT(said, HasSubstr("Compressing levels [########################] 11/11\r\n"));
    for (size_t at = said.find('\r'); at != std::string::npos; at = said.find('\r', at + 1)) ASSERT_EQ(said[at + 1], '\n') << said;
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 4) << "both screen shapes' texture and material";
    const auto [inspected, told] = cli({L"inspect", (out / "background01_widescreen.vtf").wstring()});
    EXPECT_EQ(inspected, 0u) << told;
    EXPECT_THAT(told, HasSubstr("width         1024"));
    const auto [refused, why] = cli({L"make", L"--out", out.wstring(), L"--encoder", L"squish"});
    EXPECT_EQ(refused, 2u);
    EXPECT_THAT(why, HasSubstr("this build has no libsquish"));
}

// What Explorer shows: the product and version; what the system reads: the icon (resource type 14) and the
// manifest (24) asking for the version 6 controls and the screen's own dots per inch.
TEST(ProgramResources, TheCommandLineNamesItsProductAndVersionAndCarriesItsIconAndManifest) {
    const fs::path cli = cli_program();
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(cli.c_str(), &ignored));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoW(cli.c_str(), 0, DWORD(block.size()), block.data()));
    for (const auto& [name, expected] : {std::pair{L"ProductName", L"Morvane"}, {L"FileVersion", L"" MORVANE_VERSION_W},
                                        {L"OriginalFilename", L"morvane-cli.exe"}}) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
        EXPECT_EQ(std::wstring(value), expected);
    }
    HMODULE module = LoadLibraryExW(cli.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)), nullptr) << "the icon";
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "the manifest";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found));
    FreeLibrary(module);
    EXPECT_THAT(manifest, HasSubstr("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_THAT(manifest, HasSubstr(">PerMonitorV2</dpiAwareness>"));
    EXPECT_THAT(manifest, HasSubstr("level=\"asInvoker\""));
}
