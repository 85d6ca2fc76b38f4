# cmake -DINPUT=file -DOUTPUT=file.cpp -P EmbedFile.cmake
# Writes the bytes of INPUT as `morvane::kDefaultPictureJpeg` and its length.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made from ${INPUT} by cmake/EmbedFile.cmake.\n#include <cstddef>\n#include <cstdint>\n\n"
  "namespace morvane {\nextern const uint8_t kDefaultPictureJpeg[] = {\n${bytes}};\n"
  "extern const size_t kDefaultPictureJpegSize = ${size};\n}  // namespace morvane\n")
