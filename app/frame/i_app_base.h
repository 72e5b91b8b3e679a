#pragma once

#include <cstdint>

#include "base/event_listener.h"
#include "base/object.h"
#include "base/pool.h"

namespace s::gui::drawer {
class Skinner;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::process::commandline {
class ICommandLine;
}

namespace s::app {

// The one process-wide application object: the settings store, the localizer, the command
// line, the executable's path and the skinner, the two user settings "Language" and "Skin",
// the single-instance check and the installer's first-start flag. Created on the main
// thread before any window; used from the main window's thread afterwards.
// It listens to its skinner: the skin the user picks is stored and applied at the next start.
class IAppBase : public base::IObject,
                 public thread::IPoolable,
                 public gui::events::IEventListener {
public:
    // Language-pack ids of the product texts: the title is the base, the others lie at fixed
    // distances from it. The settings identifier is not relative.
    static constexpr int32_t kProductTextBase = 500000;
    static constexpr int32_t kWebPageOffset = 3;
    static constexpr int32_t kVersionOffset = 10;
    static constexpr int32_t kSettingsIdText = 300000;
    // Message a second start sends to the running copy's main window, and its companion.
    static constexpr uint32_t kShowRunningCopyMessage = 1027;
    static constexpr uint32_t kWakeRunningCopyMessage = 1031;

    // "Freeware".
    virtual const char16_t* editionWord() const = 0;
    // The running executable, at its full length, and its folder (no trailing "\").
    virtual const char16_t* executablePath() const = 0;
    virtual const char16_t* executableFolder() const = 0;
    virtual process::commandline::ICommandLine* commandLine() const = 0;
    virtual int32_t productTextBase() const = 0;
    virtual lang::Localizer* localizer() const = 0;

    virtual map::IMappedData* settings() const = 0;
    // Saves the store now; the release then does not save again.
    virtual bool saveSettings() = 0;

    // The program's 16 x 16 and 32 x 32 icons as native handles, owned by the application
    // base; nullptr when missing.
    virtual void* smallIconHandle() const = 0;
    virtual void* largeIconHandle() const = 0;

    virtual bool hasSkinner() const = 0;
    // Not owned by the caller; nullptr without one.
    virtual gui::drawer::Skinner* skinner() const = 0;

    // The stored "Language", else the English name of the localizer's current language.
    // Valid until the next read of the store.
    virtual const char16_t* languageName() = 0;
    virtual void setLanguageName(const char16_t* name) = 0;
    // The stored "Skin" when it names one of the skinner's schemes, else the default "Black".
    virtual const char16_t* skinName() = 0;
    virtual void setSkinName(const char16_t* name) = 0;

    // Whether another copy of this executable runs for this user; with `search`, it is also
    // told to show its main window (message 1027, and 1031 with `alsoSecondMessage`).
    virtual bool notifyRunningCopy(bool search, bool alsoSecondMessage, bool useAllTitles) = 0;
    // The same, finding the copy among the windows of this thread's desktop.
    virtual bool notifyRunningCopyOnDesktop(bool search, bool alsoSecondMessage,
                                            bool useAllTitles) = 0;

    // New stores (the caller releases them): the XML file "savedata\SaveData.xml" beside the
    // executable, and the registry key of the product's settings.
    virtual map::IMappedData* createFileSettings() = 0;
    virtual map::IMappedData* createRegistrySettings() = 0;

    // The installer's first-start flag: opens the product's web page once when it is set.
    virtual void handleSilentFlag() = 0;
};

}  // namespace s::app
