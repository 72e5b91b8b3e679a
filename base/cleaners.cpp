#include "base/cleaners.h"

#include <cstdlib>
#include <new>

namespace s::cleaner {

void CleanerIObject::dispose(void** slot) {
    if (!slot || !*slot)
        return;
    delete static_cast<base::IObject*>(*slot);
    *slot = nullptr;
}

CleanerIObject& CleanerIObject::instance() {
    static CleanerIObject* const shared =
        new CleanerIObject();  // immortal: usable during static destruction
    return *shared;
}

void CleanerRaw::dispose(void** slot) {
    if (!slot || !*slot)
        return;
    std::free(*slot);
    *slot = nullptr;
}

CleanerRaw& CleanerRaw::instance() {
    static CleanerRaw* const shared =
        new CleanerRaw();  // immortal: usable during static destruction
    return *shared;
}

void CleanerRawObject::dispose(void** slot) {
    if (!slot || !*slot)
        return;
    ::operator delete(*slot);
    *slot = nullptr;
}

CleanerRawObject& CleanerRawObject::instance() {
    static CleanerRawObject* const shared =
        new CleanerRawObject();  // immortal: usable during static destruction
    return *shared;
}

}  // namespace s::cleaner
