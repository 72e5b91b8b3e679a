#include "base/object.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "base/cleaners.h"
#include "base/obj_locker.h"

namespace {

using s::base::IObject;

int gDeleted = 0;

class Plain : public IObject {
public:
    ~Plain() override { ++gDeleted; }
    const char16_t* className() const override { return u"s_test_Plain"; }
    Plain* newInstance() const override { return new Plain(); }
};

class Other : public IObject {
public:
    const char16_t* className() const override { return u"s_test_Other"; }
    Other* newInstance() const override { return new Other(); }
};

// Orders by a value stored in the objects, to check that a comparator takes over.
class ReverseAddress : public s::base::IComparator {
public:
    int32_t compare(const void* a, const void* b) const override {
        return -s::base::compareAddresses(a, b);
    }
};

TEST(ObjectTest, CompareWithoutComparatorIsIdentityOrder) {
    Plain objects[2];
    const Plain& low = objects[0];
    const Plain& high = objects[1];
    EXPECT_EQ(low.compare(&low), 0);
    EXPECT_EQ(low.compare(&high), -1);
    EXPECT_EQ(high.compare(&low), 1);
    EXPECT_FALSE(low.equals(&high));
    EXPECT_TRUE(low.equalsIgnoreCase(&low));
    EXPECT_EQ(low.compareIgnoreCase(&high), -1);
}

TEST(ObjectTest, ComparatorTakesOver) {
    Plain objects[2];
    ReverseAddress reverse;
    EXPECT_EQ(objects[0].compare(&objects[1], &reverse), 1);
    EXPECT_EQ(objects[0].compareIgnoreCase(&objects[1], &reverse), 1);
    EXPECT_FALSE(objects[0].equals(&objects[1], &reverse));
}

TEST(ObjectTest, HashIsPerClassConstant) {
    Plain a, b;
    Other c;
    EXPECT_EQ(a.hashCode(), b.hashCode());
    EXPECT_EQ(a.hashCodeIgnoreCase(), a.hashCode());
    EXPECT_NE(a.hashCode(), c.hashCode());
}

TEST(ObjectTest, CleanersDisposeAndClearTheSlot) {
    gDeleted = 0;
    void* slot = static_cast<IObject*>(new Plain());
    s::cleaner::CleanerIObject::instance().dispose(&slot);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(gDeleted, 1);

    slot = std::malloc(16);
    s::cleaner::CleanerRaw::instance().dispose(&slot);
    EXPECT_EQ(slot, nullptr);

    slot = ::operator new(16);
    s::cleaner::CleanerRawObject::instance().dispose(&slot);
    EXPECT_EQ(slot, nullptr);
}

TEST(ObjectTest, CleanersIgnoreEmptySlots) {
    void* slot = nullptr;
    s::cleaner::CleanerRaw::instance().dispose(&slot);
    s::cleaner::CleanerIObject::instance().dispose(&slot);
    s::cleaner::CleanerRawObject::instance().dispose(&slot);
    s::cleaner::CleanerRaw::instance().dispose(nullptr);
    EXPECT_EQ(slot, nullptr);
}

TEST(ObjLockerTest, DisposesOwnedObjectByTheMostSpecificMeans) {
    gDeleted = 0;
    static int deleterCalls = 0;
    {
        s::thread::ObjLocker locker;
        locker.setOwned(new Plain(), [](void* p) {
            ++deleterCalls;
            delete static_cast<Plain*>(p);
        });
    }
    EXPECT_EQ(deleterCalls, 1);
    {
        s::thread::ObjLocker locker;
        locker.setOwned(static_cast<IObject*>(new Plain()),
                        &s::cleaner::CleanerIObject::instance());
    }
    {
        s::thread::ObjLocker locker;
        locker.setOwned(static_cast<IObject*>(new Plain()));
    }
    EXPECT_EQ(gDeleted, 3);
    {
        s::thread::ObjLocker locker;
        Plain kept;
        locker.setOwned(static_cast<IObject*>(&kept));
        EXPECT_EQ(locker.detachOwned(), static_cast<IObject*>(&kept));
    }
    EXPECT_EQ(gDeleted, 4);  // only `kept` itself, at the end of its scope
}

TEST(ObjLockerTest, IsRecursiveAndExcludesOtherThreads) {
    s::thread::ObjLocker locker;
    EXPECT_EQ(std::u16string(locker.className()), u"s_thread_ObjLocker");
    s::thread::Locked outer(locker);
    s::thread::Locked inner(locker);  // same thread: no deadlock
    bool otherGotIt = true;
    std::thread other([&] {
        otherGotIt = locker.tryLock();
        if (otherGotIt)
            locker.unlock();
    });
    other.join();
    EXPECT_FALSE(otherGotIt);
}

TEST(ObjLockerTest, GuardsACounterAcrossThreads) {
    s::thread::ObjLocker locker;
    int counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            s::thread::Locked guard(locker);
            ++counter;
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 40000);
}

}  // namespace
