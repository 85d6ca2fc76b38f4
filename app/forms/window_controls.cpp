#include "app/forms/window_controls.h"

#include "controls/core/skin.h"
#include "platform/system/symbol_glyph.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace morvane::app {

namespace {

using namespace morvane::controls;

// The skinned control's outer size in twips from the layout's pixels, after its size rule, and the pixels of that.
template <class Control>
void size_from_layout(Control& control, PixelRect& place, TwipsPerPixel ratios) {
    control.set_ratios(ratios);
    const TwipsSize asked = twips_of_pixels(place.width, place.height, ratios);
    control.set_size_twips(asked.width, asked.height);
    const SurfaceSize size = surface_size(control.size_twips(), ratios);
    place.width = size.width;
    place.height = size.height;
}

LiveControl make_live(const ControlDefinition& row, TwipsPerPixel ratios, const FontSpec& window_font) {
    LiveControl c;
    c.name = row.name;
    c.kind = row.kind;
    c.place = row.place;
    c.visible = row.settings.read("visible", true).as_bool();
    c.accessible = row.settings.read("accessible", "").as_text();
    switch (row.kind) {
        case ControlKind::Button:
            c.button.read_properties(row.settings, window_font);
            size_from_layout(c.button, c.place, ratios);
            break;
        case ControlKind::Combo:
            c.combo.read_properties(row.settings, window_font);
            size_from_layout(c.combo, c.place, ratios);
            break;
        case ControlKind::ProgressBar:
            c.progress.read_properties(row.settings, window_font);
            size_from_layout(c.progress, c.place, ratios);
            break;
        case ControlKind::Frame:
            c.frame.read_properties(row.settings, window_font);
            size_from_layout(c.frame, c.place, ratios);
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

void paint_rows(Image32& surface, const WindowControls& controls, int container, TextService& text) {
    const PixelRect all{0, 0, surface.width, surface.height};
    for (size_t row = 0; row < controls.all().size(); ++row) {
        const LiveControl& c = controls.all()[row];
        if (c.container != container || !c.visible) continue;
        if (c.kind == ControlKind::Label) {
            paint_label(surface, c.label, intersect(all, c.place), text);
            continue;
        }
        if (c.kind == ControlKind::PictureBox) {
            if (c.picture) blit(surface, *c.picture, c.place.x, c.place.y, all);
            continue;
        }
        Image32 own(c.place.width, c.place.height);
        if (c.kind == ControlKind::SymbolLabel) blit(own, surface, -c.place.x, -c.place.y, PixelRect{0, 0, own.width, own.height});
        if (c.kind == ControlKind::Frame) {
            paint_frame_fill(own, c.frame.face(), c.frame.blend());
            paint_rows(own, controls, int(row), text);
            paint_frame_edge(own, c.frame.face(), c.frame.size_twips().width, c.frame.size_twips().height,
                             controls.ratios());
        } else {
            paint_control(own, c, controls.ratios(), text);
        }
        blit(surface, own, c.place.x, c.place.y, all);
    }
}

}  // namespace

WindowControls::WindowControls(const FormDefinition& layout, TwipsPerPixel ratios, const FontSpec& window_font)
    : layout_(layout), ratios_(ratios) {
    for (const ControlDefinition& row : layout_.controls) {
        controls_.push_back(make_live(row, ratios, window_font));
        for (size_t held_by = 0; held_by < controls_.size(); ++held_by)
            if (layout_.controls[held_by].name == row.container) controls_.back().container = int(held_by);
    }
}

PixelRect WindowControls::window_place(const LiveControl& control) const {
    PixelRect place = control.place;
    for (int c = control.container; c >= 0; c = controls_[size_t(c)].container) {
        place.x += controls_[size_t(c)].place.x;
        place.y += controls_[size_t(c)].place.y;
    }
    return place;
}

void paint_control(Image32& surface, const LiveControl& c, TwipsPerPixel ratios, TextService& text) {
    const PixelRect all{0, 0, surface.width, surface.height};
    switch (c.kind) {
        case ControlKind::Button:
            paint_button(surface, c.button.face(), c.button.state, c.button.size_twips().width, ratios, text,
                         c.button.blend());
            break;
        case ControlKind::Combo:
            paint_combo(surface, c.combo.face(), c.combo.list().shown_text(), c.combo.state, c.combo.size_twips().width,
                        ratios, text, c.combo.blend());
            break;
        case ControlKind::ProgressBar:
            paint_progress(surface, c.progress.face(), c.progress.size_twips().width / ratios.x,
                           c.progress.size_twips().height / ratios.y, c.progress.blend());
            break;
        case ControlKind::Frame:
            paint_frame_fill(surface, c.frame.face(), c.frame.blend());
            paint_frame_edge(surface, c.frame.face(), c.frame.size_twips().width, c.frame.size_twips().height, ratios);
            break;
        case ControlKind::Label: paint_label(surface, c.label, all, text); break;
        case ControlKind::SymbolLabel:
            paint_symbol(surface, c.symbol, all, text);
            if (c.symbol_focus_mark) paint_focus_mark(surface, all, c.symbol.color);
            break;
        case ControlKind::PictureBox: break;
    }
}

void paint_window(Image32& window, const WindowControls& controls, TextService& text) {
    const FormDefinition& layout = controls.layout();
    if (window.width != layout.client_width || window.height != layout.client_height)
        window.reset(layout.client_width, layout.client_height);
    paint_rect(window, PixelRect{0, 0, window.width, window.height}, layout.back_color);
    paint_rows(window, controls, -1, text);
}

std::string heard_name(const LiveControl& control) {
    if (!control.accessible.empty() || control.kind != ControlKind::Button) return control.accessible;
    return control.button.Caption();
}

std::string progress_percent(const elprogress& bar) {
    const int64_t range = int64_t(bar.Max()) - bar.Min();
    return std::to_string(range > 0 ? (int64_t(bar.Value()) - bar.Min()) * 100 / range : 0) + "%";
}

}  // namespace morvane::app
