#pragma once
// A picture surface: a drawing surface that keeps a persistent 32-bit image of what is drawn on it, as the
// windows' picture boxes do (Picture1, Picture2, Source_Buffer, Temp_Buffer). Plain C++: the windows show its
// image through a widget of their own, the texture build reads its pixels directly.
#include "platform/pictures/image32.h"
#include "platform/pictures/reduction_pyramid.h"
#include "platform/pictures/row_source.h"

#include <cstdint>
#include <vector>

namespace morvane {

class PictureSurface {
public:
    explicit PictureSurface(uint32_t back_color = 0x000000);  // 0x00BBGGRR

    // Units of the container the surface sits on, per pixel: 1 for a pixel-measured form, kTwipsPerPixel for
    // a twip-measured frame. Outer sizes are reported in these units.
    int container_units_per_pixel() const;
    void set_container_units_per_pixel(int units);

    // --- size ---------------------------------------------------------------------------------------
    // Size in the container's units.
    double width() const;
    double height() const;
    // Sets the size in the container's units, as a window sizes the controls on it, rounded to whole pixels (a
    // frame measuring twips: 15360 -> 1024).
    void set_width(double units);
    void set_height(double units);
    // Size in pixels; resizing keeps what fits of the image and fills new area with the back colour.
    void set_width_pixels(int width);
    void set_height_pixels(int height);
    int width_pixels() const;
    int height_pixels() const;

    // --- drawing ------------------------------------------------------------------------------------
    // 0x00BBGGRR; a system colour (top bit set) must be resolved by the caller first.
    void set_back_color(uint32_t colorref);
    // Fills the whole image with the back colour. The fill is carried out only when something reads the image
    // or draws over part of it: a drawing that covers the whole surface next (as every mip level of a
    // texture build does) would overwrite it unseen.
    void clear();
    // Stretch the whole picture into the rectangle (x, y, w, h) in pixels, clipped to the surface:
    // area averaging in linear light when reducing, smooth interpolation when enlarging, exact at 1:1.
    // A reduction by exactly 2, 4, 8, ... comes from the picture's reduction pyramid, which the surface
    // builds on the first such reduction and keeps while it draws that same, unchanged picture.
    void stretch_copy(const Image32& picture, int x, int y, int w, int h);
    // The same drawing of a picture that is still being decoded, with the same pixels; the picture is never
    // held whole except for a reduction by exactly 2, 4, 8, ... A failure is the picture's, when it broke off
    // part way (what was drawn stays).
    Outcome stretch_copy(RowSource& picture, int x, int y, int w, int h);
    // The picture becomes the image, at its own size, opaque: what set_width_pixels, set_height_pixels and a
    // stretch_copy at 1:1 would leave, without a second copy of a picture that may be a gigabyte.
    void hold_picture(Image32 picture);

    // --- handing out the persistent image -----------------------------------------------------------
    const Image32& image() const;
    // Hands the image's bytes over instead of copying them, and leaves the surface width x height pixels in
    // its back colour, as set_width_pixels, set_height_pixels and clear() would. For a reader that resizes
    // and clears the surface next anyway: the mip capture, one level after the other.
    PixelBytes take_pixels(int width, int height);

private:
    void settle() const;  // carries out a pending clear
    void resize_to(int width, int height);  // new pixels in the back colour, the kept ones as they were

    // Mutable so that reading the image can carry out a pending clear first.
    mutable Image32 image_;
    mutable bool fill_pending_ = false;  // the whole image is to be pending_fill_, whatever its bytes say
    Bgra pending_fill_;
    ReductionPyramid pyramid_;  // of the last picture drawn here
    uint32_t back_color_;
    int container_units_per_pixel_ = 1;
};

}  // namespace morvane
