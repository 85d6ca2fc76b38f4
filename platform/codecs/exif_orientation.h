#pragma once
// Turning a photograph upright by the orientation its camera recorded (the EXIF/TIFF tag 274), for picture
// loaders whose decoder reports the tag but leaves the pixels as stored.
#include "platform/pictures/image32.h"

#include <cstddef>
#include <cstdint>

namespace morvane {

// The picture as it is meant to be seen. `orientation` is the tag's value: 1 upright, 2 mirrored, 3 turned
// half round, 4 upside down mirrored, 5 to 8 the four with width and height exchanged (6: the top of the
// picture lies on the right of the stored pixels). Any other value leaves the picture as it is.
Image32 upright(Image32 stored, int orientation);

// The same for a reader that hands the picture out row by row (a RowSource) without holding it: each upright
// row is a stored row, or a stored column where `transposed`; its pixels reversed where `mirrored`; and the
// rows (or columns) in stored order are the upright rows bottom first where `bottom_first`.
struct UprightRows {
    bool transposed = false, mirrored = false, bottom_first = false;
};
UprightRows upright_rows(int orientation);
// Reverses a row of `width` pixels where it is.
void mirror_row(uint8_t* row, int width);

// The orientation tag (1 to 8) that a JPEG's EXIF block records, from the block's bytes as they follow its
// marker ("Exif\0\0", then the TIFF header and the first directory); 0 where the block is no EXIF block or
// records no orientation, or records one outside 1 to 8. Nothing outside the `size` bytes is read.
int exif_orientation_tag(const uint8_t* block, size_t size);

}  // namespace morvane
