// config.dat: where it lives (beside a portable copy or a build tree, in the user's settings folder for an
// installed program, on each desktop system) and the one remembered folder it holds, read back exactly as it
// was written, in whatever alphabet; it and background01.vmt on a disk that fills up halfway through them.
// On Windows, the real machine's answer: %APPDATA% read as the wide variable, so that a user name in any
// alphabet survives.
#include "app/core/material_file.h"
#include "app/core/settings_file.h"
#include "app/core/settings_location.h"
#include "app/core/utf8_path.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#include <cstdlib>
#include <map>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

TEST(SettingsFile, TheFolderComesBackAsWrittenAndOnlyTheFirstLineCounts) {
    TempFolder temp;
    const std::string folder = "/games/Counter-Strike Source/cstrike/materials/console";
    const fs::path user = temp / "home" / ".config" / "morvane";  // the first write makes it
    ASSERT_TRUE(app::write_config(user, folder).ok);
    EXPECT_EQ(read_bytes(app::config_file(user)), folder + "\r\n");
    EXPECT_EQ(app::read_config(user).value, folder);
    // A file where a folder belongs is named.
    EXPECT_THAT(app::write_config(app::config_file(user) / "morvane", "x").error, HasSubstr("config.dat"));
    write_bytes(app::config_file(temp.path()), "first\r\nsecond\r\n");  // relative: beside config.dat, not the current folder
    EXPECT_EQ(app::read_config(temp.path()).value, app::utf8_from_path((temp.path() / "first").lexically_normal()));
    // Each means "not located yet", and says why.
    for (const auto& [bytes, why] : {std::pair{std::string("\0/games/console\r\n", 18), "it holds a control character"},
                                     {std::string("/games/\x1B[2Jconsole"), "it holds a control character"},
                                     {std::string("\r\n"), "it names no folder"}}) {
        write_bytes(app::config_file(temp.path()), bytes);
        EXPECT_EQ(app::read_config(temp.path()).error.rfind(why, 0), 0u) << app::read_config(temp.path()).error;
    }
    EXPECT_EQ(app::read_config(temp.path() / "nowhere").error, "it does not exist");
}

#ifdef _WIN32
// On a Western European system (the ANSI code page 1252, as this test's Wine prefix has), a folder with
// accents is stored in the ANSI code page, as an older, ANSI-only program wrote it too; Cyrillic and Japanese
// have no place in code page 1252: such a path is never stored with question marks or look-alike letters, but
// whole, as UTF-8 behind a byte-order mark. Each reads back as it was.
TEST(SettingsOnWindows, AFolderIsStoredInTheAnsiCodePageWhereItFitsAndConfigDatGoesToAppDataWhenInstalled) {
    ASSERT_EQ(GetACP(), 1252u) << "these cases are written for code page 1252";
    TempFolder temp;
    const std::pair<std::string, std::string> stored[] = {
        {"D:\\Caf\xC3\xA9 Cr\xC3\xA8me\\console", "D:\\Caf\xE9 Cr\xE8me\\console\r\n"},  // "Café Crème"
        {"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\console", ""},                      // "Игры"
        {"C:\\Caf\xC3\xA9 \xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\\console", ""}};       // "Café ゲーム"
    for (const auto& [folder, bytes] : stored) {
        ASSERT_TRUE(app::write_config(temp.path(), folder).ok);
        EXPECT_EQ(read_bytes(app::config_file(temp.path())), bytes.empty() ? "\xEF\xBB\xBF" + folder + "\r\n" : bytes);
        EXPECT_EQ(app::read_config(temp.path()).value, folder);
    }
    write_bytes(app::config_file(temp.path()), "C:\\Spiele\\M\xFCller\r\n");
    EXPECT_EQ(app::read_config(temp.path()).value, "C:\\Spiele\\M\xC3\xBCller");

    // config.dat stays beside a program whose folder can be written and goes to %APPDATA% for an installed one.
    const fs::path bin = temp / "Morvane";  // a portable copy, or a per-user install that can be written
    fs::create_directories(bin);
    EXPECT_EQ(app::settings_folder_for(bin), bin);
    EXPECT_TRUE(fs::is_empty(bin)) << "the probe file is gone again";

    write_bytes(bin / "config.dat", "C:\\Games\\cstrike\\materials\\console\r\n");
    write_bytes(bin / app::kWindowsUninstaller, "MZ");  // what the setup program leaves beside the programs
    const fs::path roaming = temp / L"Users" / L"\u0417\u043e\u044f" / L"AppData" / L"Roaming";  // "Зоя"
    const std::wstring before = _wgetenv(L"APPDATA") ? _wgetenv(L"APPDATA") : L"";
    _wputenv_s(L"APPDATA", roaming.c_str());
    EXPECT_EQ(app::settings_folder_for(bin), roaming / "Morvane")
        << "installed: even a config.dat left beside the programs is not the player's";
    _wputenv_s(L"APPDATA", before.c_str());
}
#else  // the cases are written in POSIX paths; every system's rules (Windows' too) are run where those are absolute
using System = app::DesktopSystem;
using Env = std::map<std::string, fs::path>;

TEST(SettingsLocation, ConfigDatStaysBesideAWritableOrKeepingProgramElseGoesToEachSystemsUserFolder) {
    // APPDATA is C:\Users\Ana\AppData\Roaming on Windows; here it takes this system's absolute form.
    const Env ana{{"HOME", "/home/ana"}, {"APPDATA", "/Users/Ana/AppData/Roaming"}};
    TempFolder kept, blocked, writable;
    write_bytes(kept / "config.dat", "/games/cs/cstrike/materials/console\r\n");
    fs::create_directory(blocked / "config.dat");  // a folder of that name counts as none
    const struct { fs::path program; System system; Env variables; bool can_write, installed; fs::path expected; } cases[] = {
        {"/usr/bin", System::Freedesktop, ana, false, false, "/home/ana/.config/morvane"},
        {"/usr/bin", System::MacOS, ana, false, false, "/home/ana/Library/Application Support/Morvane"},
        {"/usr/bin", System::Windows, ana, false, false, "/Users/Ana/AppData/Roaming/Morvane"},
        {"/usr/bin", System::Freedesktop, {{"HOME", "/h"}, {"XDG_CONFIG_HOME", "/srv"}}, false, false, "/srv/morvane"},
        // Not absolute: ignored, as the XDG rules say; with no user folder at all, the program folder.
        {"/usr/bin", System::Freedesktop, {{"HOME", "/h"}, {"XDG_CONFIG_HOME", "srv"}}, false, false, "/h/.config/morvane"},
        {"/usr/bin", System::Windows, {{"HOME", "/home/ana"}}, false, false, "/usr/bin"},
        {kept.path(), System::Freedesktop, ana, false, false, kept.path()},
        {blocked.path(), System::Freedesktop, ana, false, false, "/home/ana/.config/morvane"},
        {writable.path(), System::Windows, ana, true, false, writable.path()},  // a build tree or a portable copy
        // Not the user's even for an administrator who may write there; a signed bundle is never written into.
        {writable.path(), System::Freedesktop, ana, true, true, "/home/ana/.config/morvane"},
        {"/Applications/Morvane.app/Contents/MacOS", System::MacOS, ana, true, false, "/home/ana/Library/Application Support/Morvane"},
    };
    for (const auto& c : cases) {
        const auto environment = [&](const char* name) { return c.variables.count(name) ? c.variables.at(name) : fs::path(); };
        const auto can_write = [&](const fs::path& folder) { return folder == c.program && c.can_write; };
        EXPECT_EQ(app::settings_folder({c.program, c.installed, c.system, environment, can_write}), c.expected) << c.program;
    }
}

TEST(SettingsLocation, AnInstalledProgramIsKnownByItsDesktopEntryOrItsUninstallerFile) {
    TempFolder root;
    const fs::path bin = root / "usr" / "bin", folder = root / "Morvane";
    fs::create_directories(bin);
    write_bytes(folder / "morvane.exe", "MZ");
    EXPECT_FALSE(app::installed_program(bin)) << "a build tree has no desktop entry above it";
    EXPECT_FALSE(app::installed_program(folder, System::Windows)) << "a portable copy";
    write_bytes(folder / app::kWindowsUninstaller, "MZ");
    write_bytes(root / "usr" / "share" / "applications" / "morvane.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(app::installed_program(folder, System::Windows) && app::installed_program(bin, System::Freedesktop));
    EXPECT_TRUE(app::folder_can_be_written(root.path()) && !app::folder_can_be_written(root / "missing"));
    EXPECT_FALSE(app::folder_can_be_written(folder / app::kWindowsUninstaller)) << "a file is no folder";
    EXPECT_EQ(root.names(), (std::vector<std::string>{"Morvane", "usr"})) << "the probe file is gone again";
}

// The old file stays byte for byte, nothing half-written is left beside it, and the message names the file
// and the reason.
TEST(SettingsFilesOnAFullDisk, ConfigDatKeepsItsOldFolderAndTheMaterialFileIsNotLeftCutOff) {
    TempFolder folder;
    const std::string old_config = "/games/old/cstrike/materials/console\r\n";
    write_bytes(folder / "config.dat", old_config);
    const std::string config_error = with_file_size_limit(10, [&] {
        return app::write_config(folder.path(), "/games/new/cstrike/materials/console").error;
    });
    EXPECT_EQ(config_error, "Could not write " + (folder / "config.dat").string() + ": File too large");
    EXPECT_EQ(read_bytes(folder / "config.dat"), old_config);
    const std::string material_error = with_file_size_limit(50, [&] { return app::write_vmt(folder.path()).error; });
    EXPECT_THAT(material_error, HasSubstr("background01.vmt\": File too large"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"config.dat"});
}

#endif

}  // namespace
}  // namespace morvane::testing
