#pragma once
// Whether a BMP file holds the rows its header claims. A decoder given a BMP that ends early fills the missing
// rows with black and calls it a picture, and one whose header claims 16000 x 16000 pixels in 154 bytes makes
// a gigabyte of black: this looks at the header and the file's size before any pixel buffer exists.
#include "platform/files/input_file.h"


namespace morvane {

// Done when `in` is no BMP, or an uncompressed BMP whose rows all fit in the file (only the last row's padding
// may be missing, as some writers leave it out), or a run-length coded one whose codes reach its last row or
// its end code, or one compressed otherwise (its size cannot be told beforehand). Otherwise a failure saying
// what is missing, e.g. "its header claims 16000 x 16000 pixels in 768000054 bytes, but the file holds 154
// bytes", "its data ends after 12 of its 750 rows", "its header claims -1200 x 750 pixels".
Outcome bmp_rows_fit(InputFile& in);

}  // namespace morvane
