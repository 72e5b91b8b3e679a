#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/object.h"
#include "base/obj_locker.h"

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
  // Destroys the idle instances; instances in use are not touched.
  ~EasyPooler() override;
  EasyPooler(const EasyPooler&) = delete;
  EasyPooler& operator=(const EasyPooler&) = delete;

  // A clean instance: the last idle one, or a new one (nullptr when allocation fails).
  void* get();
  // Resets and keeps the instance while fewer than `capacity` are idle, else destroys it.
  void put(void* instance);

  void* generate() override { return get(); }
  void dispose(void** slot) override;

  int32_t capacity() const { return capacity_; }
  void setCapacity(int32_t capacity);
  int32_t idleCount();
  // Destroys every idle instance now.
  void drain();

  const char16_t* className() const override { return u"s_thread_EasyPooler"; }
  EasyPooler* newInstance() const override;  // unpooled, same capacity and functions

private:
  ObjLocker lock_;
  void** freeList_ = nullptr;
  uint32_t freeCount_ = 0;
  uint32_t freeCapacity_ = 0;
  int32_t capacity_;
  Generator generator_;
  Destroyer destroyer_;
  Resetter resetter_;
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

// The process-wide pool of class T. Created exactly once (thread-safe function-local static)
// and deliberately never destroyed: objects may still be released during static destruction
// (a global owner going away), and an immortal pool stays valid for them. Idle instances
// are reclaimed by the operating system at exit.
template <class T>
EasyPooler& poolOf() {
  static EasyPooler* const pool = new EasyPooler(
      poolCapacityOf<T>(),
      []() -> void* { return new (std::nothrow) T(); },
      [](void* p) { delete static_cast<T*>(p); },
      [](void* p) { static_cast<T*>(p)->reset(); });
  return *pool;
}

// A pool of zero-filled plain records of N bytes, capacity 10 000 (map entries and other
// small records). Immortal like poolOf<T>().
template <std::size_t N>
EasyPooler& recordPool() {
  static EasyPooler* const pool = new EasyPooler(
      10000,
      []() -> void* { return std::calloc(1, N); },
      [](void* p) { std::free(p); },
      [](void* p) { std::memset(p, 0, N); });
  return *pool;
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
// and optionally weightOf(); their destructor should call drain() (the base cannot reach
// the subclass's destroyObject() from its own destructor).
class PoolerBase : public base::IObject, public base::IGenerator, public base::IDestructor {
public:
  PoolerBase() = default;
  ~PoolerBase() override;
  PoolerBase(const PoolerBase&) = delete;
  PoolerBase& operator=(const PoolerBase&) = delete;

  virtual int32_t weightOf(void* /*object*/) { return 1024; }
  // Gives an object back; weight -1 asks weightOf().
  virtual void put(void* object, int32_t weight = -1);
  virtual void* get();
  virtual void resetObject(void* object) = 0;
  virtual void destroyObject(void** slot) = 0;

  void dispose(void** slot) override;

  int32_t idleCount();
  void drain();

  int32_t maxCount = 1000;
  int32_t maxWeight = 1024;
  int32_t weightBudget = 102400;
  int32_t weightHeld = 0;
  bool budgeted = false;

private:
  ObjLocker lock_;
  void** freeList_ = nullptr;
  uint32_t freeCount_ = 0;
  uint32_t freeCapacity_ = 0;
};

class Factory : public PoolerBase {
public:
  const char16_t* className() const override { return u"s_thread_Factory"; }
};

}  // namespace s::thread
