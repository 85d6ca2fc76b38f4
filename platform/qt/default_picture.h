#pragma once
// The picture a build uses before the user has loaded one, compiled into the program.
#include "platform/image32.h"

namespace morvane {

// 1024 x 1024, opaque blue, green, red, 255; decoded once on first use.
const Image32& default_picture();

}  // namespace morvane
