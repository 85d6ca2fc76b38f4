#pragma once
// The platform's message box through QMessageBox: the text, an OK button, no icon, caption kApplicationTitle.
#include "platform/system/message_box.h"

class QWidget;

namespace morvane {

class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show(const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace morvane
