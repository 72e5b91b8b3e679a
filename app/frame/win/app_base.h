#pragma once

#include <windows.h>

#include <cstdint>

#include "app/frame/i_app_base.h"
#include "app/frame/win/command_line.h"
#include "app/frame/win/icon_group.h"
#include "base/str_buffer.h"
#include "image/jpg/win/jpeg.h"

namespace s::app::win {

class WinApp;

// The application base over the executable's resources and the user's registry. Taken
// from its pool and initialised once on the main thread; afterwards the main window's
// thread uses it. Releasing it saves the store (unless saveSettings ran) and gives back
// everything it holds.
class AppBase final : public thread::Pooled<AppBase, IAppBase> {
public:
    // Resource ids of the executable.
    static constexpr int32_t kIconGroupId = 128;
    static constexpr int32_t kPictureAId = 131;
    static constexpr int32_t kPictureBId = 132;

    // How long a later copy waits for the running copy's main window to appear.
    static constexpr uint32_t kCopyWindowWaitMs = 5000;

    using WebPageOpener = bool (*)(const char16_t* url);

    // Where the settings live and what opens web pages; the defaults are the product's.
    struct Options {
        // Below HKEY_CURRENT_USER: the product key holding "Silent" and, under "SaveData",
        // the settings. nullptr: "Software\Kivo\" + the settings identifier.
        const char16_t* productKey = nullptr;
        // The module whose resources are read; nullptr: the executable.
        HMODULE module = nullptr;
        // nullptr: the shell's "open" verb.
        WebPageOpener openWebPage = nullptr;
    };

    AppBase();
    ~AppBase() override;
    AppBase(const AppBase&) = delete;
    AppBase& operator=(const AppBase&) = delete;

    // A pooled, initialised application base (see initialize).
    static AppBase* create(const WinApp& application, gui::drawer::Skinner* skinner,
                           const Options& options);
    static AppBase* create(const WinApp& application, gui::drawer::Skinner* skinner) {
        return create(application, skinner, Options{});
    }

    const char16_t* className() const override { return u"s_app_win_AppBase"; }
    AppBase* newInstance() const override { return take(); }
    // Saves the store unless it was saved explicitly, releases everything, leaves COM.
    void reset() override;

    // Opens the store, reads the command line, loads the pack, icons and pictures, stamps
    // the identity and applies the stored language and skin. The application base owns the
    // skinner from here on and releases it with itself. Runs once per instance.
    void initialize(const WinApp& application, gui::drawer::Skinner* skinner,
                    const Options& options);

    const char16_t* editionWord() const override { return editionWord_; }
    const char16_t* executablePath() const override { return executablePath_.text(); }
    const char16_t* executableFolder() const override { return executableFolder_.text(); }
    process::commandline::ICommandLine* commandLine() const override { return commandLine_; }
    int32_t productTextBase() const override { return productTextBase_; }
    lang::Localizer* localizer() const override { return localizer_; }
    map::IMappedData* settings() const override { return store_; }
    bool saveSettings() override;
    void* smallIconHandle() const override { return smallIcon(); }
    void* largeIconHandle() const override { return largeIcon(); }
    bool hasSkinner() const override { return skinner_ != nullptr; }
    gui::drawer::Skinner* skinner() const override { return skinner_; }

    const char16_t* languageName() override;
    void setLanguageName(const char16_t* name) override;
    const char16_t* skinName() override;
    void setSkinName(const char16_t* name) override;

    bool notifyRunningCopy(bool search, bool alsoSecondMessage, bool useAllTitles) override;
    bool notifyRunningCopyOnDesktop(bool search, bool alsoSecondMessage,
                                    bool useAllTitles) override;

    map::IMappedData* createFileSettings() override;
    map::IMappedData* createRegistrySettings() override;
    void handleSilentFlag() override;

    // The skinner's change of skin: the new skin's name is stored.
    void onEvent(base::IObject* source, int32_t eventId) override;

    // Icon group 128 and its images (owned by the group; nullptr when missing).
    IconGroup* iconGroup() const { return iconGroup_; }
    HICON smallIcon() const { return iconGroup_ ? iconGroup_->smallIcon() : nullptr; }
    HICON largeIcon() const { return iconGroup_ ? iconGroup_->largeIcon() : nullptr; }
    HICON hugeIcon() const { return iconGroup_ ? iconGroup_->hugeIcon() : nullptr; }
    // Any icon group of the module; the caller releases it.
    IconGroup* iconGroupById(int32_t id) const { return IconGroup::takeBound(module_, id); }

    // Picture A (131) and B (132), decoded on first use and owned by the application base;
    // empty (0 x 0) when the resource is missing or damaged, never nullptr after
    // initialisation unless memory ran out.
    const image::IImage* pictureA() const { return picture(pictureA_, kPictureAId); }
    const image::IImage* pictureB() const { return picture(pictureB_, kPictureBId); }
    // The holders: the decoded pictures with their pixels.
    const image::jpg::win::Jpeg* pictureAHolder() const { return picture(pictureA_, kPictureAId); }
    const image::jpg::win::Jpeg* pictureBHolder() const { return picture(pictureB_, kPictureBId); }

    // The product key below HKEY_CURRENT_USER.
    const char16_t* productKey() const { return productKey_.text(); }
    bool isInitialized() const { return initialized_; }

private:
    void stampIdentity();
    void applyStoredLanguage();
    void applyStoredSkin();
    bool notify(bool search, bool alsoSecondMessage, bool useAllTitles, bool desktopOnly);
    const image::jpg::win::Jpeg* picture(image::jpg::win::Jpeg*& slot, int32_t id) const;

    str::StrBuffer* work_ = nullptr;
    str::StrBuffer* work2_ = nullptr;
    const char16_t* editionWord_ = u"";
    int32_t productTextBase_ = 0;
    process::commandline::win::CommandLine* commandLine_ = nullptr;
    str::StrBuffer executablePath_;
    str::StrBuffer executableFolder_;
    HMODULE module_ = nullptr;  // the resource archive: the executable's own resources
    lang::Localizer* localizer_ = nullptr;
    gui::drawer::Skinner* skinner_ = nullptr;
    IconGroup* iconGroup_ = nullptr;
    // Decoded when first asked for: start-up does not wait for pictures it does not show.
    mutable image::jpg::win::Jpeg* pictureA_ = nullptr;
    mutable image::jpg::win::Jpeg* pictureB_ = nullptr;
    bool saved_ = false;
    map::IMappedData* store_ = nullptr;
    str::StrBuffer defaultSkinName_;
    str::StrBuffer productKey_;
    WebPageOpener openWebPage_ = nullptr;
    bool oleInitialized_ = false;
    bool initialized_ = false;
};

}  // namespace s::app::win
