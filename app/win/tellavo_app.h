#pragma once

#include "app/frame/win/win_app.h"

// The world clock's application object: its start-up override does all of the program's
// work and returns false, so no framework message loop is ever entered.
class CTellavoApp : public s::app::win::WinApp {
public:
    bool InitInstance() override;
};
