#include "lang/ui_language.h"

#include <cstddef>

namespace s::lang {
namespace {

struct WholeId {
    uint16_t id;
    const char16_t* name;
};

// LANGIDs whose sub-language decides the name.
constexpr WholeId kWholeIds[] = {
    {0x201A, u"BOSNIAN"},
    {0x001A, u"CROATIAN"},
    {0x041A, u"CROATIAN"},
    {0x101A, u"CROATIAN"},
    {0x0C1A, u"SERBIAN_CYRILLIC"},
    {0x1C1A, u"SERBIAN_CYRILLIC"},
    {0x081A, u"SERBIAN_LATIN"},
    {0x181A, u"SERBIAN_LATIN"},
    {0x7C1A, u"SERBIAN"},
    {0x082E, u"LOWER_SORBIAN"},
    {0x042E, u"UPPER_SORBIAN"},
    {0x0004, u"CHINESE_SIMPLIFIED"},
    {0x0804, u"CHINESE_SIMPLIFIED"},
    {0x1004, u"CHINESE_SIMPLIFIED"},
    {0x0404, u"CHINESE_TRADITIONAL"},
    {0x0C04, u"CHINESE_TRADITIONAL"},
    {0x1404, u"CHINESE_TRADITIONAL"},
    {0x7C04, u"CHINESE_TRADITIONAL"},
    {0x0416, u"PORTUGUESE_BRAZILIAN"},
    {0x0816, u"PORTUGUESE_PORTUGAL"},
};

struct PrimaryName {
    uint8_t primary;
    const char16_t* name;
};

// Every other LANGID by its primary language (low 8 bits).
constexpr PrimaryName kPrimaryNames[] = {
    {0x01, u"ARABIC"},      {0x02, u"BULGARIAN"},  {0x03, u"CATALAN"},
    {0x04, u"CHINESE"},     {0x05, u"CZECH"},      {0x06, u"DANISH"},
    {0x07, u"GERMAN"},      {0x08, u"GREEK"},      {0x09, u"ENGLISH"},
    {0x0A, u"SPANISH"},     {0x0B, u"FINNISH"},    {0x0C, u"FRENCH"},
    {0x0D, u"HEBREW"},      {0x0E, u"HUNGARIAN"},  {0x0F, u"ICELANDIC"},
    {0x10, u"ITALIAN"},     {0x11, u"JAPANESE"},   {0x12, u"KOREAN"},
    {0x13, u"DUTCH"},       {0x14, u"NORWEGIAN"},  {0x15, u"POLISH"},
    {0x16, u"PORTUGUESE"},  {0x17, u"ROMANSH"},    {0x18, u"ROMANIAN"},
    {0x19, u"RUSSIAN"},     {0x1A, u"SERBIAN"},    {0x1B, u"SLOVAK"},
    {0x1C, u"ALBANIAN"},    {0x1D, u"SWEDISH"},    {0x1E, u"THAI"},
    {0x1F, u"TURKISH"},     {0x20, u"URDU"},       {0x21, u"INDONESIAN"},
    {0x22, u"UKRAINIAN"},   {0x23, u"BELARUSIAN"}, {0x24, u"SLOVENIAN"},
    {0x25, u"ESTONIAN"},    {0x26, u"LATVIAN"},    {0x27, u"LITHUANIAN"},
    {0x28, u"TAJIK"},       {0x29, u"PERSIAN"},    {0x2A, u"VIETNAMESE"},
    {0x2B, u"ARMENIAN"},    {0x2C, u"AZERI"},      {0x2D, u"BASQUE"},
    {0x2F, u"MACEDONIAN"},  {0x32, u"TSWANA"},     {0x34, u"XHOSA"},
    {0x35, u"ZULU"},        {0x36, u"AFRIKAANS"},  {0x37, u"GEORGIAN"},
    {0x38, u"FAEROESE"},    {0x39, u"HINDI"},      {0x3A, u"MALTESE"},
    {0x3B, u"SAMI"},        {0x3C, u"IRISH"},      {0x3E, u"MALAY"},
    {0x3F, u"KAZAK"},       {0x40, u"KYRGYZ"},     {0x41, u"SWAHILI"},
    {0x42, u"TURKMEN"},     {0x43, u"UZBEK"},      {0x44, u"TATAR"},
    {0x45, u"BENGALI"},     {0x46, u"PUNJABI"},    {0x47, u"GUJARATI"},
    {0x48, u"ORIYA"},       {0x49, u"TAMIL"},      {0x4A, u"TELUGU"},
    {0x4B, u"KANNADA"},     {0x4C, u"MALAYALAM"},  {0x4D, u"ASSAMESE"},
    {0x4E, u"MARATHI"},     {0x4F, u"SANSKRIT"},   {0x50, u"MONGOLIAN"},
    {0x51, u"TIBETAN"},     {0x52, u"WELSH"},      {0x53, u"KHMER"},
    {0x54, u"LAO"},         {0x56, u"GALICIAN"},   {0x57, u"KONKANI"},
    {0x59, u"SINDHI"},      {0x5A, u"SYRIAC"},     {0x5B, u"SINHALESE"},
    {0x5D, u"INUKTITUT"},   {0x5E, u"AMHARIC"},    {0x5F, u"TAMAZIGHT"},
    {0x60, u"KASHMIRI"},    {0x61, u"NEPALI"},     {0x62, u"FRISIAN"},
    {0x63, u"PASHTO"},      {0x64, u"FILIPINO"},   {0x65, u"DIVEHI"},
    {0x68, u"HAUSA"},       {0x6A, u"YORUBA"},     {0x6B, u"QUECHUA"},
    {0x6C, u"SOTHO"},       {0x6D, u"BASHKIR"},    {0x6E, u"LUXEMBOURGISH"},
    {0x6F, u"GREENLANDIC"}, {0x70, u"IGBO"},       {0x73, u"TIGRIGNA"},
    {0x78, u"YI"},          {0x7A, u"MAPUDUNGUN"}, {0x7C, u"MOHAWK"},
    {0x7E, u"BRETON"},      {0x80, u"UIGHUR"},     {0x81, u"MAORI"},
    {0x82, u"OCCITAN"},     {0x83, u"CORSICAN"},   {0x84, u"ALSATIAN"},
    {0x85, u"YAKUT"},       {0x86, u"KICHE"},      {0x87, u"KINYARWANDA"},
    {0x88, u"WOLOF"},       {0x8C, u"DARI"},
};

constexpr uint16_t kLanguageNeutral = 0x0000;

// Long enough for every name of the tables ("PORTUGUESE_BRAZILIAN" is the longest).
constexpr std::size_t kNameCapacity = 32;

LanguageIdSource gSource = nullptr;
bool gCached = false;
char16_t gName[kNameCapacity];

}  // namespace

const char16_t* languageNameOfId(uint16_t languageId) {
    for (const WholeId& entry : kWholeIds) {
        if (entry.id == languageId)
            return entry.name;
    }
    const uint8_t primary = static_cast<uint8_t>(languageId & 0xFF);
    for (const PrimaryName& entry : kPrimaryNames) {
        if (entry.primary == primary)
            return entry.name;
    }
    return u"Unknown";
}

void setLanguageIdSource(LanguageIdSource source) {
    gSource = source;
    gCached = false;
}

LanguageIdSource languageIdSource() {
    return gSource;
}

const char16_t* userLanguageName() {
    if (gCached)
        return gName;
    const uint16_t id = gSource ? gSource() : kLanguageNeutral;
    const char16_t* name = languageNameOfId(id);
    std::size_t n = 0;
    for (; name[n] != 0 && n + 1 < kNameCapacity; ++n) {
        char16_t unit = name[n];
        if (unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        gName[n] = unit;
    }
    gName[n] = 0;
    if (gName[0] >= u'a' && gName[0] <= u'z')
        gName[0] = static_cast<char16_t>(gName[0] - u'a' + u'A');
    gCached = true;
    return gName;
}

}  // namespace s::lang
