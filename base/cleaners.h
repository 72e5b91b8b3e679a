#pragma once

#include "base/object.h"

// Stateless disposers for containers and list cells; one shared instance each. Every
// dispose() does nothing for an empty slot and clears the slot afterwards.
namespace s::cleaner {

// Deletes an s::base::IObject (the slot must hold the IObject* of the object).
class CleanerIObject : public base::IDestructor {
public:
    void dispose(void** slot) override;
    static CleanerIObject& instance();
};

// Frees a block obtained with malloc/calloc/realloc.
class CleanerRaw : public base::IDestructor {
public:
    void dispose(void** slot) override;
    static CleanerRaw& instance();
};

// Frees a block obtained with operator new, without running a destructor.
class CleanerRawObject : public base::IDestructor {
public:
    void dispose(void** slot) override;
    static CleanerRawObject& instance();
};

}  // namespace s::cleaner
