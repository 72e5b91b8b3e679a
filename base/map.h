#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/obj_locker.h"
#include "base/object.h"
#include "base/pool.h"

// Hash maps keyed by objects (hashCode/equals, or their ignore-case forms). Keys are stored
// as IObject*; a key disposer receives the slot holding that IObject* (so keys must have
// IObject as their first base, as every framework class has). Every operation takes the
// map's own lock.
namespace s::map {

// Bucket counts by size index 0-19.
extern const uint32_t kBucketCounts[20];

struct MapEntry {
    uint32_t hash;
    base::IObject* key;
    MapEntry* next;
};

struct MapTableEntry {
    uint32_t hash;
    base::IObject* key;
    void* value;
    MapTableEntry* next;
};

// A set of key objects.
class Map : public base::IObject, public thread::Pooled<Map> {
public:
    Map();
    ~Map() override;
    const char16_t* className() const override { return u"s_map_Map"; }
    Map* newInstance() const override { return take(); }
    // Clears (keys to the disposer), back to 211 buckets, case respected, no disposer.
    void reset() override;

    void setIgnoreCase(bool ignoreCase) { ignoreCase_ = ignoreCase; }
    bool ignoreCase() const { return ignoreCase_; }
    void setKeyDisposer(base::IDestructor* disposer) { keyDisposer_ = disposer; }

    // False (and nothing stored; the caller keeps the key) when an equal key is present.
    bool add(base::IObject* key);
    bool contains(const base::IObject* key);
    // The stored key equal to `key`, or nullptr.
    base::IObject* find(const base::IObject* key);
    // Removes the entry and passes its key to the disposer; false when absent.
    bool remove(const base::IObject* key);
    // Removes the entry and returns its key to the caller (not disposed).
    base::IObject* detach(const base::IObject* key);
    void clear();
    int32_t count();
    int32_t bucketCount();
    // Calls f(IObject* key) for every entry, bucket by bucket, under the lock.
    template <class F>
    void forEach(F&& f) {
        thread::Locked guard(lock_);
        for (int32_t b = 0; b < buckets_.count(); ++b) {
            for (auto* e = buckets_.getAs<MapEntry>(b); e; e = e->next)
                f(e->key);
        }
    }

private:
    uint32_t hashOf(const base::IObject* key) const;
    bool sameKey(const MapEntry* e, uint32_t hash, const base::IObject* key) const;
    void growIfHalfFull();
    void clearLocked();
    MapEntry* unlink(const base::IObject* key);

    thread::ObjLocker lock_;
    col::_array::ArrayP buckets_;
    int32_t sizeIndex_ = 0;
    int32_t entryCount_ = 0;
    bool ignoreCase_ = false;
    base::IDestructor* keyDisposer_ = nullptr;
};

// Maps key objects to values (void*, typically object pointers).
class MapTable : public base::IObject, public thread::Pooled<MapTable> {
public:
    MapTable();
    ~MapTable() override;
    const char16_t* className() const override { return u"s_map_MapTable"; }
    MapTable* newInstance() const override { return take(); }
    void reset() override;

    void setIgnoreCase(bool ignoreCase) { ignoreCase_ = ignoreCase; }
    bool ignoreCase() const { return ignoreCase_; }
    void setKeyDisposer(base::IDestructor* disposer) { keyDisposer_ = disposer; }
    void setValueDisposer(base::IDestructor* disposer) { valueDisposer_ = disposer; }

    // False (nothing stored; the caller keeps key and value) when the key is present.
    bool put(base::IObject* key, void* value);
    // Stores the value for the key, disposing a value it replaces; a new key is inserted,
    // an existing one keeps the stored key (the given key is then disposed if it differs).
    void set(base::IObject* key, void* value);
    bool contains(const base::IObject* key);
    // The value for the key, or `fallback` when absent.
    void* get(const base::IObject* key, void* fallback = nullptr);
    template <class T>
    T* getAs(const base::IObject* key) {
        return static_cast<T*>(get(key));
    }
    base::IObject* findKey(const base::IObject* key);
    // Removes the entry, passing key and value to their disposers; false when absent.
    bool remove(const base::IObject* key);
    void clear();
    int32_t count();
    int32_t bucketCount();
    // Calls f(IObject* key, void* value) for every entry, under the lock.
    template <class F>
    void forEach(F&& f) {
        thread::Locked guard(lock_);
        for (int32_t b = 0; b < buckets_.count(); ++b) {
            for (auto* e = buckets_.getAs<MapTableEntry>(b); e; e = e->next)
                f(e->key, e->value);
        }
    }

private:
    uint32_t hashOf(const base::IObject* key) const;
    bool sameKey(const MapTableEntry* e, uint32_t hash, const base::IObject* key) const;
    MapTableEntry* findLocked(const base::IObject* key);
    void growIfHalfFull();
    void insertLocked(uint32_t hash, base::IObject* key, void* value);
    void clearLocked();

    thread::ObjLocker lock_;
    col::_array::ArrayP buckets_;
    int32_t sizeIndex_ = 0;
    int32_t entryCount_ = 0;
    bool ignoreCase_ = false;
    base::IDestructor* keyDisposer_ = nullptr;
    base::IDestructor* valueDisposer_ = nullptr;
};

}  // namespace s::map
