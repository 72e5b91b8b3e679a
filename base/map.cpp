#include "base/map.h"

#include <cstdlib>

namespace s::map {

const uint32_t kBucketCounts[20] = {
    211,    431,    863,    1733,    3467,    6947,    13901,    27803,    55609,    111227,
    222461, 444929, 889871, 1779761, 3559537, 7119103, 14238221, 28476473, 56952947, 113905901};

namespace {

constexpr int32_t kLastSizeIndex = 19;

template <class Entry>
thread::EasyPooler& entryPool() {
    return thread::recordPool<sizeof(Entry)>();
}

void disposeSlot(base::IDestructor* disposer, void* object) {
    if (!disposer || !object)
        return;
    disposer->dispose(&object);
}

// Re-links every entry into `count` new buckets, keeping the order of each chain.
template <class Entry>
bool rehash(col::_array::ArrayP& buckets, uint32_t count) {
    auto** fresh = static_cast<Entry**>(std::calloc(count, sizeof(Entry*)));
    auto** tails = static_cast<Entry**>(std::calloc(count, sizeof(Entry*)));
    if (!fresh || !tails) {
        std::free(fresh);
        std::free(tails);
        return false;
    }
    for (int32_t b = 0; b < buckets.count(); ++b) {
        for (auto* e = buckets.getAs<Entry>(b); e;) {
            Entry* next = e->next;
            const uint32_t at = e->hash % count;
            e->next = nullptr;
            if (tails[at]) {
                tails[at]->next = e;
            } else {
                fresh[at] = e;
            }
            tails[at] = e;
            e = next;
        }
    }
    buckets.clear();  // no disposer: the entries now live in `fresh`
    buckets.append(fresh, static_cast<int32_t>(count));
    std::free(fresh);
    std::free(tails);
    return buckets.count() == static_cast<int32_t>(count);
}

template <class Entry>
bool prepareBuckets(col::_array::ArrayP& buckets, int32_t sizeIndex) {
    if (buckets.count() > 0)
        return true;
    buckets.resize(static_cast<int32_t>(kBucketCounts[sizeIndex]));
    return buckets.count() == static_cast<int32_t>(kBucketCounts[sizeIndex]);
}

template <class Entry>
void appendToChain(col::_array::ArrayP& buckets, Entry* entry) {
    const int32_t at = static_cast<int32_t>(entry->hash % static_cast<uint32_t>(buckets.count()));
    auto* e = buckets.getAs<Entry>(at);
    if (!e) {
        buckets.set(at, entry);
        return;
    }
    while (e->next)
        e = e->next;
    e->next = entry;
}

}  // namespace

// --- Map ---

Map::Map() = default;

Map::~Map() {
    clearLocked();
}

void Map::reset() {
    thread::Locked guard(lock_);
    clearLocked();
    buckets_.freeStorage();
    sizeIndex_ = 0;
    ignoreCase_ = false;
    keyDisposer_ = nullptr;
}

uint32_t Map::hashOf(const base::IObject* key) const {
    return ignoreCase_ ? key->hashCodeIgnoreCase() : key->hashCode();
}

bool Map::sameKey(const MapEntry* e, uint32_t hash, const base::IObject* key) const {
    return e->hash == hash && (ignoreCase_ ? e->key->equalsIgnoreCase(key) : e->key->equals(key));
}

void Map::growIfHalfFull() {
    if (sizeIndex_ >= kLastSizeIndex)
        return;
    if (static_cast<uint32_t>(entryCount_) < kBucketCounts[sizeIndex_] / 2)
        return;
    if (rehash<MapEntry>(buckets_, kBucketCounts[sizeIndex_ + 1]))
        ++sizeIndex_;
}

bool Map::add(base::IObject* key) {
    if (!key)
        return false;
    thread::Locked guard(lock_);
    if (!prepareBuckets<MapEntry>(buckets_, sizeIndex_))
        return false;
    const uint32_t hash = hashOf(key);
    for (auto* e = buckets_.getAs<MapEntry>(static_cast<int32_t>(hash % buckets_.count())); e;
         e = e->next) {
        if (sameKey(e, hash, key))
            return false;
    }
    growIfHalfFull();
    auto* entry = static_cast<MapEntry*>(entryPool<MapEntry>().get());
    if (!entry)
        return false;
    entry->hash = hash;
    entry->key = key;
    entry->next = nullptr;
    appendToChain(buckets_, entry);
    ++entryCount_;
    return true;
}

base::IObject* Map::find(const base::IObject* key) {
    if (!key)
        return nullptr;
    thread::Locked guard(lock_);
    if (buckets_.count() == 0)
        return nullptr;
    const uint32_t hash = hashOf(key);
    for (auto* e = buckets_.getAs<MapEntry>(static_cast<int32_t>(hash % buckets_.count())); e;
         e = e->next) {
        if (sameKey(e, hash, key))
            return e->key;
    }
    return nullptr;
}

bool Map::contains(const base::IObject* key) {
    return find(key) != nullptr;
}

MapEntry* Map::unlink(const base::IObject* key) {
    if (!key || buckets_.count() == 0)
        return nullptr;
    const uint32_t hash = hashOf(key);
    const int32_t at = static_cast<int32_t>(hash % buckets_.count());
    MapEntry* previous = nullptr;
    for (auto* e = buckets_.getAs<MapEntry>(at); e; previous = e, e = e->next) {
        if (!sameKey(e, hash, key))
            continue;
        if (previous) {
            previous->next = e->next;
        } else {
            buckets_.set(at, e->next);
        }
        --entryCount_;
        return e;
    }
    return nullptr;
}

bool Map::remove(const base::IObject* key) {
    base::IObject* stored = detach(key);
    if (!stored)
        return false;
    disposeSlot(keyDisposer_, stored);
    return true;
}

base::IObject* Map::detach(const base::IObject* key) {
    thread::Locked guard(lock_);
    MapEntry* e = unlink(key);
    if (!e)
        return nullptr;
    base::IObject* stored = e->key;
    entryPool<MapEntry>().put(e);
    return stored;
}

void Map::clearLocked() {
    for (int32_t b = 0; b < buckets_.count(); ++b) {
        for (auto* e = buckets_.getAs<MapEntry>(b); e;) {
            MapEntry* next = e->next;
            disposeSlot(keyDisposer_, e->key);
            entryPool<MapEntry>().put(e);
            e = next;
        }
        buckets_.set(b, nullptr);
    }
    entryCount_ = 0;
}

void Map::clear() {
    thread::Locked guard(lock_);
    clearLocked();
}

int32_t Map::count() {
    thread::Locked guard(lock_);
    return entryCount_;
}

int32_t Map::bucketCount() {
    thread::Locked guard(lock_);
    return static_cast<int32_t>(kBucketCounts[sizeIndex_]);
}

// --- MapTable ---

MapTable::MapTable() = default;

MapTable::~MapTable() {
    clearLocked();
}

void MapTable::reset() {
    thread::Locked guard(lock_);
    clearLocked();
    buckets_.freeStorage();
    sizeIndex_ = 0;
    ignoreCase_ = false;
    keyDisposer_ = nullptr;
    valueDisposer_ = nullptr;
}

uint32_t MapTable::hashOf(const base::IObject* key) const {
    return ignoreCase_ ? key->hashCodeIgnoreCase() : key->hashCode();
}

bool MapTable::sameKey(const MapTableEntry* e, uint32_t hash, const base::IObject* key) const {
    return e->hash == hash && (ignoreCase_ ? e->key->equalsIgnoreCase(key) : e->key->equals(key));
}

MapTableEntry* MapTable::findLocked(const base::IObject* key) {
    if (!key || buckets_.count() == 0)
        return nullptr;
    const uint32_t hash = hashOf(key);
    for (auto* e = buckets_.getAs<MapTableEntry>(static_cast<int32_t>(hash % buckets_.count())); e;
         e = e->next) {
        if (sameKey(e, hash, key))
            return e;
    }
    return nullptr;
}

void MapTable::growIfHalfFull() {
    if (sizeIndex_ >= kLastSizeIndex)
        return;
    if (static_cast<uint32_t>(entryCount_) < kBucketCounts[sizeIndex_] / 2)
        return;
    if (rehash<MapTableEntry>(buckets_, kBucketCounts[sizeIndex_ + 1]))
        ++sizeIndex_;
}

void MapTable::insertLocked(uint32_t hash, base::IObject* key, void* value) {
    growIfHalfFull();
    auto* entry = static_cast<MapTableEntry*>(entryPool<MapTableEntry>().get());
    if (!entry)
        return;
    entry->hash = hash;
    entry->key = key;
    entry->value = value;
    entry->next = nullptr;
    appendToChain(buckets_, entry);
    ++entryCount_;
}

bool MapTable::put(base::IObject* key, void* value) {
    if (!key)
        return false;
    thread::Locked guard(lock_);
    if (!prepareBuckets<MapTableEntry>(buckets_, sizeIndex_))
        return false;
    if (findLocked(key))
        return false;
    const int32_t before = entryCount_;
    insertLocked(hashOf(key), key, value);
    return entryCount_ > before;
}

void MapTable::set(base::IObject* key, void* value) {
    if (!key)
        return;
    thread::Locked guard(lock_);
    if (!prepareBuckets<MapTableEntry>(buckets_, sizeIndex_))
        return;
    MapTableEntry* e = findLocked(key);
    if (!e) {
        insertLocked(hashOf(key), key, value);
        return;
    }
    if (e->value != value)
        disposeSlot(valueDisposer_, e->value);
    e->value = value;
    if (e->key != key)
        disposeSlot(keyDisposer_, key);
}

bool MapTable::contains(const base::IObject* key) {
    thread::Locked guard(lock_);
    return findLocked(key) != nullptr;
}

void* MapTable::get(const base::IObject* key, void* fallback) {
    thread::Locked guard(lock_);
    MapTableEntry* e = findLocked(key);
    return e ? e->value : fallback;
}

base::IObject* MapTable::findKey(const base::IObject* key) {
    thread::Locked guard(lock_);
    MapTableEntry* e = findLocked(key);
    return e ? e->key : nullptr;
}

bool MapTable::remove(const base::IObject* key) {
    if (!key)
        return false;
    base::IObject* storedKey = nullptr;
    void* storedValue = nullptr;
    {
        thread::Locked guard(lock_);
        if (buckets_.count() == 0)
            return false;
        const uint32_t hash = hashOf(key);
        const int32_t at = static_cast<int32_t>(hash % buckets_.count());
        MapTableEntry* previous = nullptr;
        MapTableEntry* e = buckets_.getAs<MapTableEntry>(at);
        for (; e; previous = e, e = e->next) {
            if (sameKey(e, hash, key))
                break;
        }
        if (!e)
            return false;
        if (previous) {
            previous->next = e->next;
        } else {
            buckets_.set(at, e->next);
        }
        --entryCount_;
        storedKey = e->key;
        storedValue = e->value;
        entryPool<MapTableEntry>().put(e);
    }
    // `key` may be the stored key itself: dispose only after the lookup is over.
    disposeSlot(valueDisposer_, storedValue);
    disposeSlot(keyDisposer_, storedKey);
    return true;
}

void MapTable::clearLocked() {
    for (int32_t b = 0; b < buckets_.count(); ++b) {
        for (auto* e = buckets_.getAs<MapTableEntry>(b); e;) {
            MapTableEntry* next = e->next;
            disposeSlot(valueDisposer_, e->value);
            disposeSlot(keyDisposer_, e->key);
            entryPool<MapTableEntry>().put(e);
            e = next;
        }
        buckets_.set(b, nullptr);
    }
    entryCount_ = 0;
}

void MapTable::clear() {
    thread::Locked guard(lock_);
    clearLocked();
}

int32_t MapTable::count() {
    thread::Locked guard(lock_);
    return entryCount_;
}

int32_t MapTable::bucketCount() {
    thread::Locked guard(lock_);
    return static_cast<int32_t>(kBucketCounts[sizeIndex_]);
}

}  // namespace s::map
