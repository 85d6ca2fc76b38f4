#pragma once
// Plain OK-only message boxes with the application's title as caption: the only way the program
// tells the user something. Windows talk to the interface so tests can read what would be shown; each
// system's box is in its host folder (platform/qt/message_box.h, platform/win/message_box.h).
#include <string>
#include <vector>

namespace morvane {

inline constexpr const char* kApplicationTitle = "Morvane";

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the text and returns once the user has pressed OK.
    virtual void show(const std::string& text) = 0;
};

}  // namespace morvane
