#include "tests/app/win/main_window_rig.h"

#include "gui/drawer/skinner.h"
#include "gui/i_window.h"
#include "persist/reg/reg_types.h"
#include "persist/win/reg_dir.h"

namespace s::tests::app {

MainWindowRig::MainWindowRig() {
    base_ = createAppBase(key_, L"", nullptr, gui::drawer::Skinner::create(u"ThinWindow"));
}

MainWindowRig::~MainWindowRig() {
    closeRun();
    if (base_)
        base_->release();
}

void MainWindowRig::open(bool startup) {
    closeRun();
    store_ = ::s::app::win::AppWindow::create(base_->editionWord(), base_, u"MainWindow", 700, 550,
                                              false, u"Iconize", base_->skinner(), nullptr);
    window_ = gui::win::Window::take();
    gui::win::Window& w = *window_;
    for (int32_t id :
         {gui::IWindow::kTrayRightClick, gui::IWindow::kTrayClick, gui::IWindow::kMiddleDown,
          gui::IWindow::kHotKey, gui::IWindow::kTimer, gui::IWindow::kClose})
        w.addListener(id, &events);
    // The main window's settings, in the order the clock window's builder applies them.
    w.setResizable(true);
    w.setClientEdge(false);
    w.setStateStore(store_, false);
    w.setTrayMenu(&trayMenu);
    w.setShowInTaskbar(true);
    w.setCloseIconizes(true);
    w.setTrayIconAlways(true);
    w.moveIntoScreen();
    w.doLayout();
    if (startup) {
        w.setVisible(true, false);
        w.iconize();
    } else {
        w.setVisible(true, true);
    }
    flush();
}

void MainWindowRig::closeRun() {
    if (window_)
        window_->release();
    window_ = nullptr;
    if (store_)
        store_->release();
    store_ = nullptr;
}

void MainWindowRig::plantInt(const char16_t* name, int32_t value) {
    reg::win::RegDir* view = reg::win::RegDir::takeOpen(reg::kCurrentUser, viewPath().c_str());
    view->setRaw(name, reg::kTypeBinary, &value, sizeof value);
    view->release();
}

uint32_t MainWindowRig::typeOf(const char16_t* name) {
    reg::win::RegDir* view = reg::win::RegDir::takeOpen(reg::kCurrentUser, viewPath().c_str());
    uint32_t type = 0, size = 0;
    if (!view->readRaw(name, &type, &size))
        type = 0;
    view->release();
    return type;
}

void MainWindowRig::flush() {
    if (window_)
        window_->onWindowThread([] {});
}

bool eventually(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
        if (done())
            return true;
        pump(10);
    }
    return done();
}

void pump(uint32_t ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount64() < end);
}

OtherWindow::OtherWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                            50, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    bringForward();
}

OtherWindow::~OtherWindow() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void OtherWindow::bringForward() {
    if (!hwnd_)
        return;
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(hwnd_);
    pump(50);
}

}  // namespace s::tests::app
