#include "app/forms/window_controls.h"

#include "controls/core/skin.h"
#include "platform/system/symbol_glyph.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace morvane::app {

namespace {

using namespace morvane::controls;

LiveControl make_live(const ControlDefinition& row, TwipsPerPixel ratios, const FontSpec& window_font) {
    LiveControl c;
    c.name = row.name;
    c.kind = row.kind;
    c.container = row.container;
    c.place = row.place;
    c.visible = row.settings.read("visible", true).as_bool();
    SizeRule rule;
    switch (row.kind) {
        case ControlKind::Button:
            read_settings(c.button, button_properties(), row.settings, window_font);
            rule = kButtonSizeRule;
            break;
        case ControlKind::Combo:
            read_settings(c.combo, combo_properties(), row.settings, window_font);
            rule = kComboSizeRule;
            break;
        case ControlKind::ProgressBar:
            read_settings(c.progress, progress_properties(), row.settings, window_font);
            rule = kProgressSizeRule;
            break;
        case ControlKind::Frame:
            c.frame = kNewFrame;
            read_settings(c.frame, frame_properties(), row.settings, window_font);
            break;
        case ControlKind::Label: c.label = label_from_settings(row.settings); break;
        case ControlKind::SymbolLabel:
            c.symbol.glyph = row.settings.read("symbol", "close").as_text() == "down" ? SymbolGlyph::DownTriangle
                                                                                      : SymbolGlyph::Close;
            c.symbol.color = uint32_t(row.settings.read("forecolor", 0).as_int());
            c.symbol.points = row.settings.read("fontsize", 9.75).as_double();
            c.symbol.weight = int(row.settings.read("fontweight", 500).as_int());
            c.symbol.dots_per_inch = int(std::lround(1440.0 / ratios.y));
            break;
        case ControlKind::PictureBox: c.visible = row.settings.read("visible", false).as_bool(); break;
    }
    if (row.kind == ControlKind::Button || row.kind == ControlKind::Combo || row.kind == ControlKind::ProgressBar ||
        row.kind == ControlKind::Frame) {
        // Pixels of the layout become the control's twips through the screen's ratio, and back.
        c.outer = apply_size_rule(rule, twips_of_pixels(row.place.width, row.place.height, ratios));
        const SurfaceSize size = surface_size(c.outer, ratios);
        c.place.width = size.width;
        c.place.height = size.height;
    }
    return c;
}

PixelRect intersect(PixelRect a, PixelRect b) {
    const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width), bottom = std::min(a.y + a.height, b.y + b.height);
    return PixelRect{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

// Copies `source` onto `target` with its top-left at (x, y), clipped to `clip` and the target.
void blit(Image32& target, const Image32& source, int x, int y, PixelRect clip) {
    const PixelRect area = clip_to(target, intersect(clip, PixelRect{x, y, source.width, source.height}));
    for (int row = area.y; row < area.y + area.height; ++row)
        std::memcpy(target.row(row) + size_t(area.x) * 4, source.row(row - y) + size_t(area.x - x) * 4,
                    size_t(area.width) * 4);
}

void paint_rows(Image32& surface, const WindowControls& controls, const std::string& container,
                const std::map<std::string, const Image32*>& pictures, TextService& text) {
    const PixelRect all{0, 0, surface.width, surface.height};
    for (const LiveControl& c : controls.all()) {
        if (c.container != container || !c.visible) continue;
        if (c.kind == ControlKind::Label) {
            paint_label(surface, c.label, intersect(all, c.place), text);
            continue;
        }
        if (c.kind == ControlKind::PictureBox) {
            const auto picture = pictures.find(c.name);
            if (picture != pictures.end() && picture->second) blit(surface, *picture->second, c.place.x, c.place.y, all);
            continue;
        }
        Image32 own(c.place.width, c.place.height);
        if (c.kind == ControlKind::SymbolLabel) blit(own, surface, -c.place.x, -c.place.y, PixelRect{0, 0, own.width, own.height});
        if (c.kind == ControlKind::Frame) {
            paint_frame_fill(own, c.frame);
            paint_rows(own, controls, c.name, pictures, text);
            paint_frame_edge(own, c.frame, c.outer.width, c.outer.height, controls.ratios());
        } else {
            paint_control(own, c, controls.ratios(), text);
        }
        blit(surface, own, c.place.x, c.place.y, all);
    }
}

}  // namespace

WindowControls::WindowControls(const FormDefinition& layout, TwipsPerPixel ratios, const FontSpec& window_font)
    : layout_(layout), ratios_(ratios) {
    for (const ControlDefinition& row : layout_.controls) controls_.push_back(make_live(row, ratios, window_font));
}

LiveControl* WindowControls::find(const std::string& name) {
    for (LiveControl& c : controls_)
        if (c.name == name) return &c;
    return nullptr;
}

const LiveControl* WindowControls::find(const std::string& name) const {
    return const_cast<WindowControls*>(this)->find(name);
}

PixelRect WindowControls::window_place(const LiveControl& control) const {
    PixelRect place = control.place;
    for (const LiveControl* c = find(control.container); c != nullptr; c = find(c->container)) {
        place.x += c->place.x;
        place.y += c->place.y;
    }
    return place;
}

PixelRect WindowControls::visible_place(const LiveControl& control) const {
    PixelRect visible = intersect(window_place(control), PixelRect{0, 0, layout_.client_width, layout_.client_height});
    for (const LiveControl* c = find(control.container); c != nullptr; c = find(c->container))
        visible = intersect(visible, window_place(*c));
    return visible;
}

void paint_control(Image32& surface, const LiveControl& c, TwipsPerPixel ratios, TextService& text) {
    const PixelRect all{0, 0, surface.width, surface.height};
    switch (c.kind) {
        case ControlKind::Button: paint_button(surface, c.button, c.button_state, c.outer.width, ratios, text); break;
        case ControlKind::Combo:
            paint_combo(surface, c.combo, c.list.shown_text(), c.combo_state, c.outer.width, ratios, text);
            break;
        case ControlKind::ProgressBar:
            paint_progress(surface, c.progress, c.outer.width / ratios.x, c.outer.height / ratios.y);
            break;
        case ControlKind::Frame:
            paint_frame_fill(surface, c.frame);
            paint_frame_edge(surface, c.frame, c.outer.width, c.outer.height, ratios);
            break;
        case ControlKind::Label: paint_label(surface, c.label, all, text); break;
        case ControlKind::SymbolLabel:
            paint_symbol(surface, c.symbol, all, text);
            if (c.symbol_focus_mark) paint_focus_mark(surface, all, c.symbol.color);
            break;
        case ControlKind::PictureBox: break;
    }
}

void paint_window(Image32& window, const WindowControls& controls, const std::map<std::string, const Image32*>& pictures,
                  TextService& text) {
    const FormDefinition& layout = controls.layout();
    if (window.width != layout.client_width || window.height != layout.client_height)
        window.reset(layout.client_width, layout.client_height);
    paint_rect(window, PixelRect{0, 0, window.width, window.height}, layout.back_color);
    paint_rows(window, controls, "", pictures, text);
}

}  // namespace morvane::app
