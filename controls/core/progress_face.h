#pragma once
// elprogress, the progress bar, as plain data and pixels: a sunken strip, 24 pixels high, showing Value within
// 0..Max as a row of separate blocks in ForeColor: 8 x 16 pixels each, 12 pixels apart, the first 4 pixels
// from the left, as many as fit (SW / 12), filled in proportion Value / Max.
#include "controls/core/outer_size.h"
#include "controls/core/palette.h"
#include "controls/core/property_list.h"
#include "controls/core/skin.h"
#include "platform/pictures/image32.h"

#include <cstdint>

namespace morvane::controls {

struct ProgressFace {
    uint32_t fore = palette::kBlocks;  // ForeColor: the blocks
    uint32_t back = palette::kList;  // BackColor
    bool enabled = true;
    int32_t min = 0;
    int32_t max = 10;
    int32_t value = 0;
    uint32_t light = palette::kLightEdge;  // Color3DLight
    uint32_t dark = palette::kDarkEdge;  // Color3DDark

    // The range rules of the setters: Min always ends at 0; Max is at least Min; Value stays within Min..Max.
    // Stored settings are taken as they are (read_settings), without these.
    void set_min(int32_t v);
    void set_max(int32_t v);
    void set_value(int32_t v);
};

const PropertyList<ProgressFace>& progress_properties();

inline constexpr SizeRule kProgressSizeRule{360.0, 360.0};

// The blocks a bar `width_pixels` wide shows: none for an empty range, never more than fit.
int filled_blocks(const ProgressFace& face, int width_pixels);

// Fill, blocks, edge (on the outer size in exact pixels).
void paint_progress(Image32& surface, const ProgressFace& face, double width_pixels, double height_pixels,
                    const BackgroundBlend* blend = nullptr);

}  // namespace morvane::controls
