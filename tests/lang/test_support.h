#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lang/localizer.h"

namespace s::lang::test {

// The texts of the localizer API are UTF-16 pointers; compare them as strings.
inline std::u16string str(const char16_t* text) {
    return text ? std::u16string(text) : u"<null>";
}

// Holds a pooled localizer and gives it back to its pool.
class LocalizerHolder {
public:
    explicit LocalizerHolder(Localizer* localizer) : localizer_(localizer) {}
    ~LocalizerHolder() {
        if (localizer_)
            localizer_->release();
    }
    LocalizerHolder(const LocalizerHolder&) = delete;
    LocalizerHolder& operator=(const LocalizerHolder&) = delete;
    Localizer* operator->() const { return localizer_; }
    Localizer& operator*() const { return *localizer_; }
    Localizer* get() const { return localizer_; }

private:
    Localizer* localizer_;
};

// A localizer read from a pack given as UTF-8 text.
Localizer* loadPackText(std::string_view utf8, int32_t osMajorVersion = 10);

// A localizer with languages of these English names (tags "l0", "l1", ...) and no texts.
Localizer* localizerWith(std::initializer_list<const char16_t*> engNames);

// Sets the LANGID that userLanguageName() sees, and restores the previous source.
class ScopedLanguageId {
public:
    explicit ScopedLanguageId(uint16_t languageId);
    ~ScopedLanguageId();
    ScopedLanguageId(const ScopedLanguageId&) = delete;
    ScopedLanguageId& operator=(const ScopedLanguageId&) = delete;
};

// The bytes of the program's language pack file.
std::string readPackFile();

}  // namespace s::lang::test
