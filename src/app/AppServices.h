// What the program runs on: the settings store of the paths, the sounds, and the workspace
// built on them with the clock, the dialogs and the register's forms it is given. main()
// makes one with the Qt dialogs and the system clock; each window test makes its own with
// scripted dialogs and a fixed clock. It outlives the main window, which is a view of it.
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/AccountForms.h"
#include "ui/QtSounds.h"
#include "workspace/Workspace.h"

class AppServices {
public:
    // `clock`, `dialogs` and `forms` are borrowed. Runs the workspace's start-up and
    // creates the builder object.
    AppServices(platform::Paths paths, const platform::Clock& clock, platform::Dialogs& dialogs,
                ledgora::AccountForms& forms);
    AppServices(const AppServices&) = delete;
    AppServices& operator=(const AppServices&) = delete;

    ledgora::Workspace& workspace() { return workspace_; }

private:
    platform::Paths paths_;
    platform::Registry registry_;
    QtSounds sounds_;
    ledgora::Workspace workspace_;
};
