#include "app/frame/win/app_base.h"

#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstring>
#include <initializer_list>

#include "app/frame/win/running_copy.h"
#include "app/frame/win/win_app.h"
#include "gui/drawer/skinner.h"
#include "lang/lang_pack.h"
#include "lang/localizer.h"
#include "lang/win/lang_resource.h"
#include "persist/map/i_mapped_data.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "persist/win/reg_store.h"
#include "persist/xml/mapped_data.h"

namespace s::app::win {

namespace {

constexpr const char16_t* kEditionWord = u"Freeware";
constexpr const char16_t* kDefaultSkinName = u"Black";
// The settings identifier when the pack cannot give it: never an empty path component.
constexpr const char16_t* kFallbackSettingsId = u"Kivo Tellavo";

bool shellOpen(const char16_t* url) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = reinterpret_cast<const wchar_t*>(url);
    info.lpParameters = L"";
    info.nShow = SW_SHOW;
    return ShellExecuteExW(&info) != FALSE;
}

}  // namespace

AppBase::AppBase() {
    work_ = str::StrBuffer::take();
    work2_ = str::StrBuffer::take();
}

AppBase::~AppBase() {
    reset();
    if (work_)
        work_->release();
    if (work2_)
        work2_->release();
}

AppBase* AppBase::create(const WinApp& application, gui::drawer::Skinner* skinner,
                         const Options& options) {
    AppBase* base = take();
    if (base)
        base->initialize(application, skinner, options);
    return base;
}

void AppBase::initialize(const WinApp& application, gui::drawer::Skinner* skinner,
                         const Options& options) {
    if (initialized_)
        return;
    initialized_ = true;

    // The shell and the controls the windows host need COM and OLE on this thread. A second
    // security set-up in the process fails harmlessly.
    oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);

    editionWord_ = kEditionWord;
    productTextBase_ = kProductTextBase;
    openWebPage_ = options.openWebPage ? options.openWebPage : &shellOpen;

    commandLine_ = process::commandline::win::CommandLine::take();
    if (commandLine_) {
        application.parseCommandLine(*commandLine_);
        commandLine_->afterParse();
    }

    modulePath(nullptr, executablePath_);
    int32_t slash = -1;
    executableFolder_.setStr(executablePath_);
    if (executableFolder_.lastIndexOf(u'\\', slash))
        executableFolder_.setLength(slash);
    module_ = options.module ? options.module : GetModuleHandleW(nullptr);

    iconGroup_ = IconGroup::takeBound(module_, kIconGroupId);
    localizer_ = lang::win::loadLanguagePack(module_);
    skinner_ = skinner;
    defaultSkinName_.setText(kDefaultSkinName);

    if (options.productKey) {
        productKey_.setText(options.productKey);
    } else {
        const char16_t* id = localizer_ ? localizer_->text(kSettingsIdText) : u"";
        productKey_.setText(u"Software\\Kivo\\").appendText(*id ? id : kFallbackSettingsId);
    }
    store_ = createRegistrySettings();
    if (store_)
        store_->setAutoSave(false);
    stampIdentity();
    applyStoredLanguage();
    applyStoredSkin();
    if (store_)
        store_->setAutoSave(true);
}

void AppBase::reset() {
    if (commandLine_)
        commandLine_->release();
    commandLine_ = nullptr;
    executablePath_.freeStorage();
    executableFolder_.freeStorage();
    module_ = nullptr;
    if (localizer_)
        localizer_->release();
    localizer_ = nullptr;
    if (iconGroup_)
        iconGroup_->release();
    iconGroup_ = nullptr;
    for (image::jpg::win::Jpeg** slot : {&pictureA_, &pictureB_}) {
        if (*slot)
            (*slot)->release();
        *slot = nullptr;
    }
    if (skinner_) {
        skinner_->removeListener(this);
        skinner_->release();
    }
    skinner_ = nullptr;
    if (store_) {
        if (!saved_)
            store_->save();
        store_->release();
    }
    store_ = nullptr;
    saved_ = false;
    defaultSkinName_.freeStorage();
    productKey_.freeStorage();
    if (work_)
        work_->freeStorage();
    if (work2_)
        work2_->freeStorage();
    editionWord_ = u"";
    productTextBase_ = 0;
    openWebPage_ = nullptr;
    if (oleInitialized_)
        OleUninitialize();
    oleInitialized_ = false;
    initialized_ = false;
}

bool AppBase::saveSettings() {
    if (!store_)
        return false;
    saved_ = true;
    return store_->save();
}

void AppBase::stampIdentity() {
    if (!store_)
        return;
    const char16_t* settingsId = localizer_ ? localizer_->text(kSettingsIdText) : u"";
    store_->setString(u"SoftwareType", u"", editionWord_);
    store_->setString(u"SoftwareID", u"", *settingsId ? settingsId : kFallbackSettingsId);
    store_->setString(u"Version", u"",
                      localizer_ ? localizer_->text(productTextBase_ + kVersionOffset) : u"");
}

const char16_t* AppBase::languageName() {
    lang::LangPack* current = localizer_ ? localizer_->currentLanguage() : nullptr;
    const char16_t* fallback = current ? current->engName().text() : u"English";
    return store_ ? store_->getString(u"Language", u"", fallback) : fallback;
}

void AppBase::setLanguageName(const char16_t* name) {
    if (store_)
        store_->setString(u"Language", u"", name ? name : u"");
}

void AppBase::applyStoredLanguage() {
    if (!localizer_)
        return;
    const bool stored = store_ && store_->hasValue(u"Language", u"");
    work_->setText(languageName());
    localizer_->selectLanguage(work_->text());
    lang::LangPack* current = localizer_->currentLanguage();
    // A name matching no language is corrected to the one now in use; a first start
    // records the language it chose.
    if (current && (!stored || !current->engName().equalsIgnoreCase(*work_)))
        setLanguageName(current->engName().text());
}

void AppBase::applyStoredSkin() {
    if (!skinner_)
        return;
    // The skinner tells its listeners only when this changes the skin; nothing is written
    // here, so "Skin" stays absent until the user picks one.
    skinner_->selectByName(skinName());
    skinner_->addListener(this);
}

const char16_t* AppBase::skinName() {
    if (!store_)
        return defaultSkinName_.text();
    const char16_t* stored = store_->getString(u"Skin", u"", defaultSkinName_.text());
    if (skinner_ && !skinner_->hasSkin(stored))
        return defaultSkinName_.text();
    return stored;
}

void AppBase::onEvent(base::IObject* source, int32_t eventId) {
    if (skinner_ && source == skinner_ && eventId == gui::drawer::Skinner::kSkinChanged)
        setSkinName(skinner_->currentName());
}

void AppBase::setSkinName(const char16_t* name) {
    if (store_)
        store_->setString(u"Skin", u"", name ? name : u"");
}

bool AppBase::notify(bool search, bool alsoSecondMessage, bool useAllTitles, bool desktopOnly) {
    bool running = false;
    switch (claimInstance(executablePath_.text())) {
        case InstanceClaim::kFirst:
            return false;
        case InstanceClaim::kOther:
            running = true;
            break;
        case InstanceClaim::kUnknown:
            running = findProcessRunning(executablePath_.text()) != 0;
            break;
    }
    if (!running || !search)
        return running;

    str::StrArray titles;
    if (useAllTitles && localizer_) {
        for (int32_t i = 0; i < localizer_->languageCount(); ++i)
            titles.addText(localizer_->languageAt(i)->text(productTextBase_));
    }
    CopyWindowQuery query;
    query.executablePath = executablePath_.text();
    query.titles = titles.isEmpty() ? nullptr : &titles;
    query.desktopOnly = desktopOnly;
    // The copy was found: this start ends even when its window never shows up.
    notifyCopyWindow(query, kShowRunningCopyMessage,
                     alsoSecondMessage ? kWakeRunningCopyMessage : 0, kCopyWindowWaitMs);
    return true;
}

bool AppBase::notifyRunningCopy(bool search, bool alsoSecondMessage, bool useAllTitles) {
    return notify(search, alsoSecondMessage, useAllTitles, false);
}

bool AppBase::notifyRunningCopyOnDesktop(bool search, bool alsoSecondMessage, bool useAllTitles) {
    return notify(search, alsoSecondMessage, useAllTitles, true);
}

map::IMappedData* AppBase::createFileSettings() {
    work2_->setStr(executableFolder_).appendText(u"\\savedata\\SaveData.xml");
    return xml::MappedData::createForFile(work2_->text());
}

map::IMappedData* AppBase::createRegistrySettings() {
    work2_->setStr(productKey_).appendText(u"\\SaveData");
    return reg::win::openRegistryStore(reg::kCurrentUser, work2_->text());
}

void AppBase::handleSilentFlag() {
    reg::win::RegDir* key = reg::win::RegDir::takeOpen(reg::kCurrentUser, productKey_.text());
    if (!key)
        return;
    uint32_t type = 0;
    uint32_t size = 0;
    uint32_t value = 0;
    // Only the installer's own word counts: a DWORD of exactly 1.
    if (key->isOpen() && key->readRaw(u"Silent", &type, &size) && type == reg::kTypeDword &&
        size == sizeof value) {
        std::memcpy(&value, key->data().data(), sizeof value);
    }
    if (value == 1) {
        const uint32_t cleared = 0;
        // Cleared first, so the page opens once even if the shell never comes back; a flag
        // that cannot be cleared opens nothing rather than a page at every start.
        if (key->setRaw(u"Silent", reg::kTypeDword, &cleared, sizeof cleared) && localizer_)
            openWebPage_(localizer_->text(productTextBase_ + kWebPageOffset));
    }
    key->release();
}

const image::jpg::win::Jpeg* AppBase::picture(image::jpg::win::Jpeg*& slot, int32_t id) const {
    // Both pictures of this program are JPEG resources ("IDR_JPG").
    if (!slot && initialized_)
        slot = image::jpg::win::loadEmbeddedPicture(id, module_);
    return slot;
}

}  // namespace s::app::win
