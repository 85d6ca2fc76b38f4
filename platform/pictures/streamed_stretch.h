#pragma once
// Stretching a picture that is still being decoded: the rows are drawn as they arrive, so the decoder and the
// drawing share the machine's two cores and the whole picture (64 MB for a 5120 x 2880 photograph) is never
// held at once.
#include "platform/outcome.h"
#include "platform/pictures/image32.h"
#include "platform/pictures/row_source.h"

namespace morvane {

// Draws the whole of `picture` into the rectangle (x, y, w, h) of `target`, with exactly the pixels
// stretch_copy gives for the same picture held whole. The picture is decoded on a second thread where one can
// be started. A failure is the picture's, when it broke off part way; `target` is then partly drawn.
Outcome stretch_rows_copy(RowSource& picture, Image32& target, int x, int y, int w, int h);

}  // namespace morvane
