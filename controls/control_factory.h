#pragma once
// Creates a skinned control by its kind name from a stored definition, for windows laid out as data:
//
//   SkinnedControl* c = create_control("elboton", window, PropertyBag{{"caption", "Load Picture"}});
//   c->set_geometry_pixels(692, 675, 117, 24);
#include "controls/property_bag.h"
#include "controls/skinned_control.h"

#include <QString>

namespace morvane::controls {

// "elboton", "elframe", "elcombo" or "elprogress" (any case): a new control owned by `parent`, with the
// definition read through its read_properties. nullptr for any other kind.
SkinnedControl* create_control(const QString& kind, QWidget* parent, const PropertyBag& definition);

}  // namespace morvane::controls
