#pragma once
// The windows' plain labels: text on a transparent back, and the title line's close glyph. Both are built
// from a stored definition like the skinned controls:
//   caption, forecolor (0x00BBGGRR), fontname, fontsize (points), fontbold, fontweight, alignment
//   ("left", "center").
#include <QLabel>
#include <QPointF>
#include <QWidget>

#include <cstdint>

namespace morvane::controls {
class Settings;
class SymbolLabel;
}

namespace morvane::app {

// A text label that reports the mouse, so the title line can move its window.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent);
    void read_properties(const controls::Settings& settings);

signals:
    void mouse_down(QPointF position_pixels);  // inside the label
    void mouse_move(QPointF position_pixels);
    void mouse_up(QPointF position_pixels);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The close glyph: the controls' symbol label, given its settings from the stored definition
// (symbol "close" or "down", forecolor, fontsize, fontweight).
void read_symbol_properties(controls::SymbolLabel& label, const controls::Settings& settings);

}  // namespace morvane::app
