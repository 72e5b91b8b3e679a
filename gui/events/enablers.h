#pragma once

#include <cstdint>

#include "base/array.h"
#include "base/event_listener.h"

namespace s::base {
class IObject;
}

namespace s::gui {
class IComponent;
class IEditable;
}  // namespace s::gui

namespace s::gui::events {

// Listeners that switch their targets when any event of their one source arrives (the
// event id is not looked at; events of other sources are ignored). Source and targets are
// not owned. Called on the thread that sends the events (a window's thread).
template <class Target>
class TargetSwitch : public IEventListener {
public:
    explicit TargetSwitch(base::IObject* source) : source_(source) {}
    TargetSwitch(const TargetSwitch&) = delete;
    TargetSwitch& operator=(const TargetSwitch&) = delete;

    // Null is ignored; targets are switched in the order they were added.
    void addTarget(Target* target) {
        if (target)
            targets_.add(target);
    }
    int32_t targetCount() const { return targets_.count(); }
    base::IObject* source() const { return source_; }

    void onEvent(base::IObject* source, int32_t /*eventId*/) override {
        if (!source || source != source_)
            return;
        for (int32_t i = 0; i < targets_.count(); ++i)
            apply(*static_cast<Target*>(targets_.get(i)));
    }

protected:
    virtual void apply(Target& target) = 0;

private:
    base::IObject* source_;
    col::_array::ArrayP targets_;
};

// setEnabled(true) on every target.
class Enabler final : public TargetSwitch<IComponent> {
public:
    using TargetSwitch::TargetSwitch;

private:
    void apply(IComponent& target) override;
};

// setEnabled(false) on every target.
class Disabler final : public TargetSwitch<IComponent> {
public:
    using TargetSwitch::TargetSwitch;

private:
    void apply(IComponent& target) override;
};

// setEditable(true) on every target.
class Editabler final : public TargetSwitch<IEditable> {
public:
    using TargetSwitch::TargetSwitch;

private:
    void apply(IEditable& target) override;
};

// setEditable(false) on every target.
class UnEditabler final : public TargetSwitch<IEditable> {
public:
    using TargetSwitch::TargetSwitch;

private:
    void apply(IEditable& target) override;
};

}  // namespace s::gui::events
