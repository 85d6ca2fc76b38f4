#pragma once
// The controls' text service on Linux: Qt's fonts, measured and drawn as a QLabel of the same font would be, onto
// the control's own pixels.
#include "controls/core/text.h"

#include <QFont>

namespace morvane::controls {

// The Qt font of a face, with the program's stand-ins for faces the system lacks ("Tahoma").
QFont qt_font(const FontSpec& font);
FontSpec font_spec(const QFont& font);

class QtTextService : public TextService {
public:
    TextExtent measure(const FontSpec& font, const std::string& utf8) override;
    void draw(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8, PixelRect box,
              uint32_t colorref) override;
    void draw_centred(Image32& target, PixelRect clip, const FontSpec& font, const std::string& utf8, PixelRect box,
                      uint32_t colorref) override;
    bool has_family(const std::string& family) override;
};

// The one the controls share: it holds nothing of its own.
QtTextService& qt_text();

}  // namespace morvane::controls
