#pragma once
// The open-file dialog through QFileDialog.
#include "platform/system/file_dialog.h"

#include <string>

class QWidget;

namespace morvane {

// The filter in Qt's form, one "description (pattern pattern)" entry per pair, joined by ";;".
// A description without patterns keeps no entry; patterns separated by ";" become space separated; a
// description that already ends in exactly its patterns in parentheses is kept as it is.
std::string qt_name_filters(const std::string& bar_filter);

class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show_open() override;

private:
    QWidget* parent_;
};

}  // namespace morvane
