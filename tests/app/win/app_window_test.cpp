// The main window's state store over the real registry: defaults of a first start, stored
// geometry that no screen can show, the middle-click texts, and writes only of what changed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/frame/win/app_base.h"
#include "app/frame/win/app_window.h"
#include "persist/map/i_mapped_data.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"
#include "tests/app/win/frame_support.h"

namespace s::tests::app {

namespace {

using ::s::app::win::AppBase;
using ::s::app::win::AppWindow;

std::u16string text(const char16_t* t) {
    return t ? std::u16string(t) : std::u16string();
}

// The main window's store as start-up makes it, on a private product key.
class MainWindowStore : public testing::Test {
protected:
    void SetUp() override {
        base_ = createAppBase(key_);
        ASSERT_NE(base_, nullptr);
        open();
    }
    void TearDown() override {
        if (window_)
            window_->release();
        base_->release();
    }
    void open() {
        if (window_)
            window_->release();
        window_ = AppWindow::create(base_->editionWord(), base_, u"MainWindow", 700, 550, false,
                                    u"Iconize", base_->skinner(), nullptr);
    }
    std::u16string viewPath() const { return key_.settingsPath() + u"\\MainWindow\\View"; }
    // Writes a value straight into the registry, of a type the store reads but never writes:
    // a later write by the store shows as a changed type.
    void plant(const char16_t* name, uint32_t type, const void* bytes, uint32_t size) {
        reg::win::RegDir* view = reg::win::RegDir::takeOpen(reg::kCurrentUser, viewPath().c_str());
        ASSERT_TRUE(view->setRaw(name, type, bytes, size));
        view->release();
    }
    void plantInt(const char16_t* name, int32_t value) {
        plant(name, reg::kTypeBinary, &value, sizeof value);
    }
    uint32_t typeOf(const char16_t* name) {
        reg::win::RegDir* view = reg::win::RegDir::takeOpen(reg::kCurrentUser, viewPath().c_str());
        uint32_t type = 0, size = 0;
        if (!view->readRaw(name, &type, &size))
            type = 0;
        view->release();
        return type;
    }

    PrivateProductKey key_;
    AppBase* base_ = nullptr;
    AppWindow* window_ = nullptr;
};

TEST_F(MainWindowStore, FirstStartReadsTheDefaults) {
    EXPECT_EQ(text(window_->windowName()), u"MainWindow");
    EXPECT_EQ(text(window_->keyPath(u"View")), u"MainWindow\\View");
    EXPECT_FALSE(window_->hasStoredPosition());
    EXPECT_EQ(window_->width(), 700);
    EXPECT_EQ(window_->height(), 550);
    EXPECT_TRUE(window_->easyDrag());
    EXPECT_FALSE(window_->keepOnTop());
    EXPECT_FALSE(window_->maximized());
    EXPECT_EQ(text(window_->middleClickAction()), u"Iconize");
    EXPECT_TRUE(window_->middleClickIconizes());
    EXPECT_FALSE(window_->hasOwnSkin());
    EXPECT_EQ(text(window_->skinName()), u"Black");
    EXPECT_EQ(window_->productTextBase(), 500000);
    EXPECT_EQ(window_->localizer(), base_->localizer());
    // The identity stamp inside the window's key.
    const std::u16string main = key_.settingsPath() + u"\\MainWindow";
    EXPECT_EQ(readKeyText(main + u"\\SoftwareType", u"-"), u"Freeware");
    EXPECT_EQ(readKeyText(main + u"\\SoftwareID", u"-"), u"Kivo Tellavo");
    EXPECT_EQ(readKeyText(main + u"\\Version", u"-"), u"1.18");
    EXPECT_TRUE(base_->settings()->autoSave());
}

struct SizeCase {
    int32_t width;
    int32_t height;
    int32_t readWidth;  // 0: the virtual screen's
    int32_t readHeight;
};

class StoredSize : public MainWindowStore, public testing::WithParamInterface<SizeCase> {};

TEST_P(StoredSize, OutsideTheAcceptableRangeReadsAsTheDefault) {
    const SizeCase& c = GetParam();
    window_->setWidth(c.width);
    window_->setHeight(c.height);
    const int32_t screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int32_t screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_EQ(window_->width(), c.readWidth == 0 ? screenWidth : c.readWidth);
    EXPECT_EQ(window_->height(), c.readHeight == 0 ? screenHeight : c.readHeight);
}

INSTANTIATE_TEST_SUITE_P(Sizes, StoredSize,
                         testing::Values(SizeCase{100000, -5, 700, 550}, SizeCase{9, 9, 700, 550},
                                         SizeCase{10, 10, 10, 10}, SizeCase{640, 480, 640, 480},
                                         SizeCase{-100000, 0, 700, 550},
                                         SizeCase{INT32_MAX, INT32_MIN, 700, 550}));

TEST_F(MainWindowStore, SizeAtTheScreenEdgeIsAcceptableOneBeyondIsNot) {
    const int32_t screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int32_t screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_TRUE(window_->isWidthAcceptable(screenWidth));
    EXPECT_FALSE(window_->isWidthAcceptable(screenWidth + 1));
    EXPECT_TRUE(window_->isHeightAcceptable(screenHeight));
    EXPECT_FALSE(window_->isHeightAcceptable(screenHeight + 1));
}

struct ActionCase {
    const char16_t* stored;  // nullptr: nothing stored
    const char16_t* read;
};

class StoredMiddleClick : public MainWindowStore, public testing::WithParamInterface<ActionCase> {};

TEST_P(StoredMiddleClick, ReadsAsOneOfTheThreeActions) {
    const ActionCase& c = GetParam();
    if (c.stored) {
        const std::u16string stored = c.stored;
        plant(u"OnMClick", reg::kTypeSz, stored.c_str(),
              static_cast<uint32_t>((stored.size() + 1) * 2));
    }
    open();
    EXPECT_EQ(text(window_->middleClickAction()), c.read);
    EXPECT_EQ(window_->middleClickCloses(), text(c.read) == u"Close");
    EXPECT_EQ(window_->middleClickIconizes(), text(c.read) == u"Iconize");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredMiddleClick,
    testing::Values(ActionCase{u"Close", u"Close"}, ActionCase{u"iconize", u"Iconize"},
                    ActionCase{u"nonsense", u"DoNothing"}, ActionCase{u"DONOTHING", u"DoNothing"},
                    ActionCase{u"", u"DoNothing"}, ActionCase{nullptr, u"Iconize"}));

TEST_F(MainWindowStore, MiddleClickIsWrittenOnlyWhenItChanges) {
    window_->setMiddleClickAction(u"Iconize");  // the default: nothing to write
    EXPECT_EQ(typeOf(u"OnMClick"), 0u);
    const std::u16string stored = u"Iconize";
    plant(u"OnMClick", reg::kTypeExpandSz, stored.c_str(),
          static_cast<uint32_t>((stored.size() + 1) * 2));
    window_->setMiddleClickAction(u"iconize");
    EXPECT_EQ(typeOf(u"OnMClick"), reg::kTypeExpandSz);
    window_->setMiddleClickAction(u"Close");
    EXPECT_EQ(typeOf(u"OnMClick"), reg::kTypeSz);
    EXPECT_TRUE(window_->middleClickCloses());
    window_->setMiddleClickAction(u"whatever");
    EXPECT_EQ(text(window_->middleClickAction()), u"DoNothing");
}

TEST_F(MainWindowStore, SavingBoundsWritesOnlyTheChangedValues) {
    plantInt(u"X", 100);
    plantInt(u"Y", 200);
    plantInt(u"Width", 700);
    plantInt(u"Height", 550);
    window_->saveBounds(100, 260, 700, 580);
    EXPECT_EQ(typeOf(u"X"), reg::kTypeBinary);
    EXPECT_EQ(typeOf(u"Y"), reg::kTypeDword);
    EXPECT_EQ(typeOf(u"Width"), reg::kTypeBinary);
    EXPECT_EQ(typeOf(u"Height"), reg::kTypeDword);
    EXPECT_TRUE(window_->hasStoredPosition());
    EXPECT_EQ(window_->x(), 100);
    EXPECT_EQ(window_->y(), 260);
    EXPECT_EQ(window_->height(), 580);

    window_->forgetGeometry();
    EXPECT_FALSE(window_->hasStoredPosition());
    EXPECT_FALSE(window_->hasWidth());
    EXPECT_FALSE(window_->hasHeight());
}

TEST_F(MainWindowStore, OptionsSurviveANewStore) {
    window_->setKeepOnTop(true);
    window_->setEasyDrag(false);
    window_->setMaximized(true);
    window_->saveBounds(-20, 30, 640, 480);
    open();
    EXPECT_TRUE(window_->keepOnTop());
    EXPECT_FALSE(window_->easyDrag());
    EXPECT_TRUE(window_->maximized());
    EXPECT_EQ(window_->x(), -20);
    EXPECT_EQ(window_->y(), 30);
    EXPECT_EQ(window_->width(), 640);
    EXPECT_EQ(window_->height(), 480);
}

TEST_F(MainWindowStore, LanguageAndSavingGoToTheApplication) {
    window_->storeLanguageName(u"Dutch");
    EXPECT_EQ(readKeyText(key_.settingsPath() + u"\\Language", u"-"), u"Dutch");
    window_->saveApplicationSettings();
    window_->setSkinName(u"Green");
    EXPECT_EQ(readKeyText(key_.settingsPath() + u"\\Skin", u"-"), u"Green");
}

}  // namespace

}  // namespace s::tests::app
