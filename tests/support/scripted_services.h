#pragma once
// The window's dialog and message box, scripted: answers given in order, texts recorded instead of shown.
#include "platform/system/file_dialog.h"
#include "platform/system/message_box.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

#undef MessageBox  // windows.h's, where a Windows test included it first

namespace morvane::testing {

// Answers from a script, in order; cancels when the script has run out. Remembers what each showing asked.
class ScriptedFileDialog : public FileDialog {
public:
    struct Shown {
        std::string title, filter, file_name_before, folder;
    };
    void answer(std::string chosen) { answers_.push_back(std::move(chosen)); }
    void show_open() override {
        shown.push_back(Shown{title, filter, file_name, folder});
        file_name = answers_.empty() ? std::string() : std::move(answers_.front());
        if (!answers_.empty()) answers_.pop_front();
    }
    std::vector<Shown> shown;

private:
    std::deque<std::string> answers_;
};

class RecordingMessageBox : public MessageBox {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

}  // namespace morvane::testing
