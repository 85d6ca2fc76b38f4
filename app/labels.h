#pragma once
// The windows' plain labels: text on a transparent back, and the title line's close glyph. Both are built
// from a stored definition like the skinned controls:
//   caption, forecolor (0x00BBGGRR), fontname, fontsize (points), fontbold, fontweight, alignment
//   ("left", "center"), and for the glyph label symbol ("close").
#include <QLabel>
#include <QPointF>
#include <QWidget>

#include <cstdint>

namespace morvane {
class PropertyBag;
}

namespace morvane_ui {

// A text label that reports the mouse, so the title line can move its window.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent);
    void read_properties(const morvane::PropertyBag& settings);

signals:
    void mouse_down(QPointF position_pixels);  // inside the label
    void mouse_move(QPointF position_pixels);
    void mouse_up(QPointF position_pixels);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A label showing one glyph of the symbol font (the close cross), centred.
class SymbolLabel : public QWidget {
    Q_OBJECT
public:
    explicit SymbolLabel(QWidget* parent);
    void read_properties(const morvane::PropertyBag& settings);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    uint32_t color_ = 0xE0E0E0;
    double point_size_ = 9.75;
    int weight_ = 500;
};

}  // namespace morvane_ui
