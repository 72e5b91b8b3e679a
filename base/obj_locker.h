#pragma once

#include "base/critical_section.h"
#include "base/object.h"

namespace s::thread {

// A lock object (recursive for the owning thread) that can also own one object and dispose
// of it when the locker is destroyed. Not pooled.
class ObjLocker : public base::IObject {
public:
    using Deleter = void (*)(void*);

    ObjLocker() = default;
    ~ObjLocker() override;
    ObjLocker(const ObjLocker&) = delete;
    ObjLocker& operator=(const ObjLocker&) = delete;

    void lock() { section_.enter(); }
    void unlock() { section_.leave(); }
    bool tryLock() { return section_.tryEnter(); }

    // The locker takes ownership of `object`; a previously owned object is disposed first.
    void setOwned(void* object, Deleter deleter);
    void setOwned(void* object, base::IDestructor* destructor);
    void setOwned(base::IObject* object);  // deleted through its virtual destructor
    void* owned() const { return owned_; }
    // Hands the owned object back without disposing it.
    void* detachOwned();

    const char16_t* className() const override { return u"s_thread_ObjLocker"; }
    ObjLocker* newInstance() const override;  // unpooled

private:
    void disposeOwned();

    void* owned_ = nullptr;
    Deleter ownedDeleter_ = nullptr;
    base::IDestructor* ownedDestructor_ = nullptr;
    CriticalSection section_;
};

// Holds an ObjLocker for the lifetime of a scope.
class Locked {
public:
    explicit Locked(ObjLocker& locker) : locker_(locker) { locker_.lock(); }
    ~Locked() { locker_.unlock(); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    ObjLocker& locker_;
};

}  // namespace s::thread
