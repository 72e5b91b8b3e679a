#pragma once

#include "gui/i_component.h"

namespace s::gui {

class ILayoutManager;

// A component with children and a layout manager. Same thread as IComponent.
class IContainer : public IComponent {
public:
    // Arranges the children with the layout manager.
    virtual void doLayout() = 0;
    virtual ILayoutManager* layoutManager() const = 0;
    // Not owned.
    virtual void setLayoutManager(ILayoutManager* manager) = 0;
};

}  // namespace s::gui
