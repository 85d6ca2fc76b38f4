#pragma once
// The open-file dialog as the windows use it: set a file name, a title and a filter, show it, read the
// chosen name back (empty when the user cancelled). Strings are UTF-8; file names use the native separator.
#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace morvane {

class FileDialog {
public:
    virtual ~FileDialog() = default;

    std::string file_name;  // set "" before showing; the chosen full path afterwards, "" when cancelled
    std::string folder;     // where the dialog opens while file_name is empty; "" leaves it to the system
    std::string title;
    // Descriptions and patterns joined by vertical bars: "Pictures|*.bmp;*.jpg|All|*.*".
    std::string filter;

    // Shows the dialog and waits until the user closes it; then file_name holds the answer.
    virtual void show_open() = 0;
};

// The filter in Qt's form, one "description (pattern pattern)" entry per pair, joined by ";;".
// A description without patterns keeps no entry; patterns separated by ";" become space separated; a
// description that already ends in exactly its patterns in parentheses is kept as it is.
std::string qt_name_filters(const std::string& bar_filter);

// The platform's dialog through QFileDialog.
class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show_open() override;

private:
    QWidget* parent_;
};

// Answers from a script, in order; cancels when the script has run out. Remembers what each showing asked.
class ScriptedFileDialog : public FileDialog {
public:
    struct Shown {
        std::string title;
        std::string filter;
        std::string file_name_before;
        std::string folder;
    };
    void answer(std::string chosen) { answers_.push_back(std::move(chosen)); }
    void show_open() override;

    std::vector<Shown> shown;

private:
    std::deque<std::string> answers_;
};

}  // namespace morvane
