#include "tests/lang/test_support.h"

#include <cstdio>

#include "lang/lang_reader.h"
#include "lang/ui_language.h"

namespace s::lang::test {
namespace {

uint16_t gLanguageId = 0;
LanguageIdSource gSaved = nullptr;

uint16_t fixedLanguageId() {
    return gLanguageId;
}

}  // namespace

Localizer* loadPackText(std::string_view utf8, int32_t osMajorVersion) {
    return loadLanguagePack(reinterpret_cast<const uint8_t*>(utf8.data()),
                            static_cast<int32_t>(utf8.size()), osMajorVersion);
}

Localizer* localizerWith(std::initializer_list<const char16_t*> engNames) {
    Localizer* localizer = Localizer::take();
    char16_t tag[] = u"l0";
    for (const char16_t* name : engNames) {
        LangPack* language = LangPack::take();
        language->setNames(tag, name, name);
        localizer->addLanguage(language);
        ++tag[1];
    }
    return localizer;
}

ScopedLanguageId::ScopedLanguageId(uint16_t languageId) {
    gSaved = languageIdSource();
    gLanguageId = languageId;
    setLanguageIdSource(&fixedLanguageId);
}

ScopedLanguageId::~ScopedLanguageId() {
    setLanguageIdSource(gSaved);
}

std::string readPackFile() {
    std::string bytes;
    std::FILE* file = std::fopen(TELLAVO_LANG_PACK_PATH, "rb");
    if (!file)
        return bytes;
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, n);
    std::fclose(file);
    return bytes;
}

}  // namespace s::lang::test
