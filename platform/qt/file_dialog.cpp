#include "platform/qt/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace morvane {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string qt_name_filters(const std::string& bar_filter) {
    if (bar_filter.empty()) return {};
    const auto parts = split(bar_filter, '|');
    std::string result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        for (const auto& p : split(parts[i + 1], ';')) {
            const auto pattern = trimmed(p);
            if (pattern.empty()) continue;
            if (!patterns.empty()) patterns += ' ';
            patterns += pattern;
        }
        if (patterns.empty()) continue;
        if (!result.empty()) result += ";;";
        // Qt takes the patterns from the description's last parenthesised group: one that already names
        // exactly these patterns ("hl2.exe (hl2.exe)") stays as it is; any other gets them appended.
        const std::string group = "(" + patterns + ")";
        const std::string& description = parts[i];
        const bool names_them = description.size() >= group.size() &&
                                description.compare(description.size() - group.size(), group.size(), group) == 0;
        result += names_them ? description : description + " " + group;
    }
    return result;
}

void QtFileDialog::show_open() {
    const std::string& opens_at = file_name.empty() ? folder : file_name;
    const QString start = QString::fromStdString(opens_at);
    const QString chosen = QFileDialog::getOpenFileName(parent_, QString::fromStdString(title), start,
                                                        QString::fromStdString(qt_name_filters(filter)));
    file_name = chosen.isEmpty() ? std::string() : QDir::toNativeSeparators(chosen).toStdString();
}

void ScriptedFileDialog::show_open() {
    shown.push_back(Shown{title, filter, file_name, folder});
    if (answers_.empty()) {
        file_name.clear();
        return;
    }
    file_name = std::move(answers_.front());
    answers_.pop_front();
}

}  // namespace morvane
