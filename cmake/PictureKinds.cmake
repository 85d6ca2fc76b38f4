# The kinds of picture Morvane opens, read from their one list (platform/codecs/picture_kinds.h):
#   MORVANE_PICTURE_MIME_TYPES   "image/bmp;image/jpeg;..." with a closing ";", as a desktop entry's MimeType has it
#   MORVANE_PICTURE_EXTENSIONS   ".bmp;.jpg;.jpeg;..." (a CMake list)
file(STRINGS ${PROJECT_SOURCE_DIR}/platform/codecs/picture_kinds.h kind_lines
     REGEX "^ *\\{\"[A-Z]+\", \"[.a-z ]+\", \"[a-z]+/[-.a-z0-9]+\"\\},$")
set(MORVANE_PICTURE_MIME_TYPES "")
set(MORVANE_PICTURE_EXTENSIONS "")
foreach(line IN LISTS kind_lines)
  string(REGEX REPLACE "^ *\\{\"[A-Z]+\", \"([.a-z ]+)\", \"([a-z]+/[-.a-z0-9]+)\"\\},$" "\\1|\\2" kind "${line}")
  string(REPLACE "|" ";" kind "${kind}")
  list(GET kind 0 extensions)
  list(GET kind 1 mime_type)
  string(APPEND MORVANE_PICTURE_MIME_TYPES "${mime_type};")
  string(REPLACE " " ";" extensions "${extensions}")
  list(APPEND MORVANE_PICTURE_EXTENSIONS ${extensions})
endforeach()
if(NOT MORVANE_PICTURE_EXTENSIONS)
  message(FATAL_ERROR "No picture kinds found in platform/codecs/picture_kinds.h")
endif()
