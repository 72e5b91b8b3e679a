#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/obj_locker.h"
#include "base/object.h"

namespace s::thread {

// Secondary base of every pooled class.
class IPoolable {
public:
    virtual ~IPoolable() = default;
    // Gives the instance back to its class's pool; the caller must not touch it afterwards.
    virtual void release() = 0;
    // Returns the instance to its freshly-constructed state; the pool calls it on return.
    virtual void reset() = 0;
};

// A pool of idle instances of one class. Instances travel as void* holding the class's own
// pointer type (the T* of poolOf<T>()); the three functions know that type.
class EasyPooler : public base::IObject, public base::IGenerator, public base::IDestructor {
public:
    using Generator = void* (*)();
    using Destroyer = void (*)(void*);
    using Resetter = void (*)(void*);

    static constexpr int32_t kDefaultCapacity = 1000;

    EasyPooler(int32_t capacity, Generator generator, Destroyer destroyer, Resetter resetter);
    // Closes the pool; instances in use are not touched.
    ~EasyPooler() override;
    EasyPooler(const EasyPooler&) = delete;
    EasyPooler& operator=(const EasyPooler&) = delete;

    // A clean instance: the last idle one, or a new one (nullptr when allocation fails).
    void* get();
    // Resets and keeps the instance while fewer than `capacity` are idle, else destroys it.
    // A closed pool destroys every instance given back. The reset runs without the pool's
    // lock, so it may wait for a thread that uses this pool.
    void put(void* instance);

    void* generate() override { return get(); }
    void dispose(void** slot) override;

    int32_t capacity() const { return capacity_; }
    void setCapacity(int32_t capacity);
    int32_t idleCount();
    // Destroys every idle instance now.
    void drain();
    // Destroys the idle instances, frees the free list and from then on keeps nothing: what
    // is given back later is destroyed at once and get() makes new instances. The process-wide
    // pools close at exit; the pool object itself stays valid for late releases.
    void close();
    bool isClosed();

    const char16_t* className() const override { return u"s_thread_EasyPooler"; }
    EasyPooler* newInstance() const override;  // unpooled, same capacity and functions

private:
    bool hasRoom();

    ObjLocker lock_;
    void** freeList_ = nullptr;
    uint32_t freeCount_ = 0;
    uint32_t freeCapacity_ = 0;
    int32_t capacity_;
    Generator generator_;
    Destroyer destroyer_;
    Resetter resetter_;
    bool closed_ = false;
};

// Holds one process-wide pool: created once (a function-local static, so thread-safe on
// first use), closed by its destructor at process exit. The EasyPooler itself is never
// freed, so that an instance released during static destruction, after the pool closed
// (a global owner going away later), is still destroyed cleanly instead of crashing.
class ProcessPool {
public:
    ProcessPool(int32_t capacity, EasyPooler::Generator generator, EasyPooler::Destroyer destroyer,
                EasyPooler::Resetter resetter)
        : pool_(new EasyPooler(capacity, generator, destroyer, resetter)) {}
    ~ProcessPool() { pool_->close(); }
    ProcessPool(const ProcessPool&) = delete;
    ProcessPool& operator=(const ProcessPool&) = delete;
    EasyPooler& pool() const { return *pool_; }

private:
    EasyPooler* const pool_;
};

// Pool capacity of a class: its `static constexpr int32_t kPoolCapacity` when it declares
// one (0 for classes holding platform windows or drawing resources), else 1000.
template <class T>
constexpr int32_t poolCapacityOf() {
    if constexpr (requires { T::kPoolCapacity; }) {
        return T::kPoolCapacity;
    } else {
        return EasyPooler::kDefaultCapacity;
    }
}

// The process-wide pool of class T, created exactly once on first use; at process exit it
// destroys its idle instances (see ProcessPool).
template <class T>
EasyPooler& poolOf() {
    static const ProcessPool holder(
        poolCapacityOf<T>(), []() -> void* { return new (std::nothrow) T(); },
        [](void* p) { delete static_cast<T*>(p); }, [](void* p) { static_cast<T*>(p)->reset(); });
    return holder.pool();
}

// A pool of zero-filled plain records of N bytes, capacity 10 000 (map entries and other
// small records). Process-wide like poolOf<T>().
template <std::size_t N>
EasyPooler& recordPool() {
    static const ProcessPool holder(
        10000, []() -> void* { return std::calloc(1, N); }, [](void* p) { std::free(p); },
        [](void* p) { std::memset(p, 0, N); });
    return holder.pool();
}

// CRTP helper for pooled classes:
//   class Foo : public base::IObject, public thread::Pooled<Foo> {
//     void reset() override;  // back to the constructed state
//   };
//   Foo* foo = Foo::take(); ... foo->release();
// With a Base other than IPoolable (which must itself derive from IPoolable), the helper
// forwards constructors to it.
template <class T, class Base = IPoolable>
class Pooled : public Base {
public:
    using Base::Base;
    // A clean instance from the class's pool; nullptr only when allocation fails.
    static T* take() { return static_cast<T*>(poolOf<T>().get()); }
    static EasyPooler& pool() { return poolOf<T>(); }
    void release() override { poolOf<T>().put(static_cast<T*>(this)); }
};

// A pool with a weight budget. Subclasses supply generate(), resetObject(), destroyObject()
// and optionally weightOf(); their destructor should call drain() or close() (the base
// cannot reach the subclass's destroyObject() from its own destructor). Each idle object
// keeps the weight it was counted with, so that weightHeld stays the sum of the idle
// weights even when weightOf() of a reset object differs.
class PoolerBase : public base::IObject, public base::IGenerator, public base::IDestructor {
public:
    PoolerBase() = default;
    ~PoolerBase() override;
    PoolerBase(const PoolerBase&) = delete;
    PoolerBase& operator=(const PoolerBase&) = delete;

    virtual int32_t weightOf(void* /*object*/) { return 1024; }
    // Gives an object back; weight -1 asks weightOf(). resetObject() runs without the lock.
    virtual void put(void* object, int32_t weight = -1);
    virtual void* get();
    virtual void resetObject(void* object) = 0;
    virtual void destroyObject(void** slot) = 0;

    void dispose(void** slot) override;

    int32_t idleCount();
    void drain();
    // As EasyPooler::close(): destroys the idle objects and keeps nothing from then on.
    void close();

    int32_t maxCount = 1000;
    int32_t maxWeight = 1024;
    int32_t weightBudget = 102400;
    int32_t weightHeld = 0;
    bool budgeted = false;

private:
    struct Idle {
        void* object;
        int32_t weight;  // counted in weightHeld while idle
    };
    bool popIdle(Idle& out);

    ObjLocker lock_;
    Idle* freeList_ = nullptr;
    uint32_t freeCount_ = 0;
    uint32_t freeCapacity_ = 0;
    bool closed_ = false;
};

class Factory : public PoolerBase {
public:
    const char16_t* className() const override { return u"s_thread_Factory"; }
};

}  // namespace s::thread
