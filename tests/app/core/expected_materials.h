#pragma once
// The material files byte for byte as the game reads them, written out here by hand rather than taken from the
// code under test, so that a change to the writer shows up as a failure.
#include <string>

namespace morvane::testing {

inline const std::string kStandardMaterial =
    "\"UnlitGeneric\"\r\n{\r\n\t\"$basetexture\" \"console/background01\"\r\n\t\"$vertexcolor\" 1\r\n"
    "\t\"$no_fullbright\" 1\r\n\t\"$ignorez\" 1\r\n}\r\n";
inline const std::string kWidescreenMaterial =
    "\"UnlitGeneric\"\r\n{\r\n\t\"$basetexture\" \"console/background01_widescreen\"\r\n\t\"$vertexcolor\" 1\r\n"
    "\t\"$no_fullbright\" 1\r\n\t\"$ignorez\" 1\r\n}\r\n";

}  // namespace morvane::testing
