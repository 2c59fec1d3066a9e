// A main window on services of its own, made as main() makes them but with the given
// scripted dialogs and clock; the services go after the window.
#pragma once

#include <utility>

#include "app/AppServices.h"
#include "app/TForm1.h"
#include "register/ScriptedAccountForms.h"

struct OwnServices {
    OwnServices(platform::Paths paths, const platform::Clock& clock,
                ledgora::ScriptedAccountForms& dialogs)
        : services(std::move(paths), clock, dialogs, dialogs) {}
    AppServices services;
};

class AppWindow : private OwnServices, public TForm1 {
public:
    AppWindow(platform::Paths paths, ledgora::ScriptedAccountForms& dialogs,
              const platform::Clock& clock)
        : OwnServices(std::move(paths), clock, dialogs), TForm1(services.workspace()) {}
};
