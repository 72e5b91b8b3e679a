#include "base/pool.h"

#include <cstdlib>

#include "base/growth.h"

namespace s::thread {

namespace {

// Pushes onto a free list that grows by the array growth rule; false when out of memory.
template <class Entry>
bool pushFree(Entry*& list, uint32_t& count, uint32_t& capacity, const Entry& entry) {
    if (count == capacity) {
        uint32_t next = col::growOnceFrom(capacity);
        auto* grown = static_cast<Entry*>(std::realloc(list, sizeof(Entry) * next));
        if (!grown)
            return false;
        list = grown;
        capacity = next;
    }
    list[count++] = entry;
    return true;
}

}  // namespace

// --- EasyPooler ---

EasyPooler::EasyPooler(int32_t capacity, Generator generator, Destroyer destroyer,
                       Resetter resetter)
    : capacity_(capacity), generator_(generator), destroyer_(destroyer), resetter_(resetter) {}

EasyPooler::~EasyPooler() {
    close();
}

void* EasyPooler::get() {
    {
        Locked guard(lock_);
        if (freeCount_ > 0)
            return freeList_[--freeCount_];
    }
    return generator_ ? generator_() : nullptr;
}

bool EasyPooler::hasRoom() {
    Locked guard(lock_);
    return !closed_ && freeCount_ < static_cast<uint32_t>(capacity_);
}

void EasyPooler::put(void* instance) {
    if (!instance)
        return;
    // The reset runs outside the lock: it may wait for another thread (a row leaving a list
    // through its window's thread, a worker finishing its task), and that thread may be
    // taking from this very pool meanwhile.
    if (hasRoom()) {
        if (resetter_)
            resetter_(instance);
        Locked guard(lock_);
        if (!closed_ && freeCount_ < static_cast<uint32_t>(capacity_) &&
            pushFree(freeList_, freeCount_, freeCapacity_, instance)) {
            return;
        }
    }
    if (destroyer_)
        destroyer_(instance);
}

void EasyPooler::dispose(void** slot) {
    if (!slot || !*slot)
        return;
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
            if (freeCount_ == 0)
                return;
            instance = freeList_[--freeCount_];
        }
        // Outside the lock: a destructor may give sub-objects back to this same pool.
        if (destroyer_)
            destroyer_(instance);
    }
}

void EasyPooler::close() {
    void** idle;
    uint32_t count;
    {
        Locked guard(lock_);
        closed_ = true;
        idle = freeList_;
        count = freeCount_;
        freeList_ = nullptr;
        freeCount_ = 0;
        freeCapacity_ = 0;
    }
    // Outside the lock: a destructor may give sub-objects back to this same (now closed) pool.
    for (uint32_t i = count; i > 0; --i) {
        if (destroyer_)
            destroyer_(idle[i - 1]);
    }
    std::free(idle);
}

bool EasyPooler::isClosed() {
    Locked guard(lock_);
    return closed_;
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
    if (!object)
        return;
    if (budgeted) {
        if (weight == -1)
            weight = weightOf(object);
        if (weight < 0)
            weight = 0;
    } else {
        weight = 0;  // nothing is counted without a budget
    }
    auto room = [&] {
        return !closed_ && freeCount_ <= static_cast<uint32_t>(maxCount) &&
               (!budgeted || (weight <= maxWeight && int64_t{weightHeld} + weight <= weightBudget));
    };
    bool keep = false;
    {
        Locked guard(lock_);
        keep = room();
    }
    // As in EasyPooler::put: never reset under the lock.
    if (keep) {
        resetObject(object);
        Locked guard(lock_);
        keep = room() && pushFree(freeList_, freeCount_, freeCapacity_, Idle{object, weight});
        if (keep)
            weightHeld += weight;
    }
    if (!keep)
        destroyObject(&object);
}

bool PoolerBase::popIdle(Idle& out) {
    if (freeCount_ == 0)
        return false;
    out = freeList_[--freeCount_];
    weightHeld -= out.weight;
    return true;
}

void* PoolerBase::get() {
    {
        Locked guard(lock_);
        Idle idle;
        if (popIdle(idle))
            return idle.object;
    }
    return generate();
}

void PoolerBase::dispose(void** slot) {
    if (!slot || !*slot)
        return;
    put(*slot, -1);
    *slot = nullptr;
}

int32_t PoolerBase::idleCount() {
    Locked guard(lock_);
    return static_cast<int32_t>(freeCount_);
}

void PoolerBase::drain() {
    for (;;) {
        Idle idle;
        {
            Locked guard(lock_);
            if (!popIdle(idle))
                return;
        }
        destroyObject(&idle.object);
    }
}

void PoolerBase::close() {
    {
        Locked guard(lock_);
        closed_ = true;
    }
    drain();
}

}  // namespace s::thread
