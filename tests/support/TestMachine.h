// The machine under a test: a data folder and settings hives under a temporary folder,
// a clock pinned to a date, scripted dialogs and forms, and recorded sounds.
#pragma once

#include <filesystem>

#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Sounds.h"
#include "register/ScriptedAccountForms.h"
#include "support/TempFolder.h"

namespace ledgora::testing {

// The services every command needs, on a folder removed afterwards.
struct TestMachine {
    TempFolder folder;
    std::filesystem::path root = folder.path();
    platform::Paths paths{root, root / "registry", root / "program"};
    platform::Registry registry{paths.registryFolder()};
    platform::FixedClock clock{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    ScriptedAccountForms dialogs; // the messages and the register's forms
    platform::RecordingSounds sounds;
};

} // namespace ledgora::testing
