// Finding Counter-Strike: Source on Windows as Steam records it there: Steam's folder in the registry (the
// test writes the keys, and puts back what was there), its libraryfolders.vdf naming a second library with
// a Windows path whose backslashes are escaped.
#ifdef _WIN32
#include "app/core/steam_library.h"
#include "tests/app/core/fake_steam.h"
#include "tests/support/temp_folder.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

namespace morvane::testing {
namespace {

// One registry string value set for the test's length; the value that was there before comes back after.
class RegistryValue {
public:
    RegistryValue(HKEY root, const wchar_t* key, const wchar_t* name) : root_(root), key_(key), name_(name) {
        DWORD bytes = 0;
        if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) == ERROR_SUCCESS) {
            std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
            DWORD size = DWORD(text.size() * sizeof(wchar_t));
            if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) == ERROR_SUCCESS)
                before_ = std::wstring(text.c_str());
        }
    }
    ~RegistryValue() {
        if (before_) set(*before_);
        else RegDeleteKeyValueW(root_, key_, name_);
    }
    bool set(const std::wstring& text) const {
        return RegSetKeyValueW(root_, key_, name_, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }
    void remove() const { RegDeleteKeyValueW(root_, key_, name_); }

private:
    HKEY root_;
    const wchar_t* key_;
    const wchar_t* name_;
    std::optional<std::wstring> before_;
};

// A path as Steam writes it into libraryfolders.vdf: UTF-8, backslashes doubled.
std::string vdf_path(const fs::path& path) {
    const std::u8string u8 = path.u8string();
    std::string text = "\"";
    for (char8_t c : u8) text += c == u8'\\' ? std::string("\\\\") : std::string(1, char(c));
    return text + "\"";
}

}  // namespace

TEST(SteamOnWindows, TheRegistryLeadsToSteamAndItsLibraryListToTheGameInASecondLibrary) {
    TempFolder root;
    const fs::path steam = root.path() / u8"Steam Zoë";  // as under a user folder with an accent
    const fs::path library = root.path() / u8"Bibliothèque Steam";  // a name outside ASCII
    const fs::path game = library / "steamapps" / "common" / "Counter-Strike Source";
    write_bytes(steam / "steamapps" / "libraryfolders.vdf",
               "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t" + vdf_path(steam) +
                   "\n\t\t\"apps\"\n\t\t{\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t" + vdf_path(library) +
                   "\n\t\t\"apps\"\n\t\t{\n\t\t\t\"240\"\t\t\"4472356182\"\n\t\t}\n\t}\n}\n");
    write_bytes(library / "steamapps" / "appmanifest_240.acf", app_manifest("Counter-Strike Source"));
    fs::create_directories(game / "cstrike" / "materials");

    // Steam writes SteamPath with forward slashes, the machine-wide InstallPath with backslashes.
    std::wstring forward = steam.wstring();
    for (wchar_t& c : forward)
        if (c == L'\\') c = L'/';
    const RegistryValue user(HKEY_CURRENT_USER, L"Software\\Valve\\Steam", L"SteamPath");
    const RegistryValue machine(HKEY_LOCAL_MACHINE, L"SOFTWARE\\WOW6432Node\\Valve\\Steam", L"InstallPath");
    ASSERT_TRUE(user.set(forward));
    ASSERT_TRUE(machine.set(steam.wstring()));

    // Which key wins and the fallback after them are the core's rules (SteamPlaces); here, that each is read.
    const app::SteamSurroundings here = app::this_computer();
    EXPECT_EQ(app::find_counter_strike_source(here).game_folders, std::vector<fs::path>{game});
    user.remove();
    EXPECT_EQ(app::find_counter_strike_source(here).game_folders, std::vector<fs::path>{game});
}

}  // namespace morvane::testing
#endif
