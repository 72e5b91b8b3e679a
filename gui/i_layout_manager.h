#pragma once

#include "base/object.h"
#include "base/pool.h"

namespace s::gui {

class IContainer;

// Arranges a container's children. Managers keep no state, so one instance serves every
// container; called on the thread of the container's window.
class ILayoutManager : public base::IObject, public thread::IPoolable {
public:
    // Left/top alignment, no spacing.
    virtual void doLayout(IContainer* container) = 0;
};

}  // namespace s::gui
