#pragma once
// Which folder holds config.dat. A portable copy or a build tree keeps it beside the program, as it always
// has; an installed program cannot write there (or must not: /usr/bin, C:\Program Files), so it keeps it
// in the user's own settings folder instead.
#include <filesystem>
#include <functional>

namespace morvane::app {

enum class DesktopSystem { Freedesktop, Windows, MacOS };

#if defined(_WIN32)
inline constexpr DesktopSystem kThisSystem = DesktopSystem::Windows;
#elif defined(__APPLE__)
inline constexpr DesktopSystem kThisSystem = DesktopSystem::MacOS;
#else
inline constexpr DesktopSystem kThisSystem = DesktopSystem::Freedesktop;
#endif

struct SettingsPlace {
    std::filesystem::path program_folder;
    // Installed by the package or the setup program (see installed_program): never written to, even by an
    // administrator. A program inside a macOS application bundle counts as installed too.
    bool installed = false;
    DesktopSystem system = kThisSystem;
    // The value of an environment variable, empty when it is not set.
    std::function<std::filesystem::path(const char* name)> environment;
    std::function<bool(const std::filesystem::path& folder)> can_write;
};

// Beside the program when config.dat is already there or the folder can be written; otherwise the
// user's settings folder: $XDG_CONFIG_HOME/morvane (default ~/.config/morvane), %APPDATA%\Morvane,
// ~/Library/Application Support/Morvane. Without a home to go to, the program folder all the same.
std::filesystem::path settings_folder(const SettingsPlace& place);

// The user's settings folder for Morvane, or empty when the environment names none.
std::filesystem::path user_settings_folder(DesktopSystem system,
                                           const std::function<std::filesystem::path(const char*)>& environment);

// The uninstaller that the Windows setup program puts beside the programs and a portable copy lacks
// (desktop/win/morvane.nsi gives it this name): a per-user install's folder can be written, yet it is no
// place for the player's settings.
inline constexpr char kWindowsUninstaller[] = "Uninstall Morvane.exe";

// The real machine: its environment, a probe file for writability, and what an installation leaves beside
// the program: the desktop entry above its bin folder (share/applications/morvane.desktop), on Windows the
// uninstaller in its folder.
std::filesystem::path environment_variable(const char* name);
bool folder_can_be_written(const std::filesystem::path& folder);
bool installed_program(const std::filesystem::path& program_folder, DesktopSystem system = kThisSystem);
std::filesystem::path settings_folder_for(const std::filesystem::path& program_folder);

}  // namespace morvane::app
