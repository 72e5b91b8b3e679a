#include "base/obj_locker.h"

namespace s::thread {

ObjLocker::~ObjLocker() {
    disposeOwned();
}

void ObjLocker::setOwned(void* object, Deleter deleter) {
    disposeOwned();
    owned_ = object;
    ownedDeleter_ = deleter;
    ownedDestructor_ = nullptr;
}

void ObjLocker::setOwned(void* object, base::IDestructor* destructor) {
    disposeOwned();
    owned_ = object;
    ownedDeleter_ = nullptr;
    ownedDestructor_ = destructor;
}

void ObjLocker::setOwned(base::IObject* object) {
    // Plain deletion through the virtual destructor; the deleter knows the pointer's type.
    setOwned(static_cast<void*>(object), [](void* p) { delete static_cast<base::IObject*>(p); });
}

void* ObjLocker::detachOwned() {
    void* object = owned_;
    owned_ = nullptr;
    ownedDeleter_ = nullptr;
    ownedDestructor_ = nullptr;
    return object;
}

ObjLocker* ObjLocker::newInstance() const {
    return new ObjLocker();
}

void ObjLocker::disposeOwned() {
    if (!owned_)
        return;
    if (ownedDeleter_) {
        ownedDeleter_(owned_);
    } else if (ownedDestructor_) {
        void* slot = owned_;
        ownedDestructor_->dispose(&slot);
    }
    owned_ = nullptr;
    ownedDeleter_ = nullptr;
    ownedDestructor_ = nullptr;
}

}  // namespace s::thread
