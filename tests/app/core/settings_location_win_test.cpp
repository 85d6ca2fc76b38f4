// Where config.dat lives on Windows: beside a program whose folder can be written, and for an installed
// program in %APPDATA%\Morvane, read as the wide variable so that a user name in any alphabet survives.
#ifdef _WIN32
#include "app/core/settings_location.h"
#include "tests/app/temp_folder.h"

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
    const fs::path bin = temp.path() / "Morvane" / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(app::settings_folder_for(bin), bin);
    EXPECT_EQ(std::distance(fs::directory_iterator(bin), {}), 0) << "the probe file is gone again";

    fs::create_directories(temp.path() / "Morvane" / "share" / "applications");
    std::ofstream(temp.path() / "Morvane" / "share" / "applications" / "morvane.desktop") << "[Desktop Entry]\n";
    const fs::path roaming = temp.path() / L"Users" / L"\u0417\u043e\u044f" / L"AppData" / L"Roaming";  // "Зоя"
    const AppData appdata(roaming.wstring());
    EXPECT_EQ(app::settings_folder_for(bin), roaming / "Morvane");
}

}  // namespace morvane::testing
#endif
