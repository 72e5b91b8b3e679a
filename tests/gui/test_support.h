#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "base/event_listener.h"
#include "base/object.h"
#include "base/str_buffer.h"
#include "gui/listbox2/record.h"

namespace s::gui::testing {

// Records every event it is told, in order.
class EventLog : public events::IEventListener {
public:
    void onEvent(base::IObject* source, int32_t eventId) override {
        sources.push_back(source);
        ids.push_back(eventId);
    }
    void clear() {
        sources.clear();
        ids.clear();
    }
    std::vector<base::IObject*> sources;
    std::vector<int32_t> ids;
};

// Counts disposals and frees nothing: values are plain test-owned integers.
class CountingDisposer : public base::IDestructor {
public:
    void dispose(void** slot) override {
        if (!slot || !*slot)
            return;
        disposed.push_back(*slot);
        *slot = nullptr;
    }
    std::vector<void*> disposed;
};

// A pooled string value for a cell (disposed through the string pool).
str::StrBuffer* textValue(const char16_t* text);

// A row whose cell 0 holds the text and cell 1 the number, both sortable by the
// framework's comparators.
listbox2::Record* textAndNumberRow(const char16_t* text, int64_t number, void* userData = nullptr);

// A row with one 64-bit cell.
listbox2::Record* numberRow(int64_t number, void* userData = nullptr);

}  // namespace s::gui::testing
