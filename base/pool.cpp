#include "base/pool.h"

#include <cstdlib>

#include "base/growth.h"

namespace s::thread {

namespace {

// Pushes onto a free list that grows by the array growth rule; false when out of memory.
bool pushFree(void**& list, uint32_t& count, uint32_t& capacity, void* instance) {
  if (count == capacity) {
    uint32_t next = col::growOnceFrom(capacity);
    auto* grown = static_cast<void**>(std::realloc(list, sizeof(void*) * next));
    if (!grown) return false;
    list = grown;
    capacity = next;
  }
  list[count++] = instance;
  return true;
}

}  // namespace

// --- EasyPooler ---

EasyPooler::EasyPooler(int32_t capacity, Generator generator, Destroyer destroyer,
                       Resetter resetter)
    : capacity_(capacity), generator_(generator), destroyer_(destroyer), resetter_(resetter) {}

EasyPooler::~EasyPooler() {
  drain();
  std::free(freeList_);
}

void* EasyPooler::get() {
  {
    Locked guard(lock_);
    if (freeCount_ > 0) return freeList_[--freeCount_];
  }
  return generator_ ? generator_() : nullptr;
}

void EasyPooler::put(void* instance) {
  if (!instance) return;
  {
    Locked guard(lock_);
    if (freeCount_ < static_cast<uint32_t>(capacity_)) {
      if (resetter_) resetter_(instance);
      if (pushFree(freeList_, freeCount_, freeCapacity_, instance)) return;
    }
  }
  if (destroyer_) destroyer_(instance);
}

void EasyPooler::dispose(void** slot) {
  if (!slot || !*slot) return;
  put(*slot);
  *slot = nullptr;
}

void EasyPooler::setCapacity(int32_t capacity) {
  Locked guard(lock_);
  capacity_ = capacity;
}

int32_t EasyPooler::idleCount() {
  Locked guard(lock_);
  return static_cast<int32_t>(freeCount_);
}

void EasyPooler::drain() {
  for (;;) {
    void* instance;
    {
      Locked guard(lock_);
      if (freeCount_ == 0) return;
      instance = freeList_[--freeCount_];
    }
    // Outside the lock: a destructor may give sub-objects back to this same pool.
    if (destroyer_) destroyer_(instance);
  }
}

EasyPooler* EasyPooler::newInstance() const {
  return new EasyPooler(capacity_, generator_, destroyer_, resetter_);
}

// --- PoolerBase ---

PoolerBase::~PoolerBase() {
  // Idle objects that a subclass did not drain cannot be destroyed here (its
  // destroyObject() is gone); only the list itself is freed.
  std::free(freeList_);
}

void PoolerBase::put(void* object, int32_t weight) {
  if (!object) return;
  if (budgeted) {
    if (weight == -1) weight = weightOf(object);
    bool keep = false;
    {
      Locked guard(lock_);
      if (freeCount_ <= static_cast<uint32_t>(maxCount) && weight <= maxWeight &&
          int64_t{weightHeld} + weight <= weightBudget) {
        resetObject(object);
        if (pushFree(freeList_, freeCount_, freeCapacity_, object)) {
          weightHeld += weight;
          keep = true;
        }
      }
    }
    if (!keep) destroyObject(&object);
    return;
  }
  bool keep = false;
  {
    Locked guard(lock_);
    if (freeCount_ <= static_cast<uint32_t>(maxCount)) {
      resetObject(object);
      keep = pushFree(freeList_, freeCount_, freeCapacity_, object);
    }
  }
  if (!keep) destroyObject(&object);
}

void* PoolerBase::get() {
  {
    Locked guard(lock_);
    if (freeCount_ > 0) {
      void* object = freeList_[--freeCount_];
      if (budgeted) weightHeld -= weightOf(object);
      return object;
    }
  }
  return generate();
}

void PoolerBase::dispose(void** slot) {
  if (!slot || !*slot) return;
  put(*slot, -1);
  *slot = nullptr;
}

int32_t PoolerBase::idleCount() {
  Locked guard(lock_);
  return static_cast<int32_t>(freeCount_);
}

void PoolerBase::drain() {
  for (;;) {
    void* object;
    {
      Locked guard(lock_);
      if (freeCount_ == 0) {
        weightHeld = 0;
        return;
      }
      object = freeList_[--freeCount_];
      if (budgeted) weightHeld -= weightOf(object);
    }
    destroyObject(&object);
  }
}

}  // namespace s::thread
