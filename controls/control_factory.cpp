#include "controls/control_factory.h"

#include "controls/elboton.h"
#include "controls/elcombo.h"
#include "controls/elframe.h"
#include "controls/elprogress.h"

namespace morvane::controls {

SkinnedControl* create_control(const QString& kind, QWidget* parent, const PropertyBag& definition) {
    const QString k = kind.toLower();
    SkinnedControl* control = nullptr;
    if (k == QLatin1String("elboton"))
        control = new elboton(parent);
    else if (k == QLatin1String("elframe"))
        control = new elframe(parent);
    else if (k == QLatin1String("elcombo"))
        control = new elcombo(parent);
    else if (k == QLatin1String("elprogress"))
        control = new elprogress(parent);
    if (control != nullptr) control->read_properties(definition);
    return control;
}

}  // namespace morvane::controls
