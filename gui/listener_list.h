#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/event_listener.h"

namespace s::gui {

// Listeners of one event, called in the order they were added. Not owned. Used on the
// thread that sends the event (a window's thread); changed during set-up.
class ListenerList {
public:
    // Null is ignored.
    void add(events::IEventListener* listener) {
        if (listener)
            listeners_.add(listener);
    }
    void remove(events::IEventListener* listener) {
        int32_t at = 0;
        if (listeners_.indexOf(listener, at))
            listeners_.detach(at);
    }
    int32_t count() const { return listeners_.count(); }
    bool isEmpty() const { return listeners_.count() == 0; }
    void clear() { listeners_.clear(); }
    // Each listener in order; one added meanwhile is called too.
    void fire(base::IObject* source, int32_t eventId) {
        for (int32_t i = 0; i < listeners_.count(); ++i)
            static_cast<events::IEventListener*>(listeners_.get(i))->onEvent(source, eventId);
    }

private:
    col::_array::ArrayP listeners_;
};

}  // namespace s::gui
