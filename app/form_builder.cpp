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

QVariant qt_value(const controls::SettingValue& value, const std::string& key) {
    if (value.is_text()) return QString::fromStdString(value.as_text());
    const controls::SettingValue as_flag(value.as_bool());
    if (value == as_flag) return value.as_bool();
    if (value == controls::SettingValue(value.as_int())) {
        // Colours are 32-bit patterns; other whole numbers are plain integers.
        if (key.find("color") != std::string::npos) return QVariant::fromValue(quint32(value.as_int()));
        return QVariant::fromValue(int(value.as_int()));
    }
    return value.as_double();
}

QRect qt_rect(const PixelRect& r) { return QRect(r.x, r.y, r.width, r.height); }

template <class Control>
QWidget* make_control(QWidget* container, const ControlDefinition& row) {
    auto* control = new Control(container);
    control->read_properties(qt_settings(row.settings));
    // Pixels of the layout become the control's twips through the screen's ratio, and back.
    control->set_geometry_pixels(row.place.x, row.place.y, row.place.width, row.place.height);
    return control;
}

QWidget* make(QWidget* container, const ControlDefinition& row,
              const std::map<std::string, PictureSurface*>& surfaces) {
    const controls::PropertyBag settings = qt_settings(row.settings);
    switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new TextLabel(container);
            label->setGeometry(qt_rect(row.place));
            label->read_properties(settings);
            return label;
        }
        case ControlKind::SymbolLabel: {
            const bool down = settings.read("symbol", "close").toString() == "down";
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
            if (surface == surfaces.end() || !settings.read("visible", false).toBool()) return nullptr;
            auto* view = new PictureView(*surface->second, container);
            view->move(row.place.x, row.place.y);
            return view;
        }
    }
    return nullptr;
}

}  // namespace

controls::PropertyBag qt_settings(const controls::Settings& settings) {
    controls::PropertyBag bag;
    for (const auto& [key, value] : settings.pairs()) bag.set(QString::fromStdString(key), qt_value(value, key));
    return bag;
}

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
