#pragma once
// Whether a PNG or JPEG file is whole, from its structure alone, before any decoder makes a buffer for it.
// libpng and libjpeg check this themselves as they decode; the Windows Imaging Component does not (it takes a
// PNG with wrong checksums and a JPEG cut in its data), so the Windows loader asks here first. The reasons
// are the words libpng and libjpeg use for the same faults, so that both systems say the same.
#include "platform/files/input_file.h"

namespace morvane {

// Failed for a PNG one of whose chunks claims more bytes than the file holds (libpng reserves a chunk's
// claimed length before reading it, so such a file of a few hundred bytes would take hundreds of megabytes and
// seconds), or whose header claims more pixels than its compressed data can hold: deflate makes at most 1032
// bytes of 1, so a 74-byte file cannot be a 16000 x 16000 picture, and is refused before any buffer of that
// size exists. With `whole`, also a critical chunk whose checksum is wrong ("IDAT: CRC error") and a file
// without its end chunk. Any other file passes; only the chunks are read, not decoded.
Outcome png_chunks_fit(InputFile& in, bool whole = false);

// Failed for a JPEG whose markers do not run from its start to its end marker: cut anywhere, a segment longer
// than the file, a restart marker out of turn in its scan data ("Corrupt JPEG data: found marker 0xd5 instead
// of RST2"), no scan at all. Bytes past the end marker are left alone. Any other file passes.
Outcome jpeg_markers_whole(InputFile& in);

// The orientation tag (1 to 8) of a JPEG's first EXIF block that records one, read from the markers before its
// scan as libjpeg keeps them; 0 for a file that is no JPEG or records none. For a system whose decoder does not
// report the tag (Wine's), so that the picture is turned as it is on Linux.
int jpeg_orientation_tag(InputFile& in);

}  // namespace morvane
