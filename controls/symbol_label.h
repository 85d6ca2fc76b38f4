#pragma once
// A label that shows one "Marlett" symbol (drawn as a shape where the font is missing), centred in its box:
// the combo box's drop-down triangle, and the close glyph of a title line, which a window can use directly:
//
//   auto* close = new SymbolLabel(SymbolGlyph::Close, window);
//   close->setGeometry(796, 8, 11, 14);
//   close->set_color(0xE0E0E0);                        // 9.75 points, weight 500 unless set otherwise
//   QObject::connect(close, &SymbolLabel::Click, ...);
//
// A host that lets the keyboard reach it gives it a focus policy; Space (on release) and Enter then raise
// Click as a left-button click does, and once the keyboard has been used in the window a dotted mark in
// the symbol's colour frames the focused label.
#include "controls/button_keys.h"
#include "platform/qt/symbol_font.h"

#include <QWidget>

#include <cstdint>

namespace morvane::controls {

class SymbolLabel : public QWidget {
    Q_OBJECT

public:
    explicit SymbolLabel(SymbolGlyph glyph, QWidget* parent = nullptr);

    SymbolGlyph glyph() const { return glyph_; }
    uint32_t color() const { return color_; }  // 0x00BBGGRR or system colour
    void set_color(uint32_t color);
    double point_size() const { return point_size_; }
    void set_point_size(double points);
    void set_weight(int weight);

signals:
    void Click();  // a left-button click on the label

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    SymbolGlyph glyph_;
    uint32_t color_ = 0x000000;
    double point_size_ = 9.75;
    int weight_ = 500;
    bool armed_ = false;
    ButtonKeys keys_{*this, [this] { emit Click(); }};
};

}  // namespace morvane::controls
