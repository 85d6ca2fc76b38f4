// The command line's picture module: Qt's picture loader, loaded by the command line only for a picture that
// needs it.
#include "platform/qt/pictures/picture_module.h"

#include "platform/qt/pictures/own_qt.h"
#include "platform/qt/pictures/picture_loader.h"

#include <QCoreApplication>

#include <filesystem>
#include <type_traits>

namespace {

// Qt finds its image plugins through the application object; the command line has none of its own.
void ensure_application() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "morvane-cli";
    static char* argv[] = {name, nullptr};
    morvane::keep_to_own_qt_plugins();
    new QCoreApplication(argc, argv);  // kept to the end: Qt's own objects may still need it while they go
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void morvane_load_picture(const char* file, uint64_t max_picture_bytes,
                                                                             morvane::LoadedPicture* result) {
    ensure_application();
    *result = morvane::load_picture(std::filesystem::path(file), max_picture_bytes);
}

// The entry point has the shape the command line calls it by.
static_assert(std::is_same_v<decltype(&morvane_load_picture), morvane::LoadPictureEntry>);
