#include "controls/core/frame_face.h"

#include "controls/core/skin.h"

namespace morvane::controls {

const PropertyList<FrameFace>& frame_properties() {
    using F = FrameFace;
    static const PropertyList<F> list = {
        color("BackColor", &F::back),
        boolean("Enabled", &F::enabled),
        color("Color3DLight", &F::light),
        color("Color3DDark", &F::dark),
    };
    return list;
}

void paint_frame_fill(Image32& surface, const FrameFace& face, const BackgroundBlend* blend) {
    paint_background(surface, face.back, blend);
}

void paint_frame_edge(Image32& surface, const FrameFace& face, double width_twips, double height_twips,
                      TwipsPerPixel ratios) {
    EdgeLines lines;
    place_box_edge(lines, width_twips / ratios.x, height_twips / ratios.y);
    color_edge(lines, EdgeLook::Sunken, face.light, face.dark);
    paint_edge_lines(surface, lines);
}

}  // namespace morvane::controls
