#include "app/tellavo/section_settings.h"

#include "persist/map/i_mapped_data.h"

namespace s::time::gui::dialogs::tellavo {

void SectionSettings::bind(map::IMappedData* store, const char16_t* section) {
    store_ = store;
    section_.setText(section != nullptr ? section : u"");
}

const char16_t* SectionSettings::fullPath(const char16_t* path) {
    path_.setStr(section_);
    if (path != nullptr && *path != 0) {
        if (!path_.isEmpty())
            path_.appendUnit(u'\\');
        path_.appendText(path);
    }
    return path_.text();
}

bool SectionSettings::hasValue(const char16_t* path, const char16_t* name) {
    return store_ != nullptr && store_->hasValue(fullPath(path), name);
}

bool SectionSettings::getBool(const char16_t* path, const char16_t* name, bool fallback) {
    return store_ != nullptr ? store_->getBool(fullPath(path), name, fallback) : fallback;
}

int32_t SectionSettings::getInt32(const char16_t* path, const char16_t* name, int32_t fallback) {
    return store_ != nullptr ? store_->getInt32(fullPath(path), name, fallback) : fallback;
}

const char16_t* SectionSettings::getString(const char16_t* path, const char16_t* name,
                                           const char16_t* fallback) {
    return store_ != nullptr ? store_->getString(fullPath(path), name, fallback) : fallback;
}

bool SectionSettings::setBool(const char16_t* path, const char16_t* name, bool value) {
    return writable() && store_->setBool(fullPath(path), name, value);
}

bool SectionSettings::setInt32(const char16_t* path, const char16_t* name, int32_t value) {
    return writable() && store_->setInt32(fullPath(path), name, value);
}

bool SectionSettings::setString(const char16_t* path, const char16_t* name, const char16_t* text) {
    return writable() && store_->setString(fullPath(path), name, text);
}

}  // namespace s::time::gui::dialogs::tellavo
