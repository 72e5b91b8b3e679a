#include "gui/drawer/skinner.h"

#include "gui/drawer/schemes.h"
#include "gui/drawer/skins.h"

namespace s::gui::drawer {

Skinner::~Skinner() {
    releaseSkins();
}

Skinner* Skinner::create(const char16_t* familyName) {
    Skinner* skinner = take();
    if (skinner)
        skinner->build(familyName);
    return skinner;
}

void Skinner::releaseSkins() {
    currentSkin_ = nullptr;
    for (int32_t i = 0; i < skins_.count(); ++i)
        skins_.getAs<ISkin>(i)->release();
    skins_.clear();
    skinNames_.clear();
}

void Skinner::reset() {
    releaseSkins();
    listeners_.clear();
    familyName_.clear();
}

void Skinner::build(const char16_t* familyName) {
    releaseSkins();
    familyName_.setText(familyName ? familyName : u"");
    auto append = [this](SkinBase* skin) {
        if (!skin)
            return;
        skins_.add(static_cast<ISkin*>(skin));
        skinNames_.addText(skin->name());
    };
    if (familyName_.equals(kThinWindowFamily)) {
        for (const ThinWindowScheme& scheme : thinWindowSchemes()) {
            skin::ThinWindow* s = skin::ThinWindow::take();
            if (s)
                s->build(scheme);
            append(s);
        }
    } else if (familyName_.equals(kThinFamily)) {
        for (const ThinScheme& scheme : thinSchemes()) {
            skin::Thin* s = skin::Thin::take();
            if (s)
                s->build(scheme);
            append(s);
        }
    }
    currentSkin_ = skins_.count() > 0 ? skins_.getAs<ISkin>(0) : nullptr;
}

ISkin* Skinner::skinAt(int32_t i) const {
    return i >= 0 && i < skins_.count() ? skins_.getAs<ISkin>(i) : nullptr;
}

int32_t Skinner::currentIndex() const {
    for (int32_t i = 0; i < skins_.count(); ++i) {
        if (skins_.getAs<ISkin>(i) == currentSkin_)
            return i;
    }
    return -1;
}

bool Skinner::hasSkin(const char16_t* name) const {
    int32_t at = -1;
    return name && skinNames_.indexOf(name, at, true);
}

int32_t Skinner::selectByName(const char16_t* name) {
    int32_t at = 0;
    if (!name || !skinNames_.indexOf(name, at, true))
        at = 0;
    return select(at);
}

int32_t Skinner::selectByIndex(int32_t index) {
    return select(index >= 0 && index < skins_.count() ? index : 0);
}

int32_t Skinner::select(int32_t index) {
    ISkin* chosen = skinAt(index);
    if (!chosen)
        return -1;
    if (chosen != currentSkin_) {
        currentSkin_ = chosen;
        notify();
    }
    return index;
}

void Skinner::notify() {
    // A listener may detach itself or others while it repaints: walk a copy and call only
    // those still registered.
    const int32_t n = listeners_.count();
    if (n == 0)
        return;
    col::_array::ArrayP* snapshot = col::_array::ArrayP::take();
    if (!snapshot)
        return;
    for (int32_t i = 0; i < n; ++i)
        snapshot->add(listeners_.get(i));
    for (int32_t i = 0; i < snapshot->count(); ++i) {
        auto* listener = snapshot->getAs<gui::events::IEventListener>(i);
        if (isListening(listener))
            listener->onEvent(this, kSkinChanged);
    }
    snapshot->release();
}

void Skinner::addListener(gui::events::IEventListener* listener) {
    if (listener && !isListening(listener))
        listeners_.add(listener);
}

void Skinner::removeListener(gui::events::IEventListener* listener) {
    for (int32_t i = 0; i < listeners_.count(); ++i) {
        if (listeners_.get(i) == listener) {
            listeners_.removeRange(i, 1);
            return;
        }
    }
}

bool Skinner::isListening(gui::events::IEventListener* listener) const {
    for (int32_t i = 0; i < listeners_.count(); ++i) {
        if (listeners_.get(i) == listener)
            return true;
    }
    return false;
}

}  // namespace s::gui::drawer
