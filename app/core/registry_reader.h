#pragma once
// The few registry values the Steam search reads on Windows, behind an interface so that the search can be
// tried with made-up values anywhere.
#include <string>

namespace morvane::app {

enum class RegistryRoot { CurrentUser, LocalMachine };  // HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE

class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    // A string value as UTF-8, e.g. (CurrentUser, "Software\\Valve\\Steam", "SteamPath"); "" when the key or
    // value is missing or holds no string.
    virtual std::string read_text(RegistryRoot root, const std::string& key, const std::string& value) const = 0;
};

#ifdef _WIN32
// The real registry, read without the 32/64-bit redirection choosing for us: the key names say which view.
class WindowsRegistry : public RegistryReader {
public:
    std::string read_text(RegistryRoot root, const std::string& key, const std::string& value) const override;
};
#endif

}  // namespace morvane::app
