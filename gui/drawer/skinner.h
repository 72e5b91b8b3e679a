#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/event_listener.h"
#include "base/object.h"
#include "base/pool.h"
#include "base/str_array.h"
#include "base/str_buffer.h"
#include "gui/drawer/i_skin.h"

namespace s::gui::drawer {

// The skins of one family, the current one, and the components told when it changes.
// A skinner has a current skin from the moment it is built (the family's first), so a
// component that registers early still gets real drawers. GUI thread only.
class Skinner : public base::IObject, public thread::Pooled<Skinner> {
public:
    // Event id sent to the listeners when the current skin has changed.
    static constexpr int32_t kSkinChanged = 0;

    Skinner() = default;
    ~Skinner() override;
    Skinner(const Skinner&) = delete;
    Skinner& operator=(const Skinner&) = delete;

    // A pooled skinner with every skin of the family ("ThinWindow" or "Thin"; any other
    // name builds no skins). The caller releases it.
    static Skinner* create(const char16_t* familyName);

    const char16_t* className() const override { return u"s_gui_drawer_Skinner"; }
    Skinner* newInstance() const override { return take(); }
    // Releases the skins (and their drawers) and forgets the listeners.
    void reset() override;

    // Builds the family's skins in menu order; the first becomes current. Drops what was
    // built before.
    void build(const char16_t* familyName);

    const char16_t* familyName() const { return familyName_.text(); }
    int32_t count() const { return skins_.count(); }
    const char16_t* nameAt(int32_t i) const { return skinNames_.textAt(i); }
    ISkin* skinAt(int32_t i) const;
    const str::StrArray& names() const { return skinNames_; }

    ISkin* currentSkin() const { return currentSkin_; }
    int32_t currentIndex() const;
    const char16_t* currentName() const { return currentSkin_ ? currentSkin_->name() : u""; }

    // Whole names, ignoring ASCII letter case; an unknown name takes the first skin. Event
    // 0 goes to the listeners only when the current skin really changes. Returns the
    // position now current (-1 without skins).
    int32_t selectByName(const char16_t* name);
    // The same by position; a position out of range takes the first skin.
    int32_t selectByIndex(int32_t index);
    // Whether the family has a skin of this name (ignoring case).
    bool hasSkin(const char16_t* name) const;

    // Listeners are not owned; one added twice is told once. A component removes itself
    // when it is detached or released; a change walks a snapshot of the list and skips
    // whoever left during the walk.
    void addListener(gui::events::IEventListener* listener);
    void removeListener(gui::events::IEventListener* listener);
    bool isListening(gui::events::IEventListener* listener) const;
    int32_t listenerCount() const { return listeners_.count(); }

private:
    int32_t select(int32_t index);
    void notify();

    str::strbuffer::StrBuffer familyName_;
    col::_array::ArrayP skins_;  // ISkin*, owned (released in clear)
    str::StrArray skinNames_;
    ISkin* currentSkin_ = nullptr;
    col::_array::ArrayP listeners_;  // IEventListener*, not owned
    void releaseSkins();
};

}  // namespace s::gui::drawer
