#include "app/core/settings_location.h"

#include "app/core/settings_file.h"

#include <cstdlib>
#include <string>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace morvane::app {

namespace fs = std::filesystem;

namespace {

// A variable that names a relative folder names none: it would move with the current folder.
fs::path absolute_variable(const std::function<fs::path(const char*)>& environment, const char* name) {
    fs::path value = environment(name);
    return value.is_absolute() ? value : fs::path();
}

bool holds_config_file(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(config_file(folder), ec);
}

// Writing into an application bundle (Morvane.app/Contents/MacOS) would break its signature.
bool inside_application_bundle(const fs::path& program_folder) {
    const fs::path contents = program_folder.parent_path();
    return program_folder.filename() == "MacOS" && contents.filename() == "Contents" &&
           contents.parent_path().extension() == ".app";
}

}  // namespace

fs::path user_settings_folder(DesktopSystem system, const std::function<fs::path(const char*)>& environment) {
    switch (system) {
        case DesktopSystem::Windows: {
            const fs::path roaming = absolute_variable(environment, "APPDATA");
            return roaming.empty() ? roaming : roaming / "Morvane";
        }
        case DesktopSystem::MacOS: {
            const fs::path home = absolute_variable(environment, "HOME");
            return home.empty() ? home : home / "Library" / "Application Support" / "Morvane";
        }
        case DesktopSystem::Freedesktop: {
            if (const fs::path config = absolute_variable(environment, "XDG_CONFIG_HOME"); !config.empty())
                return config / "morvane";
            const fs::path home = absolute_variable(environment, "HOME");
            return home.empty() ? home : home / ".config" / "morvane";
        }
    }
    return {};
}

fs::path settings_folder(const SettingsPlace& place) {
    const bool installed =
        place.installed || (place.system == DesktopSystem::MacOS && inside_application_bundle(place.program_folder));
    if (!installed && (holds_config_file(place.program_folder) || place.can_write(place.program_folder)))
        return place.program_folder;
    const fs::path user = user_settings_folder(place.system, place.environment);
    // Nowhere else to go: writing beside the program fails with a message that names the file.
    return user.empty() ? place.program_folder : user;
}

fs::path environment_variable(const char* name) {
#ifdef _WIN32
    // The wide variable, so that a user name outside the ANSI code page survives.
    const std::wstring wide_name(name, name + std::char_traits<char>::length(name));
    const wchar_t* value = _wgetenv(wide_name.c_str());
    return value ? fs::path(value) : fs::path();
#else
    const char* value = std::getenv(name);
    return value ? fs::path(value) : fs::path();
#endif
}

bool folder_can_be_written(const fs::path& folder) {
#ifdef _WIN32
    // The folder's access list decides, and only a try tells it; the probe file goes when its handle closes.
    const fs::path probe = folder / (L"morvane-write-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp");
    const HANDLE handle = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
#else
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

bool installed_program(const fs::path& program_folder, DesktopSystem system) {
    std::error_code ec;
    if (system == DesktopSystem::Windows) return fs::is_regular_file(program_folder / kWindowsUninstaller, ec);
    return fs::is_regular_file(program_folder.parent_path() / "share" / "applications" / "morvane.desktop", ec);
}

fs::path settings_folder_for(const fs::path& program_folder) {
    return settings_folder({.program_folder = program_folder,
                            .installed = installed_program(program_folder),
                            .environment = environment_variable,
                            .can_write = folder_can_be_written});
}

}  // namespace morvane::app
