#include "gui/component.h"

#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "lang/localizer.h"

namespace s::gui {

int32_t clampToLimits(int32_t value, int32_t minimum, int32_t maximum) {
    if (minimum > maximum)
        return minimum;
    if (value < minimum)
        return minimum;
    return value > maximum ? maximum : value;
}

Color paleFrom(Color c) {
    uint32_t r = 255 - ((~c >> 1) & 127);
    uint32_t g = 255 - (((c >> 9) & 127) ^ 127);
    uint32_t b = 255 - (((c >> 17) & 127) ^ 127);
    return rgb(r, g, b);
}

void listenToWindowSources(IWindow* window, events::IEventListener* listener, bool on) {
    if (!window)
        return;
    if (lang::Localizer* localizer = window->localizer()) {
        if (on)
            localizer->addListener(listener);
        else
            localizer->removeListener(listener);
    }
    if (drawer::Skinner* skinner = window->skinner()) {
        if (on)
            skinner->addListener(listener);
        else
            skinner->removeListener(listener);
    }
}

}  // namespace s::gui
