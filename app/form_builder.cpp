#include "app/form_builder.h"

#include "app/labels.h"
#include "app/picture_view.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/elprogress.h"
#include "controls/symbol_label.h"
#include "platform/pictures/picture_surface.h"
#include "platform/qt/system_colors.h"

#include <QPalette>

namespace morvane::app {

namespace {

QRect qt_rect(const PixelRect& r) { return QRect(r.x, r.y, r.width, r.height); }

template <class Control>
QWidget* make_control(QWidget* container, const ControlDefinition& row) {
    auto* control = new Control(container);
    control->read_properties(row.settings);
    // Pixels of the layout become the control's twips through the screen's ratio, and back.
    control->set_geometry_pixels(row.place.x, row.place.y, row.place.width, row.place.height);
    return control;
}

QWidget* make(QWidget* container, const ControlDefinition& row,
              const std::map<std::string, PictureSurface*>& surfaces) {
    const controls::Settings& settings = row.settings;
    switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new TextLabel(container);
            label->setGeometry(qt_rect(row.place));
            label->read_properties(settings);
            return label;
        }
        case ControlKind::SymbolLabel: {
            const bool down = settings.read("symbol", "close").as_text() == "down";
            auto* label = new controls::SymbolLabel(down ? SymbolGlyph::DownTriangle
                                                        : SymbolGlyph::Close, container);
            label->setGeometry(qt_rect(row.place));
            read_symbol_properties(*label, settings);
            return label;
        }
        case ControlKind::Frame: return make_control<controls::elframe>(container, row);
        case ControlKind::Combo: return make_control<controls::elcombo>(container, row);
        case ControlKind::Button: return make_control<controls::elboton>(container, row);
        case ControlKind::ProgressBar: return make_control<controls::elprogress>(container, row);
        case ControlKind::PictureBox: {
            const auto surface = surfaces.find(row.name);
            if (surface == surfaces.end() || !settings.read("visible", false).as_bool()) return nullptr;
            auto* view = new PictureView(*surface->second, container);
            view->move(row.place.x, row.place.y);
            return view;
        }
    }
    return nullptr;
}

}  // namespace

QWidget* BuiltForm::find(const std::string& name) const {
    const auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

BuiltForm build_form(QWidget& form, const FormDefinition& layout,
                     const std::map<std::string, PictureSurface*>& surfaces) {
    form.setFixedSize(layout.client_width, layout.client_height);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, to_qcolor(layout.back_color));
    form.setPalette(palette);
    form.setAutoFillBackground(true);

    BuiltForm built;
    for (const ControlDefinition& row : layout.controls) {
        QWidget* container = row.container.empty() ? &form : built.find(row.container);
        if (container == nullptr) continue;
        if (QWidget* widget = make(container, row, surfaces)) {
            widget->setObjectName(QString::fromStdString(row.name));
            widget->setVisible(row.settings.read("visible", true).as_bool());
            built.widgets_[row.name] = widget;
        }
    }
    return built;
}

}  // namespace morvane::app
