#include "platform/qt/pictures/own_qt.h"

#include <QtGlobal>

#include <filesystem>
#include <system_error>

namespace morvane {

void keep_to_own_qt_plugins() {
#ifdef __linux__
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !std::filesystem::is_regular_file(program.parent_path() / "qt.conf", ec)) return;
    qunsetenv("QT_PLUGIN_PATH");
    qunsetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
#endif
}

}  // namespace morvane
