#include "gui/events/enablers.h"

#include "gui/i_component.h"
#include "gui/i_editable.h"

namespace s::gui::events {

void Enabler::apply(IComponent& target) {
    target.setEnabled(true);
}

void Disabler::apply(IComponent& target) {
    target.setEnabled(false);
}

void Editabler::apply(IEditable& target) {
    target.setEditable(true);
}

void UnEditabler::apply(IEditable& target) {
    target.setEditable(false);
}

}  // namespace s::gui::events
