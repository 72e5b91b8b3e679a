#pragma once

#include <cstdint>

namespace s::base {
class IObject;
}

namespace s::gui::events {

// Receives numbered events; the event's data is read back from the source.
// Kept in the base layer because non-GUI objects (the localizer) report events too.
class IEventListener {
public:
    virtual ~IEventListener() = default;
    virtual void onEvent(s::base::IObject* source, int32_t eventId) = 0;
};

}  // namespace s::gui::events
