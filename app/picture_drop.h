#pragma once
// What a drag from a file manager carries, seen as the main window sees it: a picture file to load, or
// nothing it takes.
#include <filesystem>
#include <optional>

class QMimeData;

namespace morvane::app {

// The first local file in the drag that is a picture: an ordinary file whose name ends in a picture
// format's suffix or whose content starts like one. Folders, pipes, other files and remote addresses are
// passed over without being opened.
std::optional<std::filesystem::path> dropped_picture(const QMimeData* data);

}  // namespace morvane::app
