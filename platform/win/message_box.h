#pragma once
// The system's plain message box: the text, the application's title as caption, one OK button, no icon.
#include "platform/system/message_box.h"
#include "platform/win/window_handle.h"

namespace morvane {

class WinMessageBox : public MessageBox {
public:
    explicit WinMessageBox(WindowHandle owner = nullptr) : owner_(owner) {}
    void set_owner(WindowHandle owner) { owner_ = owner; }
    void show(const std::string& text) override;

private:
    WindowHandle owner_;
};

}  // namespace morvane
