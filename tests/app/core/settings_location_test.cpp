// Where config.dat lives: beside a portable copy or a build tree, in the user's settings folder for an
// installed program, on each desktop system; and config.dat and background01.vmt on a disk that fills up
// halfway through them.
#include "app/core/material_file.h"
#include "app/core/settings_file.h"
#include "app/core/settings_location.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

// The cases are written in POSIX paths; every system's rules (Windows' too) are run where those are absolute.
#ifndef _WIN32
namespace morvane::testing {
namespace {

namespace fs = std::filesystem;
using app::DesktopSystem;
constexpr DesktopSystem kEverySystem[] = {DesktopSystem::Freedesktop, DesktopSystem::Windows, DesktopSystem::MacOS};

// The folder settings_folder picks on a machine with these variables and a program folder it may write or not.
fs::path folder_for(const fs::path& program, DesktopSystem system, std::map<std::string, fs::path> variables,
                    bool writable = false, bool installed = false) {
    return app::settings_folder({.program_folder = program,
                                 .installed = installed,
                                 .system = system,
                                 .environment = [variables](const char* name) {
                                     const auto found = variables.find(name);
                                     return found == variables.end() ? fs::path() : found->second;
                                 },
                                 .can_write = [program, writable](const fs::path& folder) {
                                     EXPECT_EQ(folder, program) << "only the program's folder is probed";
                                     return writable;
                                 }});
}

TEST(SettingsLocation, AReadOnlyProgramFolderSendsConfigDatToEachSystemsUserFolderUnlessItIsAlreadyThere) {
    // APPDATA is C:\Users\Ana\AppData\Roaming on Windows; here it takes this system's absolute form.
    const std::map<std::string, fs::path> ana{{"HOME", "/home/ana"}, {"APPDATA", "/Users/Ana/AppData/Roaming"}};
    auto with = [&](const char* name, const char* value) {
        auto variables = ana;
        variables[name] = value;
        return variables;
    };
    TempFolder kept, blocked;
    write_bytes(kept.path() / "config.dat", "/games/cs/cstrike/materials/console\r\n");
    fs::create_directory(blocked.path() / "config.dat");  // a folder of that name counts as none
    const struct {
        fs::path program;
        DesktopSystem system;
        std::map<std::string, fs::path> variables;
        fs::path expected;
    } cases[] = {
        {"/usr/bin", DesktopSystem::Freedesktop, ana, "/home/ana/.config/morvane"},
        {"/usr/bin", DesktopSystem::MacOS, ana, "/home/ana/Library/Application Support/Morvane"},
        {"/usr/bin", DesktopSystem::Windows, ana, "/Users/Ana/AppData/Roaming/Morvane"},
        {"/usr/bin", DesktopSystem::Freedesktop, with("XDG_CONFIG_HOME", "/srv/settings"), "/srv/settings/morvane"},
        // Not absolute: ignored, as the XDG rules say.
        {"/usr/bin", DesktopSystem::Freedesktop, with("XDG_CONFIG_HOME", "relative"), "/home/ana/.config/morvane"},
        {kept.path(), DesktopSystem::Freedesktop, ana, kept.path()},  // read-only, but kept
        {blocked.path(), DesktopSystem::Freedesktop, ana, "/home/ana/.config/morvane"},
    };
    for (const auto& c : cases) EXPECT_EQ(folder_for(c.program, c.system, c.variables), c.expected) << c.program;
    // Unset, empty or relative: no user folder to go to, so the program folder all the same.
    for (DesktopSystem system : kEverySystem)
        EXPECT_EQ(folder_for("/usr/bin", system, {{"HOME", "home/ana"}}), fs::path("/usr/bin"));
}

TEST(SettingsLocation, AWritableProgramFolderKeepsConfigDatUnlessTheProgramIsInstalled) {
    TempFolder root;
    const std::map<std::string, fs::path> ana{{"HOME", "/home/ana"}};
    for (DesktopSystem system : kEverySystem)
        EXPECT_EQ(folder_for(root.path(), system, ana, true), root.path()) << "a build tree or a portable copy";
    EXPECT_EQ(folder_for(root.path(), DesktopSystem::Freedesktop, ana, true, true), fs::path("/home/ana/.config/morvane"))
        << "an installed program's folder is not the user's, even for an administrator who may write there";
    EXPECT_EQ(folder_for("/Applications/Morvane.app/Contents/MacOS", DesktopSystem::MacOS, ana, true),
              fs::path("/home/ana/Library/Application Support/Morvane"))
        << "a signed application bundle is never written into";
}

TEST(SettingsLocation, TheFirstWriteMakesTheUserFolderAndAnInstalledProgramIsKnownByItsDesktopEntryOrItsUninstaller) {
    TempFolder root;
    const fs::path user = root.path() / "home" / ".config" / "morvane";
    ASSERT_TRUE(app::write_config(user, "/games/cs/cstrike/materials/console").ok);
    EXPECT_EQ(read_bytes(user / "config.dat"), "/games/cs/cstrike/materials/console\r\n");
    EXPECT_EQ(app::read_config(user).value, "/games/cs/cstrike/materials/console");

    write_bytes(root.path() / "home" / "blocked", "a file where a folder belongs");
    const auto blocked = app::write_config(root.path() / "home" / "blocked" / "morvane", "x");
    EXPECT_FALSE(blocked.ok);
    EXPECT_NE(blocked.error.find("blocked"), std::string::npos) << blocked.error;

    const fs::path prefix = root.path() / "usr";
    fs::create_directories(prefix / "bin");
    EXPECT_FALSE(app::installed_program(prefix / "bin")) << "a build tree has no desktop entry above it";
    fs::create_directories(prefix / "share" / "applications");
    write_bytes(prefix / "share" / "applications" / "morvane.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(app::installed_program(prefix / "bin", DesktopSystem::Freedesktop));
    EXPECT_FALSE(app::installed_program(prefix / "bin", DesktopSystem::Windows)) << "Windows has no desktop entries";

    // On Windows the setup program's uninstaller beside the programs tells an installed copy from a portable one.
    const fs::path folder = root.path() / "Morvane";
    fs::create_directories(folder);
    write_bytes(folder / "morvane.exe", "MZ");
    EXPECT_FALSE(app::installed_program(folder, DesktopSystem::Windows)) << "a portable copy";
    fs::create_directory(folder / "Uninstall Morvane.exe");
    EXPECT_FALSE(app::installed_program(folder, DesktopSystem::Windows)) << "a folder of that name is no uninstaller";
    fs::remove(folder / "Uninstall Morvane.exe");
    write_bytes(folder / "Uninstall Morvane.exe", "MZ");
    EXPECT_TRUE(app::installed_program(folder, DesktopSystem::Windows));

    EXPECT_TRUE(app::folder_can_be_written(root.path()));
    EXPECT_FALSE(app::folder_can_be_written(root.path() / "missing"));
    EXPECT_FALSE(app::folder_can_be_written(root.path() / "home" / "blocked")) << "a file is no folder";
}

// The old file stays byte for byte, nothing half-written is left beside it, and the message names the file
// and the reason.
TEST(SettingsFilesOnAFullDisk, ConfigDatKeepsItsOldFolderAndTheMaterialFileIsNotLeftCutOff) {
    TempFolder folder;
    const std::string old_config = "/games/old/cstrike/materials/console\r\n";
    write_bytes(folder.path() / "config.dat", old_config);
    const std::string config_error = with_file_size_limit(10, [&] {
        return app::write_config(folder.path(), "/games/new/cstrike/materials/console").error;
    });
    EXPECT_EQ(config_error, "Could not write " + (folder.path() / "config.dat").string() + ": File too large");
    EXPECT_EQ(read_bytes(folder.path() / "config.dat"), old_config);

    const std::string material_error = with_file_size_limit(50, [&] { return app::write_vmt(folder.path()).error; });
    EXPECT_EQ(material_error, "Could not write the material file \"" + (folder.path() / "background01.vmt").string() +
                                  "\": File too large. Check that the folder exists and is writable.");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "config.dat alone";
}

}  // namespace
}  // namespace morvane::testing
#endif
