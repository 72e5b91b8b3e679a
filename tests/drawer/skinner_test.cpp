#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/event_listener.h"
#include "gui/drawer/skinner.h"

namespace s::gui::drawer {
namespace {

struct Counting : gui::events::IEventListener {
    std::vector<int32_t> events;
    base::IObject* lastSource = nullptr;
    Skinner* skinner = nullptr;
    gui::events::IEventListener* detachOnEvent = nullptr;  // not owned
    void onEvent(base::IObject* source, int32_t eventId) override {
        events.push_back(eventId);
        lastSource = source;
        if (detachOnEvent && skinner)
            skinner->removeListener(detachOnEvent);
    }
};

struct SkinnerHolder {
    Skinner* skinner;
    explicit SkinnerHolder(const char16_t* family) : skinner(Skinner::create(family)) {}
    ~SkinnerHolder() { skinner->release(); }
    Skinner* operator->() const { return skinner; }
};

std::u16string str(const char16_t* text) {
    return text ? std::u16string(text) : std::u16string();
}

TEST(Skinner, BuildsEachFamilyInMenuOrderWithTheFirstSkinCurrent) {
    struct Case {
        const char16_t* family;
        int32_t count;
        const char16_t* first;
        const char16_t* last;
        const char16_t* skinClass;
    } cases[] = {
        {u"ThinWindow", 16, u"White", u"Indigo", u"s_gui_drawer_skin_ThinWindow"},
        {u"Thin", 13, u"White", u"Salmon Red", u"s_gui_drawer_skin_Thin"},
    };
    for (const Case& c : cases) {
        SkinnerHolder s(c.family);
        EXPECT_EQ(str(s->className()), u"s_gui_drawer_Skinner");
        ASSERT_EQ(s->count(), c.count);
        EXPECT_EQ(s->names().count(), c.count);
        EXPECT_EQ(str(s->nameAt(0)), str(c.first));
        EXPECT_EQ(str(s->nameAt(c.count - 1)), str(c.last));
        // Current from the start: a component registering now gets real drawers.
        ASSERT_NE(s->currentSkin(), nullptr);
        EXPECT_EQ(s->currentIndex(), 0);
        EXPECT_EQ(str(s->currentName()), str(c.first));
        EXPECT_EQ(str(s->currentSkin()->className()), str(c.skinClass));
        for (int32_t i = 0; i < c.count; ++i)
            EXPECT_EQ(str(s->skinAt(i)->name()), str(s->nameAt(i)));
        EXPECT_EQ(s->skinAt(c.count), nullptr);
        EXPECT_EQ(s->skinAt(-1), nullptr);
    }
}

TEST(Skinner, UnknownFamilyHasNoSkinsAndSelectionDoesNothing) {
    SkinnerHolder s(u"Plastic");
    Counting l;
    s->addListener(&l);
    EXPECT_EQ(s->count(), 0);
    EXPECT_EQ(s->currentSkin(), nullptr);
    EXPECT_EQ(s->selectByName(u"White"), -1);
    EXPECT_EQ(s->selectByIndex(0), -1);
    EXPECT_TRUE(l.events.empty());
}

TEST(Skinner, SelectsWholeNamesIgnoringCaseElseTheFirst) {
    struct Case {
        const char16_t* asked;
        const char16_t* chosen;
    } cases[] = {
        {u"black ii", u"Black II"}, {u"BLACK", u"Black"},   {u"Classic LG", u"Classic LG"},
        {u"Black I", u"White"},     {u"Nothing", u"White"}, {u"", u"White"},
        {nullptr, u"White"},        {u"indigo", u"Indigo"}, {u"Black Black II", u"Black Black II"},
    };
    SkinnerHolder s(u"ThinWindow");
    for (const Case& c : cases) {
        s->selectByIndex(5);
        const int32_t at = s->selectByName(c.asked);
        EXPECT_EQ(str(s->currentName()), str(c.chosen));
        EXPECT_EQ(str(s->nameAt(at)), str(c.chosen));
        EXPECT_EQ(s->currentIndex(), at);
    }
    EXPECT_TRUE(s->hasSkin(u"sky blue"));
    EXPECT_FALSE(s->hasSkin(u"Sky"));
    EXPECT_FALSE(s->hasSkin(nullptr));
}

TEST(Skinner, SendsEventZeroOnlyWhenTheCurrentSkinReallyChanges) {
    SkinnerHolder s(u"ThinWindow");
    Counting l;
    s->addListener(&l);
    s->addListener(&l);  // told once
    struct Step {
        bool byName;
        const char16_t* name;
        int32_t index;
        size_t eventsAfter;
    } steps[] = {
        {true, u"White", 0, 0},  // already current since creation
        {true, u"Black", 0, 1},   {true, u"black", 0, 1},
        {false, nullptr, 2, 1},   {false, nullptr, 3, 2},  // Black II
        {true, u"Unknown", 0, 3},                          // back to the first
        {false, nullptr, 99, 3},  // out of range: the first, already current
        {false, nullptr, -1, 3},  {false, nullptr, 15, 4},
    };
    for (const Step& st : steps) {
        if (st.byName)
            s->selectByName(st.name);
        else
            s->selectByIndex(st.index);
        EXPECT_EQ(l.events.size(), st.eventsAfter) << s->currentIndex();
    }
    for (int32_t id : l.events)
        EXPECT_EQ(id, Skinner::kSkinChanged);
    EXPECT_EQ(l.lastSource, s.skinner);
    EXPECT_EQ(str(s->currentName()), u"Indigo");
}

TEST(Skinner, RemovedListenersAreNeverCalledEvenDuringAChange) {
    SkinnerHolder s(u"ThinWindow");
    Counting first, second, third;
    first.skinner = s.skinner;
    first.detachOnEvent = &second;  // a component going away while the first repaints
    third.skinner = s.skinner;
    third.detachOnEvent = &third;  // leaves on its own event
    s->addListener(&first);
    s->addListener(&second);
    s->addListener(&third);
    EXPECT_EQ(s->listenerCount(), 3);

    s->selectByName(u"Black");
    EXPECT_EQ(first.events.size(), 1u);
    EXPECT_TRUE(second.events.empty());
    EXPECT_EQ(third.events.size(), 1u);
    EXPECT_EQ(s->listenerCount(), 1);

    s->removeListener(&first);
    s->removeListener(&first);  // twice is harmless
    s->selectByName(u"Pink");
    EXPECT_EQ(first.events.size(), 1u);
    EXPECT_EQ(third.events.size(), 1u);
    EXPECT_EQ(s->listenerCount(), 0);
}

TEST(Skinner, ReleasedSkinnerComesBackCleanFromItsPool) {
    Counting l;
    Skinner* a = Skinner::create(u"ThinWindow");
    a->addListener(&l);
    a->selectByName(u"Black");
    a->release();
    Skinner* b = Skinner::take();
    EXPECT_EQ(b->count(), 0);
    EXPECT_EQ(b->listenerCount(), 0);
    EXPECT_EQ(b->currentSkin(), nullptr);
    b->build(u"Thin");
    EXPECT_EQ(b->count(), 13);
    EXPECT_EQ(str(b->currentName()), u"White");
    b->build(u"ThinWindow");  // rebuilding replaces the family
    EXPECT_EQ(b->count(), 16);
    b->release();
    EXPECT_EQ(l.events.size(), 1u);
}

}  // namespace
}  // namespace s::gui::drawer
