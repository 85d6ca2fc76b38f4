#include "app/win/screen_pixels.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

namespace morvane::app {

void show_pixels(HDC dc, const Image32& image, PixelRect source, int x, int y) {
    const PixelRect piece = clip_to(image, source);
    if (piece.width == 0 || piece.height == 0 || !image.well_formed()) return;
    x += piece.x - source.x;
    y += piece.y - source.y;
    // One contiguous block of the piece's rows: the DIB's rows follow each other without gaps.
    PixelBytes rows(size_t(piece.width) * size_t(piece.height) * 4);
    const size_t row_bytes = size_t(piece.width) * 4;
    for (int r = 0; r < piece.height; ++r)
        std::memcpy(rows.data() + r * row_bytes, image.row(piece.y + r) + size_t(piece.x) * 4, row_bytes);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = piece.width;
    info.bmiHeader.biHeight = -piece.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, x, y, DWORD(piece.width), DWORD(piece.height), 0, 0, 0, UINT(piece.height), rows.data(),
                      &info, DIB_RGB_COLORS);
}

}  // namespace morvane::app
