#include "platform/pictures/picture_surface.h"

#include "platform/pictures/stretch_copy.h"
#include "platform/pictures/streamed_stretch.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace morvane {
namespace {

// A new image of the given size holding what fits of the old one, the rest in the back colour.
Image32 resized(const Image32& old, int width, int height, Bgra back) {
    Image32 image(width, height, back);
    const size_t bytes = size_t(std::min(old.width, image.width)) * 4;
    if (bytes == 0) return image;  // an image 0 wide has no row memory to copy from, however high it is
    // Only rows the old image really holds (a malformed one may claim more).
    const int rows = int(std::min<size_t>(size_t(std::min(old.height, image.height)), old.bytes.size() / old.stride()));
    for (int y = 0; y < rows; ++y) std::memcpy(image.row(y), old.row(y), bytes);
    return image;
}

// Shrinking keeps the image's memory and moves each kept row to its new place (rows only move towards the
// start, so front to back is safe): no new allocation for the levels of a mip chain, which shrink one after
// the other on the scratch surface. Growing makes a new image.
void resize_image(Image32& image, int width, int height, Bgra back) {
    if (!image.well_formed() || width > image.width || height > image.height) {
        image = resized(image, width, height, back);
        return;
    }
    const size_t new_stride = size_t(width) * 4, old_stride = image.stride();
    uint8_t* data = image.bytes.data();
    if (new_stride != old_stride)
        for (int y = 1; y < height; ++y) std::memmove(data + size_t(y) * new_stride, data + size_t(y) * old_stride, new_stride);
    image.bytes.resize(size_t(height) * new_stride);
    image.width = width;
    image.height = height;
    image.touch();
}

// The new size for an image whose every pixel is to be one colour anyway (a clear is pending): no pixel needs
// keeping or filling, only the memory.
void resize_unfilled(Image32& image, int width, int height) {
    const size_t bytes = size_t(width) * size_t(height) * 4;
    if (bytes > image.bytes.capacity())
        image.bytes = PixelBytes(bytes);  // not a growing resize: that would copy stale pixels
    else
        image.bytes.resize(bytes);
    image.width = width;
    image.height = height;
    image.touch();
}

// True when drawing `picture` into (x, y, w, h) writes every pixel of `target`: the rectangle covers the
// target and the picture has pixels to draw (a copy from the target itself reads what it is drawing over).
bool covers(const Image32& target, int x, int y, int w, int h) {
    return w > 0 && h > 0 && x <= 0 && y <= 0 && (long long)x + w >= target.width &&
           (long long)y + h >= target.height;
}

bool draw_covers(const Image32& picture, const Image32& target, int x, int y, int w, int h) {
    const bool drawable = &picture != &target && !picture.empty() && picture.well_formed();
    return drawable && covers(target, x, y, w, h);
}

}  // namespace

PictureSurface::PictureSurface(uint32_t back_color) : back_color_(back_color) {}

int PictureSurface::container_units_per_pixel() const { return container_units_per_pixel_; }
void PictureSurface::set_container_units_per_pixel(int units) { container_units_per_pixel_ = std::max(units, 1); }

double PictureSurface::width() const {
    return double(width_pixels()) * container_units_per_pixel_;
}
double PictureSurface::height() const {
    return double(height_pixels()) * container_units_per_pixel_;
}
void PictureSurface::set_width(double outer_units) {
    set_width_pixels(int(std::lround(outer_units / container_units_per_pixel_)));
}
void PictureSurface::set_height(double outer_units) {
    set_height_pixels(int(std::lround(outer_units / container_units_per_pixel_)));
}

void PictureSurface::set_width_pixels(int width) { resize_to(std::max(width, 0), image_.height); }
void PictureSurface::set_height_pixels(int height) { resize_to(image_.width, std::max(height, 0)); }
void PictureSurface::resize_to(int width, int height) {
    if (width == image_.width && height == image_.height) return;
    const Bgra back = bgra_from_colorref(back_color_);
    if (fill_pending_ && pending_fill_ == back) {  // every pixel, kept or new, is to be the back colour
        resize_unfilled(image_, width, height);
        return;
    }
    settle();  // the kept pixels hold the earlier back colour
    resize_image(image_, width, height, back);
}
int PictureSurface::width_pixels() const { return image_.width; }
int PictureSurface::height_pixels() const { return image_.height; }

void PictureSurface::set_back_color(uint32_t colorref) { back_color_ = colorref; }
void PictureSurface::clear() {
    image_.touch();  // the pixels change now, for whoever keeps data derived from them
    fill_pending_ = true;
    pending_fill_ = bgra_from_colorref(back_color_);
}

void PictureSurface::settle() const {
    if (!fill_pending_) return;
    image_.fill(pending_fill_);
    fill_pending_ = false;
}

// The k >= 1 with picture size = (w, h) * 2^k in both axes, or 0.
static int exact_halvings(int picture_width, int picture_height, int w, int h) {
    if (w <= 0 || h <= 0) return 0;
    for (int k = 1; k < 31 && (long long)w << k <= picture_width; ++k)
        if ((long long)w << k == picture_width && (long long)h << k == picture_height) return k;
    return 0;
}

void PictureSurface::stretch_copy(const Image32& picture, int x, int y, int w, int h) {
    Image32& target = image_;
    if (fill_pending_ && !draw_covers(picture, target, x, y, w, h)) settle();
    fill_pending_ = false;  // settled, or every pixel is drawn over now
    const bool halving = &picture != &target && exact_halvings(picture.width, picture.height, w, h) > 0;
    if (!pyramid_.built_from(picture)) {
        pyramid_.clear();  // it serves one unchanged picture at a time
        if (halving) pyramid_.build(picture);
    }
    const int k = halving ? pyramid_.level_for(w, h) : 0;
    if (k == 0) {
        morvane::stretch_copy(picture, target, x, y, w, h);
        return;
    }
    // Visible part of the rectangle, as offsets into it, as the general copy clips it.
    const PixelRect visible = clip_to(target, PixelRect{x, y, w, h});
    if (visible.width == 0 || visible.height == 0 || !target.well_formed()) return;
    const int x0 = int(int64_t(visible.x) - x), x1 = x0 + visible.width;
    const int y0 = int(int64_t(visible.y) - y), y1 = y0 + visible.height;
    pyramid_.draw(k, target, x, y, x0, x1, y0, y1);
}

Outcome PictureSurface::stretch_copy(RowSource& picture, int x, int y, int w, int h) {
    if (exact_halvings(picture.width(), picture.height(), w, h) > 0) {
        // Such reductions come from the pyramid of the whole picture, the same as for a picture held whole.
        Image32 whole = Image32::unfilled(picture.width(), picture.height());
        for (int n = 0; n < whole.height; ++n) {
            const int row = picture.bottom_first() ? whole.height - 1 - n : n;
            uint8_t* rows[1] = {whole.bytes.data() + size_t(row) * whole.stride()};
            if (Outcome read = picture.read_rows(rows, 1); !read.ok) return read;
        }
        whole.touch();
        stretch_copy(whole, x, y, w, h);
        return Outcome::done();
    }
    Image32& target = image_;
    const bool drawable = picture.width() > 0 && picture.height() > 0;
    if (fill_pending_ && !(drawable && covers(target, x, y, w, h))) settle();
    fill_pending_ = false;
    pyramid_.clear();  // the picture it was built from is no longer the last one drawn
    return stretch_rows_copy(picture, target, x, y, w, h);
}

void PictureSurface::hold_picture(Image32 picture) {
    for (size_t i = 3; i < picture.bytes.size(); i += 4) picture.bytes[i] = 255;
    picture.touch();
    image_ = std::move(picture);
    fill_pending_ = false;
    pyramid_.clear();  // the picture it was built from is no longer the last one drawn
}

const Image32& PictureSurface::image() const {
    settle();
    return image_;
}

PixelBytes PictureSurface::take_pixels(int width, int height) {
    settle();
    Image32& image = image_;
    PixelBytes pixels = std::move(image.bytes);
    image.bytes = {};
    resize_unfilled(image, std::max(width, 0), std::max(height, 0));
    fill_pending_ = true;
    pending_fill_ = bgra_from_colorref(back_color_);
    return pixels;
}

}  // namespace morvane
