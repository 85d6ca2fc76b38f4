#pragma once
// Shows a picture surface's persistent image on screen at its pixel size: the visible side of a picture box.
// The surface stays plain data; the view only paints it, so whatever is placed over the view's parent clips it.
#include <QWidget>

namespace morvane {
class PictureSurface;
}

namespace morvane::app {

class PictureView : public QWidget {
public:
    PictureView(const PictureSurface& surface, QWidget* parent);
    // The surface changed: take its size and repaint.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PictureSurface& surface_;
};

}  // namespace morvane::app
