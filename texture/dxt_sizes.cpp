#include "texture/dxt_sizes.h"

#include "dxt/dxt_squish.h"
#include "texture/vtfmod.h"

namespace morvane::texture {

double compressed_size(int32_t format, int32_t width, int32_t height) {
    switch (format) {
        case DXT5: return Get_Dxt5_Buffer_Size(width, height, kLibraryFlags);
        case DXT3: return Get_Dxt3_Buffer_Size(width, height, kLibraryFlags);
        case DXT1: return Get_Dxt1_Buffer_Size(width, height, kLibraryFlags);
        default: return 0;
    }
}

}  // namespace morvane::texture
