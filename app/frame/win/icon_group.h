#pragma once

#include <windows.h>

#include <cstdint>

#include "base/object.h"
#include "base/pool.h"

namespace s::app::win {

// An icon group of a module, by resource id; each size is loaded on first use and kept
// until the group is reset. Used on one thread at a time.
class IconGroup final : public base::IObject, public thread::Pooled<IconGroup> {
public:
    IconGroup() = default;
    ~IconGroup() override { reset(); }
    IconGroup(const IconGroup&) = delete;
    IconGroup& operator=(const IconGroup&) = delete;

    // A pooled group bound to `module` (nullptr: the executable) and `id`.
    static IconGroup* takeBound(HMODULE module, int32_t id);

    const char16_t* className() const override { return u"s_app_win_IconGroup"; }
    IconGroup* newInstance() const override { return take(); }
    // Destroys the loaded icons and forgets the binding.
    void reset() override;

    int32_t id() const { return id_; }
    // Whether the module has the group at all.
    bool exists() const;
    // The 16 x 16, 32 x 32 and 64 x 64 images; nullptr when missing. Owned by the group.
    HICON smallIcon() { return load(small_, 16); }
    HICON largeIcon() { return load(large_, 32); }
    HICON hugeIcon() { return load(huge_, 64); }

private:
    HICON load(HICON& slot, int size);

    HMODULE module_ = nullptr;
    int32_t id_ = 0;
    HICON small_ = nullptr;
    HICON large_ = nullptr;
    HICON huge_ = nullptr;
};

}  // namespace s::app::win
