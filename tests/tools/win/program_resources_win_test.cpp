// What Explorer and the system read from the programs themselves: the version, the product's name, the icon
// and the manifest that asks for the version 6 controls and the screen's own dots per inch.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

fs::path beside_tests(const wchar_t* program) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / program;
}

std::wstring version_string(const fs::path& program, const wchar_t* name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0) return L"(no version resource)";
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(program.c_str(), 0, size, block.data())) return L"(unreadable)";
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) return L"(absent)";
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

// `type` is a resource type number (14 an icon group, 24 a manifest).
std::string resource_text(const fs::path& program, LPCWSTR type, int id) {
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return "(not loadable)";
    std::string text = "(absent)";
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type))
        if (HGLOBAL data = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

TEST(ProgramResources, TheCommandLineNamesItsProductAndVersion) {
    const fs::path cli = beside_tests(L"morvane-cli.exe");
    EXPECT_EQ(version_string(cli, L"ProductName"), L"Morvane");
    EXPECT_EQ(version_string(cli, L"FileVersion"), L"" MORVANE_VERSION_W);
    EXPECT_EQ(version_string(cli, L"OriginalFilename"), L"morvane-cli.exe");
}

TEST(ProgramResources, TheCommandLineCarriesTheIconAndAManifestForControlsSixAndTheScreensDpi) {
    const fs::path cli = beside_tests(L"morvane-cli.exe");
    EXPECT_NE(resource_text(cli, MAKEINTRESOURCEW(14), 1), "(absent)");
    const std::string manifest = resource_text(cli, MAKEINTRESOURCEW(24), 1);
    EXPECT_THAT(manifest, HasSubstr("Microsoft.Windows.Common-Controls"));
    EXPECT_THAT(manifest, HasSubstr("version=\"6.0.0.0\""));
    EXPECT_THAT(manifest, HasSubstr("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2</dpiAwareness>"));
    EXPECT_THAT(manifest, HasSubstr(">true</dpiAware>"));
    EXPECT_THAT(manifest, HasSubstr("level=\"asInvoker\""));
}

}  // namespace
