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

// Codes of the surface properties the texture build checks, in the windowing layer's numbering.
enum ScaleMode : int16_t { ScaleUser = 0, ScaleTwips = 1, ScalePoints = 2, ScalePixels = 3 };
enum Appearance : int16_t { AppearanceFlat = 0, Appearance3D = 1 };
enum BorderStyle : int16_t { BorderNone = 0, BorderFixedSingle = 1 };

class PictureSurface {
public:
    explicit PictureSurface(uint32_t back_color = 0x000000);  // 0x00BBGGRR

    // --- properties the texture build checks -------------------------------------------------------
    int16_t scale_mode() const;
    void set_scale_mode(int16_t mode);
    int16_t appearance() const;
    void set_appearance(int16_t appearance);
    bool auto_size() const;
    void set_auto_size(bool on);
    int16_t border_style() const;
    void set_border_style(int16_t style);
    // Units of the container the surface sits on, per pixel: 1 for a pixel-measured form, kTwipsPerPixel for
    // a twip-measured frame. Outer sizes are reported in these units.
    int container_units_per_pixel() const;
    void set_container_units_per_pixel(int units);

    // --- size ---------------------------------------------------------------------------------------
    // Outer size in the container's units (a border adds to it).
    double width() const;
    double height() const;
    // Sets the outer size in the container's units, as a window sizes the controls on it: the border comes off
    // the inside, the rest is rounded to whole pixels (a frame measuring twips: 15360 -> 1024).
    void set_width(double outer_units);
    void set_height(double outer_units);
    // Inner size in the surface's own scale units (pixels when the scale mode is pixels).
    double scale_width() const;
    double scale_height() const;
    // Inner size in pixels; resizing keeps what fits of the image and fills new area with the back colour.
    void set_width_pixels(int width);
    void set_height_pixels(int height);
    int width_pixels() const;
    int height_pixels() const;

    // --- drawing ------------------------------------------------------------------------------------
    // 0x00BBGGRR; a system colour (top bit set) must be resolved by the caller first.
    uint32_t back_color() const;
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
    // held whole except for a reduction by exactly 2, 4, 8, ... False when the picture broke off part way
    // (what was drawn stays).
    bool stretch_copy(RowSource& picture, int x, int y, int w, int h);
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
    int16_t scale_mode_ = ScalePixels;
    int16_t appearance_ = AppearanceFlat;
    bool auto_size_ = false;
    int16_t border_style_ = BorderNone;
    int container_units_per_pixel_ = 1;
};

}  // namespace morvane
