// Where config.dat lives on Windows: beside a program whose folder can be written, and for an installed
// program (one with the setup program's uninstaller beside it) in %APPDATA%\Morvane, read as the wide
// variable so that a user name in any alphabet survives.
#ifdef _WIN32
#include "app/core/settings_location.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;

// APPDATA set for the test's length.
class AppData {
public:
    explicit AppData(const std::wstring& value) {
        if (const wchar_t* old = _wgetenv(L"APPDATA")) before_ = old;
        _wputenv_s(L"APPDATA", value.c_str());
    }
    ~AppData() { _wputenv_s(L"APPDATA", before_ ? before_->c_str() : L""); }

private:
    std::optional<std::wstring> before_;
};

}  // namespace

TEST(SettingsLocationOnWindows, AWritableProgramFolderKeepsItAndAnInstalledProgramUsesAppData) {
    TempFolder temp;
    const fs::path bin = temp.path() / "Morvane";  // a portable copy, or a per-user install that can be written
    fs::create_directories(bin);
    EXPECT_EQ(app::settings_folder_for(bin), bin);
    EXPECT_EQ(std::distance(fs::directory_iterator(bin), {}), 0) << "the probe file is gone again";

    std::ofstream(bin / "config.dat") << "C:\\Games\\cstrike\\materials\\console\r\n";
    std::ofstream(bin / app::kWindowsUninstaller) << "MZ";  // what the setup program leaves beside the programs
    const fs::path roaming = temp.path() / L"Users" / L"\u0417\u043e\u044f" / L"AppData" / L"Roaming";  // "Зоя"
    const AppData appdata(roaming.wstring());
    EXPECT_EQ(app::settings_folder_for(bin), roaming / "Morvane")
        << "installed: even a config.dat left beside the programs is not the player's";
}

}  // namespace morvane::testing
#endif
