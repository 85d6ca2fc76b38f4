#include "platform/qt/default_picture.h"

#include "platform/qt/qimage_pixels.h"

#include <QImage>
#include <QtGlobal>

// The resource lives in a static library: naming its initializer here makes the linker keep it.
static void register_default_picture_resource() { Q_INIT_RESOURCE(default_picture); }

namespace morvane {
namespace {

constexpr int kSide = 1024;  // pixels
// resources/default_picture.jpg, drawn with ImageMagick by resources/make_default_picture.sh.
constexpr const char* kResource = ":/morvane/default_picture.jpg";

Image32 decode_default_picture() {
    register_default_picture_resource();
    const QImage image(kResource);
    if (image.width() == kSide && image.height() == kSide) return opaque_pixels(image);
    // Only a build without Qt's JPEG support gets here; a plain night blue still lets a build run.
    qWarning("The built-in picture %s could not be decoded; using a plain background instead.", kResource);
    return Image32(kSide, kSide, bgra_from_colorref(0x36220E));
}

}  // namespace

const Image32& default_picture() {
    static const Image32 picture = decode_default_picture();
    return picture;
}

}  // namespace morvane
