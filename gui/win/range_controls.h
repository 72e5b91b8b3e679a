#pragma once

#include <windows.h>

#include <cstdint>

#include "base/pool.h"
#include "gui/listener_list.h"
#include "gui/win/control.h"

namespace s::gui::win {

// The platform's track bar: a range and a position, with an optional second thumb kept at
// least 1 above the first. The containing window's thread.
class Slider final : public thread::Pooled<Slider, ControlOf<IComponent>> {
public:
    static constexpr int32_t kPoolCapacity = 0;
    enum Event : int32_t { kPositionChanged = 0 };

    Slider() = default;
    ~Slider() override;
    const char16_t* className() const override { return u"s_gui_win_Slider"; }
    Slider* newInstance() const override { return take(); }
    void reset() override;

    // A reversed range is put in order.
    void setRange(int32_t minimum, int32_t maximum);
    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }
    // Clamped into the range.
    void setPosition(int32_t position);
    int32_t position() const { return position_; }
    void setSecondThumb(bool on);
    int32_t secondPosition() const { return second_; }
    void setSecondPosition(int32_t position);
    void addChangeListener(events::IEventListener* l) { listeners_.add(l); }
    void addActionListener(events::IEventListener* l) override { addChangeListener(l); }

    bool handleMessage(intptr_t& result, uint32_t message, uintptr_t wparam,
                       intptr_t lparam) override;

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;

private:
    void pushToNative();

    int32_t minimum_ = 0, maximum_ = 100, position_ = 0;
    bool secondThumb_ = false;
    int32_t second_ = 1;
    ListenerList listeners_;
};

// The platform's progress bar. The containing window's thread.
class ProgressBar final : public thread::Pooled<ProgressBar, ControlOf<IComponent>> {
public:
    static constexpr int32_t kPoolCapacity = 0;

    ProgressBar() = default;
    ~ProgressBar() override;
    const char16_t* className() const override { return u"s_gui_win_ProgressBar"; }
    ProgressBar* newInstance() const override { return take(); }
    void reset() override;

    void setRange(int32_t minimum, int32_t maximum);
    void setPosition(int32_t position);
    int32_t position() const { return position_; }

protected:
    HWND createControl(HWND parent) override;
    void updateHints() override;

private:
    int32_t minimum_ = 0, maximum_ = 100, position_ = 0;
};

}  // namespace s::gui::win
