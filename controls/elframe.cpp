#include "controls/elframe.h"

#include "controls/skin_painter.h"
#include "platform/qt/system_colors.h"

#include <QChildEvent>
#include <QPainter>

#include <functional>

namespace morvane::controls {

namespace {

// The edge lines as a child element of their own, kept above every other child, so that whatever the frame
// holds never covers them.
class EdgeOverlay final : public QWidget {
public:
    EdgeOverlay(QWidget* parent, std::function<EdgeLines()> lines) : QWidget(parent), lines_(std::move(lines)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint_edge_lines(painter, lines_(), size());
    }

private:
    std::function<EdgeLines()> lines_;
};

}  // namespace

elframe::elframe(QWidget* parent) : FaceControl(parent, TwipsSize{8040, 6525}, kNewFrame, frame_properties()) {
    edge_ = new EdgeOverlay(this, [this] {
        FrameFace shown = face_;
        shown.light = resolve_color(shown.light);
        shown.dark = resolve_color(shown.dark);
        return frame_edge_lines(shown, size_twips().width, size_twips().height, ratios());
    });
    finish_construction();
}

void elframe::paint_face(Image32& surface, const BackgroundBlend* blend) const {
    paint_frame_fill(surface, FrameFace{resolve_color(face_.back), face_.enabled, face_.light, face_.dark}, blend);
}

void elframe::layout_content() {
    if (edge_ == nullptr) return;
    edge_->setGeometry(rect());
    edge_->raise();
    edge_->update();
}

void elframe::childEvent(QChildEvent* event) {
    SkinnedControl::childEvent(event);
    // Whatever is added later (the frame's contents) goes below the edge lines.
    if (edge_ != nullptr && event->child() != edge_ &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished))
        edge_->raise();
}

}  // namespace morvane::controls
