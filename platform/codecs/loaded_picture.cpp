#include "platform/codecs/loaded_picture.h"

#include "platform/codecs/picture_kinds.h"

#include <cstdio>

namespace morvane {

Image32 built_in_picture_or_plain(LoadedPicture decoded) {
    const int side = kBuiltInPictureSide;
    if (decoded.ok && decoded.value.width == side && decoded.value.height == side) return std::move(decoded.value);
    const std::string why = decoded.ok ? "it is not " + std::to_string(side) + " pixels square" : decoded.error;
    std::fprintf(stderr, "The built-in picture could not be decoded (%s); using a plain background instead.\n",
                 why.c_str());
    return Image32(side, side, bgra_from_colorref(0x36220E));  // night blue
}

}  // namespace morvane

namespace morvane::picture_message {

namespace {
std::string choose_a(const char* which, const char* choose = "Choose") {
    static const std::string kinds = readable_kinds();
    return std::string(choose) + " " + which + " " + kinds + " file.";
}
}  // namespace

std::string missing(const std::string& shown) {
    return "The picture \"" + shown_in_message(shown) + "\" does not exist. " + choose_a("another");
}

std::string folder(const std::string& shown) {
    return "\"" + shown_in_message(shown) + "\" is a folder, not a picture. " + choose_a("a");
}

std::string not_a_file(const std::string& shown) {
    return "\"" + shown_in_message(shown) + "\" is not an ordinary file (a pipe or a device), so it holds no picture. " + choose_a("a");
}

std::string cannot_open(const std::string& shown, const std::string& reason) {
    return "The picture \"" + shown_in_message(shown) + "\" cannot be opened (" + reason +
           "). Check that you may read it, or choose another file.";
}

std::string too_large(const std::string& shown, int64_t width, int64_t height) {
    return "The picture \"" + shown_in_message(shown) + "\" is too large to load (" + std::to_string(width) + " x " +
           std::to_string(height) + " pixels). Make it smaller in an image editor, or choose another file.";
}

std::string unreadable(const std::string& shown, const std::string& reason) {
    return "\"" + shown_in_message(shown) + "\" could not be read as a picture (" + reason + "). " + choose_a("a");
}

std::string damaged(const std::string& shown, const std::string& reason) {
    return "The picture \"" + shown_in_message(shown) + "\" is damaged or incomplete (" + reason +
           "), so it was not loaded. Download it again if the download did not finish, or " +
           choose_a("another", "choose");
}

InputRefusals refusals(const std::string& shown) {
    return {missing(shown), folder(shown), not_a_file(shown),
            [shown](const std::string& reason) { return cannot_open(shown, reason); }};
}

}  // namespace morvane::picture_message
