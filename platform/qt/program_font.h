#pragma once
// The text faces the windows name ("Tahoma", "MS Sans Serif"), with a close sans-serif stand-in where the
// system lacks them (as on Linux), so that fonts keep their stored names everywhere.
#include <QFont>
#include <QString>

namespace morvane {

// A font of the face, size in points and weight, the stand-ins installed once.
QFont program_font(const QString& family, double point_size, bool bold = false);

}  // namespace morvane
