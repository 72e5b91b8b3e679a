#include "base/pool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/array.h"
#include "base/str_buffer.h"

namespace {

using s::thread::EasyPooler;
using s::thread::Pooled;

// Counts what the pool does with instances of one test class.
template <int kTag>
class Tracked : public s::base::IObject, public Pooled<Tracked<kTag>> {
public:
    static inline std::atomic<int> constructed{0};
    static inline std::atomic<int> destroyed{0};
    static inline std::atomic<int> resets{0};
    Tracked() { ++constructed; }
    ~Tracked() override { ++destroyed; }
    const char16_t* className() const override { return u"s_test_Tracked"; }
    Tracked* newInstance() const override { return Tracked::take(); }
    void reset() override {
        ++resets;
        value = 0;
    }
    int value = 0;
};

class Windowish : public s::base::IObject, public Pooled<Windowish> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    static inline int destroyed = 0;
    ~Windowish() override { ++destroyed; }
    const char16_t* className() const override { return u"s_test_Windowish"; }
    Windowish* newInstance() const override { return take(); }
    void reset() override {}
};

TEST(PoolTest, KeepsCapacityAndDestroysTheRest) {
    using T = Tracked<1>;
    EXPECT_EQ(T::pool().capacity(), 1000);
    std::vector<T*> taken;
    for (int i = 0; i < 1001; ++i)
        taken.push_back(T::take());
    EXPECT_EQ(T::constructed, 1001);
    for (T* t : taken)
        t->release();
    EXPECT_EQ(T::pool().idleCount(), 1000);
    EXPECT_EQ(T::resets, 1000);
    EXPECT_EQ(T::destroyed, 1);
    // The last one returned is the first one given out again.
    T* again = T::take();
    EXPECT_EQ(again, taken[999]);
    again->release();
}

TEST(PoolTest, ReturnedInstanceComesBackReset) {
    using T = Tracked<2>;
    T* t = T::take();
    t->value = 42;
    t->release();
    T* again = T::take();
    EXPECT_EQ(again, t);
    EXPECT_EQ(again->value, 0);
    again->release();

    auto* text = s::str::StrBuffer::take();
    text->setText(u"dirty");
    text->release();
    auto* clean = s::str::StrBuffer::take();
    EXPECT_EQ(clean->length(), 0);
    EXPECT_EQ(clean->capacity(), 0);  // its storage went back with it
    clean->release();
}

TEST(PoolTest, CapacityZeroDestroysAtOnce) {
    Windowish* w = Windowish::take();
    w->release();
    EXPECT_EQ(Windowish::destroyed, 1);
    EXPECT_EQ(Windowish::pool().idleCount(), 0);
}

TEST(PoolTest, ConcurrentFirstUseCreatesOnePool) {
    using T = Tracked<3>;
    std::atomic<int> ready{0};
    EasyPooler* seen[2] = {nullptr, nullptr};
    T* got[2] = {nullptr, nullptr};
    auto run = [&](int i) {
        ++ready;
        while (ready < 2) {
        }
        seen[i] = &T::pool();
        got[i] = T::take();
    };
    std::thread a(run, 0), b(run, 1);
    a.join();
    b.join();
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_NE(got[0], got[1]);
    got[0]->release();
    got[1]->release();
    EXPECT_EQ(T::pool().idleCount(), 2);
}

// Several threads released together at the first use of a pool must all get the same one:
// a second pool would split the idle instances between them.
template <class T>
void expectOnePoolFromConcurrentFirstUse() {
    constexpr int kThreads = 8;
    std::atomic<int> waiting{kThreads};
    EasyPooler* seen[kThreads] = {};
    T* got[kThreads] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            --waiting;
            while (waiting.load() > 0) {
            }
            seen[i] = &T::pool();
            got[i] = T::take();
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (int i = 1; i < kThreads; ++i)
        EXPECT_EQ(seen[i], seen[0]);
    for (T* t : got)
        t->release();
    EXPECT_EQ(T::pool().idleCount(), kThreads);
    EXPECT_EQ(T::constructed, kThreads);
}

TEST(PoolTest, ConcurrentFirstUseOfManyPoolsCreatesEachOnce) {
    expectOnePoolFromConcurrentFirstUse<Tracked<20>>();
    expectOnePoolFromConcurrentFirstUse<Tracked<21>>();
    expectOnePoolFromConcurrentFirstUse<Tracked<22>>();
    expectOnePoolFromConcurrentFirstUse<Tracked<23>>();
}

TEST(PoolTest, ManyThreadsShareAPool) {
    using T = Tracked<4>;
    auto work = [] {
        for (int i = 0; i < 2000; ++i) {
            T* t = T::take();
            t->value = i;
            t->release();
        }
    };
    std::thread a(work), b(work), c(work);
    a.join();
    b.join();
    c.join();
    EXPECT_LE(T::constructed, 3);
    EXPECT_EQ(T::resets, 6000);
}

TEST(PoolTest, DisposeGivesBackAndClearsSlot) {
    using T = Tracked<5>;
    void* slot = T::take();
    T::pool().dispose(&slot);
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(T::pool().idleCount(), 1);
    T::pool().dispose(&slot);  // empty slot: nothing
    EXPECT_EQ(T::pool().idleCount(), 1);
    void* generated = T::pool().generate();  // the idle one
    EXPECT_EQ(T::pool().idleCount(), 0);
    T::pool().put(generated);
}

TEST(PoolTest, NewInstanceIsAnUnpooledCopy) {
    using T = Tracked<6>;
    EasyPooler* copy = T::pool().newInstance();
    EXPECT_NE(copy, &T::pool());
    EXPECT_EQ(copy->capacity(), 1000);
    void* t = copy->get();
    copy->put(t);
    EXPECT_EQ(copy->idleCount(), 1);
    delete copy;  // destroys its idle instance
    EXPECT_EQ(T::destroyed, 1);
    EXPECT_EQ(std::u16string(T::pool().className()), u"s_thread_EasyPooler");
}

// Counts what a hand-made pool does with plain int instances.
struct Counts {
    static inline int generated = 0, destroyed = 0, resets = 0;
    static void* generate() {
        ++generated;
        return new int(0);
    }
    static void destroy(void* p) {
        ++destroyed;
        delete static_cast<int*>(p);
    }
    static void reset(void* p) {
        ++resets;
        *static_cast<int*>(p) = 0;
    }
};

TEST(PoolTest, ClosedPoolDestroysIdleAndEveryLaterReturn) {
    Counts::generated = Counts::destroyed = Counts::resets = 0;
    EasyPooler pool(10, &Counts::generate, &Counts::destroy, &Counts::reset);
    void* idle = pool.get();
    void* inUse = pool.get();
    pool.put(idle);
    pool.close();  // what the process-wide pools do at exit
    EXPECT_TRUE(pool.isClosed());
    EXPECT_EQ(pool.idleCount(), 0);
    EXPECT_EQ(Counts::destroyed, 1);  // the idle one; the one in use was not touched

    pool.put(inUse);  // released late, e.g. by a global owner going away after the pool
    EXPECT_EQ(Counts::destroyed, 2);
    EXPECT_EQ(Counts::resets, 1);  // destroyed, not reset and kept
    EXPECT_EQ(pool.idleCount(), 0);

    void* fresh = pool.get();
    EXPECT_EQ(Counts::generated, 3);
    pool.put(fresh);
    EXPECT_EQ(Counts::destroyed, 3);
}

TEST(PoolTest, RecordPoolZeroFills) {
    auto& pool = s::thread::recordPool<12>();
    EXPECT_EQ(pool.capacity(), 10000);
    auto* record = static_cast<uint8_t*>(pool.get());
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(record[i], 0);
    record[3] = 7;
    pool.put(record);
    auto* again = static_cast<uint8_t*>(pool.get());
    EXPECT_EQ(again, record);
    EXPECT_EQ(again[3], 0);
    pool.put(again);
}

TEST(PoolTest, ArrayPWithPoolDisposerGivesElementsBack) {
    using T = Tracked<7>;
    auto* array = s::col::ArrayP::take();
    array->setDisposer(&T::pool());
    for (int i = 0; i < 5; ++i)
        array->add(T::take());
    array->release();
    EXPECT_EQ(T::pool().idleCount(), 5);
    EXPECT_EQ(T::destroyed, 0);
    // The array came back without its disposer.
    auto* reused = s::col::ArrayP::take();
    EXPECT_EQ(reused->disposer(), nullptr);
    reused->release();
}

// A pooler with a weight budget, counting what it destroys.
class Budget : public s::thread::Factory {
public:
    ~Budget() override { drain(); }
    void* generate() override { return new int(0); }
    void resetObject(void* object) override { *static_cast<int*>(object) = 0; }
    void destroyObject(void** slot) override {
        ++destroyedCount;
        delete static_cast<int*>(*slot);
        *slot = nullptr;
    }
    int32_t weightOf(void* object) override { return *static_cast<int*>(object); }
    Budget* newInstance() const override { return new Budget(); }
    int destroyedCount = 0;
};

TEST(PoolerBaseTest, UnbudgetedKeepsUntilMoreThanMaxCount) {
    Budget pool;
    EXPECT_EQ(std::u16string(pool.className()), u"s_thread_Factory");
    std::vector<void*> objects;
    for (int i = 0; i < 1003; ++i)
        objects.push_back(pool.get());
    for (void* o : objects)
        pool.put(o, 100000);  // weight ignored without a budget
    EXPECT_EQ(pool.idleCount(), 1001);
    EXPECT_EQ(pool.destroyedCount, 2);
}

TEST(PoolerBaseTest, BudgetLimitsSingleAndTotalWeight) {
    Budget pool;
    pool.budgeted = true;
    pool.maxWeight = 50;
    pool.weightBudget = 100;
    void* heavy = pool.get();
    pool.put(heavy, 51);
    EXPECT_EQ(pool.destroyedCount, 1);
    void* a = pool.get();
    void* b = pool.get();
    void* c = pool.get();
    pool.put(a, 50);
    pool.put(b, 50);
    pool.put(c, 1);  // 101 would exceed the budget
    EXPECT_EQ(pool.idleCount(), 2);
    EXPECT_EQ(pool.weightHeld, 100);
    EXPECT_EQ(pool.destroyedCount, 2);
    void* slot = pool.get();  // weightOf of a reset object is 0 here
    pool.dispose(&slot);
    EXPECT_EQ(slot, nullptr);
}

TEST(PoolerBaseTest, WeightHeldFollowsTheWeightEachIdleObjectWasCountedWith) {
    Budget pool;
    pool.budgeted = true;
    pool.maxWeight = 100;
    pool.weightBudget = 100;
    void* a = pool.get();
    void* b = pool.get();
    pool.put(a, 60);
    pool.put(b, 40);
    EXPECT_EQ(pool.weightHeld, 100);
    // weightOf() of the reset objects is 0; taking them must still give their weight back.
    a = pool.get();
    b = pool.get();
    EXPECT_EQ(pool.weightHeld, 0);
    pool.put(a, 100);  // the whole budget is free again
    EXPECT_EQ(pool.idleCount(), 1);
    EXPECT_EQ(pool.destroyedCount, 0);
    pool.put(b, 1);
    EXPECT_EQ(pool.destroyedCount, 1);
    pool.drain();
    EXPECT_EQ(pool.weightHeld, 0);
}

TEST(PoolerBaseTest, ClosedPoolerDestroysWhatComesBack) {
    Budget pool;
    void* a = pool.get();
    void* b = pool.get();
    pool.put(a);
    pool.close();
    EXPECT_EQ(pool.destroyedCount, 1);
    pool.put(b);
    EXPECT_EQ(pool.destroyedCount, 2);
    EXPECT_EQ(pool.idleCount(), 0);
}

// While a reset runs, another thread uses the same pool: resets may wait for other threads
// (a row leaving a windowed list, a worker ending its task), so the pool must not hold its
// lock through them. The reset waits a bounded time, so a pool that does hold it fails the
// test instead of hanging it.
class ResetRendezvous {
public:
    // Starts `usePool` on a helper thread and waits up to five seconds for it to finish.
    void meetIn(std::function<void()> usePool) {
        helper_ = std::thread([this, usePool = std::move(usePool)] {
            usePool();
            finished_ = true;
        });
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!finished_ && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        metInTime_ = finished_.load();
    }
    // After the release that reset: joins the helper; true when it finished in time.
    bool metInTime() {
        if (helper_.joinable())
            helper_.join();
        return metInTime_;
    }
    std::atomic<bool> armed{false};

private:
    std::thread helper_;
    std::atomic<bool> finished_{false};
    bool metInTime_ = false;
};

ResetRendezvous* rendezvous = nullptr;

class WaitingReset : public s::base::IObject, public Pooled<WaitingReset> {
public:
    const char16_t* className() const override { return u"s_test_WaitingReset"; }
    WaitingReset* newInstance() const override { return take(); }
    void reset() override {
        if (rendezvous != nullptr && rendezvous->armed.exchange(false))
            rendezvous->meetIn([] { WaitingReset::take()->release(); });
    }
};

class WaitingFactory : public s::thread::Factory {
public:
    ~WaitingFactory() override { drain(); }
    void* generate() override { return new int(0); }
    void resetObject(void*) override {
        if (rendezvous != nullptr && rendezvous->armed.exchange(false))
            rendezvous->meetIn([this] { put(get()); });
    }
    void destroyObject(void** slot) override {
        delete static_cast<int*>(*slot);
        *slot = nullptr;
    }
    WaitingFactory* newInstance() const override { return new WaitingFactory(); }
};

TEST(PoolTest, AResetMayWaitForAThreadThatTakesFromTheSamePool) {
    {
        ResetRendezvous meeting;
        rendezvous = &meeting;
        WaitingReset* object = WaitingReset::take();
        meeting.armed = true;
        object->release();
        EXPECT_TRUE(meeting.metInTime()) << "EasyPooler";
    }
    {
        ResetRendezvous meeting;
        rendezvous = &meeting;
        WaitingFactory pool;
        void* object = pool.get();
        meeting.armed = true;
        pool.put(object);
        EXPECT_TRUE(meeting.metInTime()) << "PoolerBase";
        EXPECT_EQ(pool.idleCount(), 2);
    }
    rendezvous = nullptr;
}

// What the process-wide pool of ExitProbe does at exit, reported on stderr.
class ExitProbe : public s::base::IObject, public Pooled<ExitProbe> {
public:
    ~ExitProbe() override { std::fprintf(stderr, "%s destroyed\n", role); }
    const char16_t* className() const override { return u"s_test_ExitProbe"; }
    ExitProbe* newInstance() const override { return take(); }
    void reset() override {}
    const char* role = "idle";
};

// Constructed before main, so destroyed after any pool first used in a test: it releases
// into a pool that has already closed.
struct LateOwner {
    ExitProbe* probe = nullptr;
    ~LateOwner() {
        if (probe)
            probe->release();
    }
} gLateOwner;

ExitProbe* gStillInUse = nullptr;  // never released: the pool must leave it alone

bool idleThenLateAndNothingElse(const std::string& err) {
    const auto idle = err.find("idle destroyed");
    const auto late = err.find("late destroyed");
    return idle != std::string::npos && late != std::string::npos && idle < late &&
           err.find("in use destroyed") == std::string::npos;
}

TEST(PoolExitTest, ExitDestroysIdleInstancesAndSurvivesLaterReleases) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ExitProbe* idle = ExitProbe::take();  // first use: the pool is created now
            gStillInUse = ExitProbe::take();
            gStillInUse->role = "in use";
            gLateOwner.probe = ExitProbe::take();
            gLateOwner.probe->role = "late";
            idle->release();
            std::exit(0);
        },
        testing::ExitedWithCode(0), testing::Truly(idleThenLateAndNothingElse));
}

// Released during static destruction, after every test and most statics are gone: the
// pool, closed by then, must still take it.
struct LateRelease {
    s::str::StrBuffer* text = s::str::StrBuffer::take();
    ~LateRelease() { text->release(); }
} gLateRelease;

}  // namespace
