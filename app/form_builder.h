#pragma once
// Makes a window's controls from its stored layout: each control is created, placed, and given its
// settings through its read-settings entry. Picture boxes are the window's own surfaces; a visible one
// is shown through a PictureView at its place, so the control holding it clips it.
#include "app/forms/form_definition.h"

#include <QString>
#include <QWidget>

#include <map>
#include <string>

namespace morvane {
class PictureSurface;
}

namespace morvane::app {

class BuiltForm {
public:
    QWidget* find(const std::string& name) const;
    template <class T>
    T* get(const std::string& name) const { return dynamic_cast<T*>(find(name)); }

private:
    friend BuiltForm build_form(QWidget&, const FormDefinition&, const std::map<std::string, PictureSurface*>&);
    std::map<std::string, QWidget*> widgets_;
};

// The form gets its client size and back colour; every row of the layout becomes a child widget, created in
// the layout's order (later rows above earlier ones), shown unless its "visible" setting is false.
// `surfaces` holds the picture boxes by name.
BuiltForm build_form(QWidget& form, const FormDefinition& layout,
                     const std::map<std::string, PictureSurface*>& surfaces);

}  // namespace morvane::app
