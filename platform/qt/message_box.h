#pragma once
// Plain OK-only message boxes with the application's title as caption: the only way the program
// tells the user something. Windows talk to the interface so tests can read what would be shown.
#include <string>
#include <vector>

class QWidget;

namespace morvane {

inline constexpr const char* kApplicationTitle = "Morvane";

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows the text and returns once the user has pressed OK.
    virtual void show(const std::string& text) = 0;
};

// The platform's message box: the text, an OK button, no icon, caption kApplicationTitle.
class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show(const std::string& text) override;

private:
    QWidget* parent_;
};

// Remembers every text instead of showing it.
class RecordingMessageBox : public MessageBox {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

}  // namespace morvane
