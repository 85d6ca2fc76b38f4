#include "app/form_builder.h"

#include "app/labels.h"
#include "app/picture_view.h"
#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/elprogress.h"
#include "controls/symbol_label.h"
#include "platform/picture_surface.h"
#include "platform/qt/system_colors.h"

#include <QPalette>

namespace morvane::app {

namespace {

template <class Control>
QWidget* make_control(QWidget* container, const ControlDefinition& row) {
    auto* control = new Control(container);
    control->read_properties(row.settings);
    // Pixels of the layout become the control's twips through the screen's ratio, and back.
    control->set_geometry_pixels(row.place.x(), row.place.y(), row.place.width(), row.place.height());
    return control;
}

QWidget* make(QWidget* container, const ControlDefinition& row,
              const std::map<QString, PictureSurface*>& surfaces) {
    switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new TextLabel(container);
            label->setGeometry(row.place);
            label->read_properties(row.settings);
            return label;
        }
        case ControlKind::SymbolLabel: {
            const bool down = row.settings.read("symbol", "close").toString() == "down";
            auto* label = new controls::SymbolLabel(down ? SymbolGlyph::DownTriangle
                                                        : SymbolGlyph::Close, container);
            label->setGeometry(row.place);
            read_symbol_properties(*label, row.settings);
            return label;
        }
        case ControlKind::Frame: return make_control<controls::elframe>(container, row);
        case ControlKind::Combo: return make_control<controls::elcombo>(container, row);
        case ControlKind::Button: return make_control<controls::elboton>(container, row);
        case ControlKind::ProgressBar: return make_control<controls::elprogress>(container, row);
        case ControlKind::PictureBox: {
            const auto surface = surfaces.find(row.name);
            if (surface == surfaces.end() || !row.settings.read("visible", false).toBool()) return nullptr;
            auto* view = new PictureView(*surface->second, container);
            view->move(row.place.topLeft());
            return view;
        }
    }
    return nullptr;
}

}  // namespace

QWidget* BuiltForm::find(const QString& name) const {
    const auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

BuiltForm build_form(QWidget& form, const FormDefinition& layout,
                     const std::map<QString, PictureSurface*>& surfaces) {
    form.setFixedSize(layout.client_width, layout.client_height);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, to_qcolor(layout.back_color));
    form.setPalette(palette);
    form.setAutoFillBackground(true);

    BuiltForm built;
    for (const ControlDefinition& row : layout.controls) {
        QWidget* container = row.container.isEmpty() ? &form : built.find(row.container);
        if (container == nullptr) continue;
        if (QWidget* widget = make(container, row, surfaces)) {
            widget->setObjectName(row.name);
            widget->setVisible(row.settings.read("visible", true).toBool());
            built.widgets_[row.name] = widget;
        }
    }
    return built;
}

}  // namespace morvane::app
