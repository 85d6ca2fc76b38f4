#include "controls/core/label_face.h"

#include <vector>

namespace morvane::controls {

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

bool starts_character(unsigned char byte) { return (byte & 0xC0) != 0x80; }

}  // namespace

LabelFace label_from_settings(const Settings& settings) {
    LabelFace face;
    face.caption = settings.read("caption").as_text();
    face.fore = uint32_t(settings.read("forecolor", 0).as_int());
    face.font.family = settings.read("fontname", "Tahoma").as_text();
    face.font.points = settings.read("fontsize", 8.25).as_double();
    face.font.weight = settings.read("fontbold", false).as_bool() ? 700 : 400;
    face.centred = settings.read("alignment", "left").as_text() == "center";
    face.visible = settings.read("visible", true).as_bool();
    face.elided = settings.read("elide", "").as_text() == "middle";
    return face;
}

void paint_label(Image32& surface, const LabelFace& face, PixelRect box, TextService& text) {
    if (!face.visible) return;
    int y = box.y;
    for (std::string line : lines_of(face.caption)) {
        if (face.elided) line = elide_middle(line, box.width, face.font, text);
        const TextExtent extent = text.measure(face.font, line);
        // A box as high as the font's line stands the text at its top, where a top-aligned label puts it.
        if (face.centred)
            text.draw_centred(surface, box, face.font, line, PixelRect{box.x, y, box.width, extent.height}, face.fore);
        else
            text.draw(surface, box, face.font, line, PixelRect{box.x, y, extent.width, extent.height}, face.fore);
        y += extent.height;
    }
}

std::string elide_middle(const std::string& line, int width_pixels, const FontSpec& font, TextService& text) {
    if (text.measure(font, line).width <= width_pixels) return line;
    // Character starts, so that a cut never splits a character.
    std::vector<size_t> starts;
    for (size_t i = 0; i < line.size(); ++i)
        if (starts_character(static_cast<unsigned char>(line[i]))) starts.push_back(i);
    starts.push_back(line.size());
    const size_t count = starts.size() - 1;
    // Keep as many characters as fit, half from each end, the front one longer by one where odd.
    for (size_t keep = count; keep-- > 0;) {
        const size_t front = (keep + 1) / 2, back = keep / 2;
        const std::string shortened =
            line.substr(0, starts[front]) + "..." + line.substr(starts[count - back]);
        if (text.measure(font, shortened).width <= width_pixels) return shortened;
    }
    return "...";
}

}  // namespace morvane::controls
