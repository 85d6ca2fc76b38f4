#pragma once
// The kinds of picture Morvane opens, listed once: those that both systems' decoders read in every copy (Qt's
// own and its plugins on Linux, the portable copy's too; the Windows Imaging Component). The loaders' messages
// and the Load dialog's filter are made from it here; CMake reads the same lines (cmake/PictureKinds.cmake) for
// the desktop entry's MimeType and the setup program's "Open with" types. Either system reads a few more (Qt
// XPM and PPM, Windows TIFF), which are not offered, so that no copy offers what another refuses.
#include <string>

namespace morvane {

struct PictureKind {
    const char* name;        // as the Load dialog names it
    const char* extensions;  // the first is the one messages name; separated by one space
    const char* mime_type;
};

// One kind a line, `{"NAME", ".ext ...", "type/subtype"},`: CMake reads them in this form.
inline constexpr PictureKind kPictureKinds[] = {
    {"BMP", ".bmp", "image/bmp"},
    {"JPEG", ".jpg .jpeg", "image/jpeg"},
    {"PNG", ".png", "image/png"},
    {"GIF", ".gif", "image/gif"},
};

// ".bmp, .jpg, .png or .gif": each kind's first extension, for the messages.
std::string readable_kinds();

// The Load dialog's filter: "Picture File(*.bmp,*.jpg)|*.bmp;*.jpg" first, as the dialog has always offered it,
// then one entry for each kind that one leaves out ("JPEG File(*.jpg,*.jpeg)|*.jpg;*.jpeg", ...).
std::string load_filter();

}  // namespace morvane
