#include "base/map.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/str_buffer.h"

namespace {

using s::map::Map;
using s::map::MapTable;
using s::str::StrBuffer;

// A key with a chosen hash, equal to keys of the same id.
class Key : public s::base::IObject {
public:
    Key(uint32_t hash, int id) : hash_(hash), id_(id) {}
    const char16_t* className() const override { return u"s_test_Key"; }
    Key* newInstance() const override { return new Key(0, 0); }
    uint32_t hashCode() const override { return hash_; }
    int32_t compare(const s::base::IComparable* other,
                    const s::base::IComparator* = nullptr) const override {
        int that = static_cast<const Key*>(other)->id_;
        return id_ == that ? 0 : (id_ < that ? -1 : 1);
    }
    int id() const { return id_; }

private:
    uint32_t hash_;
    int id_;
};

TEST(MapTest, GrowsBeforeInsertingThe106thKey) {
    std::vector<std::unique_ptr<Key>> keys;
    // Two keys sharing a bucket both before and after growth, then filler keys.
    keys.push_back(std::make_unique<Key>(5, 0));
    keys.push_back(std::make_unique<Key>(5 + 211 * 431, 1));
    for (int i = 2; i < 106; ++i)
        keys.push_back(std::make_unique<Key>(1000 + i, i));
    Map map;
    for (int i = 0; i < 105; ++i)
        ASSERT_TRUE(map.add(keys[i].get()));
    EXPECT_EQ(map.count(), 105);
    EXPECT_EQ(map.bucketCount(), 211);
    ASSERT_TRUE(map.add(keys[105].get()));
    EXPECT_EQ(map.bucketCount(), 431);
    EXPECT_EQ(map.count(), 106);
    for (auto& k : keys)
        EXPECT_EQ(map.find(k.get()), k.get()) << k->id();
    // Chain order survives the re-linking: key 0 still comes before key 1.
    std::vector<int> order;
    map.forEach([&](s::base::IObject* k) {
        int id = static_cast<Key*>(k)->id();
        if (id < 2)
            order.push_back(id);
    });
    EXPECT_EQ(order, (std::vector<int>{0, 1}));
}

TEST(MapTest, RejectsDuplicatesAndFoldsCaseWhenAsked) {
    StrBuffer tokyo(u"Tokyo"), shouting(u"TOKYO"), again(u"Tokyo");
    Map exact;
    EXPECT_TRUE(exact.add(&tokyo));
    EXPECT_FALSE(exact.add(&again));
    EXPECT_TRUE(exact.add(&shouting));
    EXPECT_EQ(exact.count(), 2);
    EXPECT_EQ(exact.find(&again), &tokyo);

    Map folded;
    folded.setIgnoreCase(true);
    EXPECT_TRUE(folded.add(&tokyo));
    EXPECT_FALSE(folded.add(&shouting));
    EXPECT_TRUE(folded.contains(&shouting));
    EXPECT_FALSE(folded.add(nullptr));
}

TEST(MapTest, OwnedKeysGoBackToTheirPool) {
    s::thread::EasyPooler& pool = StrBuffer::pool();
    Map* map = Map::take();
    map->setKeyDisposer(&pool);
    for (const char16_t* t : {u"a", u"b", u"c", u"d"})
        map->add(StrBuffer::takeText(t));
    const int32_t idle = pool.idleCount();
    StrBuffer probe(u"b");
    EXPECT_TRUE(map->remove(&probe));
    EXPECT_FALSE(map->remove(&probe));
    EXPECT_EQ(pool.idleCount(), idle + 1);
    probe.setText(u"c");
    auto* detached = static_cast<StrBuffer*>(map->detach(&probe));
    ASSERT_NE(detached, nullptr);
    EXPECT_TRUE(detached->equals(u"c"));
    detached->release();
    map->clear();
    EXPECT_EQ(map->count(), 0);
    EXPECT_EQ(pool.idleCount(), idle + 4);
    map->add(StrBuffer::takeText(u"e"));  // one idle buffer taken
    EXPECT_EQ(pool.idleCount(), idle + 3);
    map->release();  // disposes "e" and comes back clean
    EXPECT_EQ(pool.idleCount(), idle + 4);
    Map* fresh = Map::take();
    EXPECT_EQ(fresh->count(), 0);
    EXPECT_FALSE(fresh->ignoreCase());
    fresh->release();
}

TEST(MapTableTest, ValuesByKey) {
    s::thread::EasyPooler& pool = StrBuffer::pool();
    MapTable* table = MapTable::take();
    table->setIgnoreCase(true);
    table->setKeyDisposer(&pool);
    table->setValueDisposer(&pool);
    EXPECT_TRUE(table->put(StrBuffer::takeText(u"Tokyo"), StrBuffer::takeText(u"+9")));
    StrBuffer* duplicate = StrBuffer::takeText(u"TOKYO");
    StrBuffer* rejected = StrBuffer::takeText(u"+10");
    EXPECT_FALSE(table->put(duplicate, rejected));  // the caller keeps both
    StrBuffer probe(u"tokyo");
    EXPECT_TRUE(table->getAs<StrBuffer>(&probe)->equals(u"+9"));
    const int32_t idle = pool.idleCount();
    table->set(duplicate, rejected);        // replaces the value; the stored key stays
    EXPECT_EQ(pool.idleCount(), idle + 2);  // the old value and the surplus key
    EXPECT_TRUE(table->getAs<StrBuffer>(&probe)->equals(u"+10"));
    EXPECT_TRUE(static_cast<StrBuffer*>(table->findKey(&probe))->equals(u"Tokyo"));
    StrBuffer missing(u"Osaka");
    int fallback = 0;
    EXPECT_EQ(table->get(&missing, &fallback), &fallback);
    EXPECT_TRUE(table->remove(&probe));
    EXPECT_EQ(pool.idleCount(), idle + 4);
    EXPECT_EQ(table->count(), 0);
    for (int i = 0; i < 300; ++i) {
        StrBuffer* key = StrBuffer::take();
        key->setInt(i);
        table->put(key, nullptr);
    }
    EXPECT_EQ(table->count(), 300);
    EXPECT_EQ(table->bucketCount(), 863);
    StrBuffer k(u"299");
    EXPECT_TRUE(table->contains(&k));
    table->release();
}

}  // namespace
