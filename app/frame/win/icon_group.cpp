#include "app/frame/win/icon_group.h"

#include <initializer_list>

namespace s::app::win {

IconGroup* IconGroup::takeBound(HMODULE module, int32_t id) {
    IconGroup* group = take();
    if (group) {
        group->module_ = module ? module : GetModuleHandleW(nullptr);
        group->id_ = id;
    }
    return group;
}

void IconGroup::reset() {
    for (HICON* slot : {&small_, &large_, &huge_}) {
        if (*slot)
            DestroyIcon(*slot);
        *slot = nullptr;
    }
    module_ = nullptr;
    id_ = 0;
}

bool IconGroup::exists() const {
    return module_ && FindResourceW(module_, MAKEINTRESOURCEW(id_), RT_GROUP_ICON) != nullptr;
}

HICON IconGroup::load(HICON& slot, int size) {
    if (!slot && module_) {
        slot = static_cast<HICON>(
            LoadImageW(module_, MAKEINTRESOURCEW(id_), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }
    return slot;
}

}  // namespace s::app::win
