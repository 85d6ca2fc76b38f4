#pragma once
// What assistive technology (a screen reader) learns of the program's own controls through Qt's accessibility
// interface: a push button with its caption and a press action, a frame as a grouping, a progress bar with its
// value, the close glyph as a button named "Close". The list control inside a combo box is Qt's own combo
// box; its name is the one the host gives the control.
class QAccessibleInterface;
class QObject;
class QString;

namespace morvane::controls {

// Qt's accessibility factory for the controls; every skinned control installs it once when it is made.
QAccessibleInterface* accessible_control(const QString& class_name, QObject* object);
void install_accessible_controls();

}  // namespace morvane::controls
