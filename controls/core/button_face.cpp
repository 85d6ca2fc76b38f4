#include "controls/core/button_face.h"

#include "controls/core/skin.h"

#include <cmath>

namespace morvane::controls {

const PropertyList<ButtonFace>& button_properties() {
    using B = ButtonFace;
    static const PropertyList<B> list = [] {
        PropertyList<B> l = {
            color("ForeColor", &B::fore),
            color("BackColor", &B::back),
            boolean("Enabled", &B::enabled),
            text("Caption", &B::caption),
            color("Color3DLight", &B::light),
            color("Color3DDark", &B::dark),
        };
        for (auto& font : font_keys(&B::font)) l.push_back(std::move(font));
        l.push_back(boolean("DropShadow", &B::drop_shadow));
        l.push_back(boolean("CenterCaption", &B::center_caption));
        return l;
    }();
    return list;
}

CaptionPlace place_caption(const ButtonFace& face, double width_twips, TwipsPerPixel ratios, int height_pixels,
                           TextService& text) {
    CaptionPlace place;
    place.extent = text.measure(face.font, face.caption);
    double left = 6, shadow_left = 7;
    if (face.center_caption) {
        const double middle = width_twips / 2 / ratios.x;  // pixels
        left = middle - place.extent.width / 2.0;
        shadow_left = left + 1;
    }
    place.x = int(std::lround(left));
    place.shadow_x = int(std::lround(shadow_left));
    if (place.extent.box_height < height_pixels) {
        place.y = int(std::floor(height_pixels / 2.0 - place.extent.height / 2.0));
        place.shadow_y = place.y + 1;
    }
    return place;
}

void paint_button(Image32& surface, const ButtonFace& face, ButtonState state, double width_twips,
                  TwipsPerPixel ratios, TextService& text, const BackgroundBlend* blend) {
    const PixelRect all{0, 0, surface.width, surface.height};
    paint_background(surface, face.back, blend);
    const CaptionPlace place = place_caption(face, width_twips, ratios, surface.height, text);
    const int w = place.extent.width, h = place.extent.box_height;
    if (face.drop_shadow)
        text.draw(surface, all, face.font, face.caption, PixelRect{place.shadow_x, place.shadow_y, w, h}, 0x000000);
    text.draw(surface, all, face.font, face.caption, PixelRect{place.x, place.y, w, h}, face.fore);
    EdgeLines lines;
    place_box_edge(lines, width_twips / ratios.x, *kButtonSizeRule.forced_height_twips / ratios.y);
    lines.bottom.x1 = 1;
    color_edge(lines, state.held ? EdgeLook::Sunken : EdgeLook::Raised, face.light, face.dark);
    paint_edge_lines(surface, lines);
    if (state.focus_mark) paint_focus_mark(surface, PixelRect{2, 2, surface.width - 4, surface.height - 4}, face.light);
}

}  // namespace morvane::controls
