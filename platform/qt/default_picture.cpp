#include "platform/qt/default_picture.h"

#include "platform/loaded_picture.h"
#include "platform/qt/qimage_pixels.h"

#include <QImage>
#include <QtGlobal>

// The resource lives in a static library: naming its initializer here makes the linker keep it.
static void register_default_picture_resource() { Q_INIT_RESOURCE(default_picture); }

namespace morvane {
namespace {

// resources/default_picture.jpg, drawn with ImageMagick by resources/make_default_picture.sh.
constexpr const char* kResource = ":/morvane/default_picture.jpg";

LoadedPicture decode_default_picture() {
    register_default_picture_resource();
    const QImage image(kResource);
    if (image.isNull()) return {{}, std::string(kResource) + " has no decoder in this build"};
    return {opaque_pixels(image), {}};
}

}  // namespace

const Image32& default_picture() {
    static const Image32 picture = built_in_picture_or_plain(decode_default_picture());
    return picture;
}

}  // namespace morvane
