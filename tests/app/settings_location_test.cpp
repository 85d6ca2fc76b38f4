// Where config.dat lives: beside a portable copy or a build tree, in the user's settings folder for an
// installed program, on each desktop system.
#include "app/core/settings_file.h"
#include "app/core/settings_location.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace morvane::testing {
namespace {

namespace fs = std::filesystem;
using app::DesktopSystem;

struct Machine {
    std::map<std::string, fs::path> variables;
    bool program_folder_writable = false;

    fs::path folder_for(const fs::path& program, DesktopSystem system, bool installed = false) const {
        return app::settings_folder(
            {.program_folder = program,
             .installed = installed,
             .system = system,
             .environment = [this](const char* name) {
                 const auto found = variables.find(name);
                 return found == variables.end() ? fs::path() : found->second;
             },
             .can_write = [this, program](const fs::path& folder) {
                 EXPECT_EQ(folder, program) << "only the program's folder is probed";
                 return program_folder_writable;
             }});
    }
};

TEST(SettingsLocation, AReadOnlyProgramFolderSendsConfigDatToEachSystemsUserFolder) {
    // APPDATA is C:\Users\Ana\AppData\Roaming on Windows; here it takes this system's absolute form.
    Machine machine{{{"HOME", "/home/ana"}, {"APPDATA", "/Users/Ana/AppData/Roaming"}}};
    const fs::path program = "/usr/bin";
    EXPECT_EQ(machine.folder_for(program, DesktopSystem::Freedesktop), fs::path("/home/ana/.config/morvane"));
    EXPECT_EQ(machine.folder_for(program, DesktopSystem::MacOS),
              fs::path("/home/ana/Library/Application Support/Morvane"));
    EXPECT_EQ(machine.folder_for(program, DesktopSystem::Windows), fs::path("/Users/Ana/AppData/Roaming/Morvane"));

    machine.variables["XDG_CONFIG_HOME"] = "/srv/settings";
    EXPECT_EQ(machine.folder_for(program, DesktopSystem::Freedesktop), fs::path("/srv/settings/morvane"));
    machine.variables["XDG_CONFIG_HOME"] = "relative/settings";  // not absolute: ignored, as the XDG rules say
    EXPECT_EQ(machine.folder_for(program, DesktopSystem::Freedesktop), fs::path("/home/ana/.config/morvane"));
}

TEST(SettingsLocation, AWritableFolderOrAConfigDatAlreadyThereKeepsItBesideTheProgramUnlessInstalled) {
    TempFolder root;
    Machine machine{{{"HOME", "/home/ana"}}, true};
    for (DesktopSystem system : {DesktopSystem::Freedesktop, DesktopSystem::Windows, DesktopSystem::MacOS})
        EXPECT_EQ(machine.folder_for(root.path(), system), root.path()) << "a build tree or a portable copy";

    machine.program_folder_writable = false;
    write_bytes(root.path() / "config.dat", "/games/cs/cstrike/materials/console\r\n");
    EXPECT_EQ(machine.folder_for(root.path(), DesktopSystem::Freedesktop), root.path()) << "read-only, but kept";

    machine.program_folder_writable = true;
    EXPECT_EQ(machine.folder_for(root.path(), DesktopSystem::Freedesktop, true), fs::path("/home/ana/.config/morvane"))
        << "an installed program's folder is not the user's, even for an administrator who may write there";
    EXPECT_EQ(machine.folder_for("/Applications/Morvane.app/Contents/MacOS", DesktopSystem::MacOS),
              fs::path("/home/ana/Library/Application Support/Morvane"))
        << "a signed application bundle is never written into";
}

TEST(SettingsLocation, AFolderOrNothingNamedConfigDatCountsAsNoneAndWithoutAHomeTheProgramFolderStays) {
    TempFolder root;
    fs::create_directory(root.path() / "config.dat");
    Machine machine{{{"HOME", "/home/ana"}}};
    EXPECT_EQ(machine.folder_for(root.path(), DesktopSystem::Freedesktop), fs::path("/home/ana/.config/morvane"));

    Machine homeless{{{"HOME", "home/ana"}}};  // unset, empty or relative: no user folder to go to
    for (DesktopSystem system : {DesktopSystem::Freedesktop, DesktopSystem::Windows, DesktopSystem::MacOS})
        EXPECT_EQ(homeless.folder_for("/usr/bin", system), fs::path("/usr/bin"));
}

TEST(SettingsLocation, TheFirstWriteMakesTheUserFolderAndAnInstalledProgramIsKnownByItsDesktopEntry) {
    TempFolder root;
    const fs::path user = root.path() / "home" / ".config" / "morvane";
    ASSERT_TRUE(app::write_config(user, "/games/cs/cstrike/materials/console").ok);
    EXPECT_EQ(read_bytes(user / "config.dat"), "/games/cs/cstrike/materials/console\r\n");
    EXPECT_EQ(app::read_config(user), "/games/cs/cstrike/materials/console");

    write_bytes(root.path() / "home" / "blocked", "a file where a folder belongs");
    const auto blocked = app::write_config(root.path() / "home" / "blocked" / "morvane", "x");
    EXPECT_FALSE(blocked.ok);
    EXPECT_NE(blocked.error.find("blocked"), std::string::npos) << blocked.error;

    const fs::path prefix = root.path() / "usr";
    fs::create_directories(prefix / "bin");
    EXPECT_FALSE(app::installed_program(prefix / "bin")) << "a build tree has no desktop entry above it";
    fs::create_directories(prefix / "share" / "applications");
    write_bytes(prefix / "share" / "applications" / "morvane.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(app::installed_program(prefix / "bin"));

    EXPECT_TRUE(app::folder_can_be_written(root.path()));
    EXPECT_FALSE(app::folder_can_be_written(root.path() / "missing"));
    EXPECT_FALSE(app::folder_can_be_written(root.path() / "home" / "blocked")) << "a file is no folder";
}

}  // namespace
}  // namespace morvane::testing
