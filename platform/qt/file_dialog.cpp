#include "platform/qt/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QString>

namespace morvane {

std::string qt_name_filters(const std::string& bar_filter) {
    std::string result;
    for (const FilterEntry& entry : filter_entries(bar_filter)) {
        std::string patterns;
        for (const std::string& pattern : entry.patterns) {
            if (!patterns.empty()) patterns += ' ';
            patterns += pattern;
        }
        if (!result.empty()) result += ";;";
        // Qt takes the patterns from the description's last parenthesised group: one that already names
        // exactly these patterns ("hl2.exe (hl2.exe)") stays as it is; any other gets them appended.
        const std::string group = "(" + patterns + ")";
        const std::string& description = entry.description;
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

}  // namespace morvane
