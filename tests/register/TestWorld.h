// A throw-away installation for tests: its own data folder and settings hives under a
// temporary folder, a clock pinned to a date, scripted dialogs and recorded sounds; as an
// open account alone (TestWorld) or as the whole workspace (Installation).
#pragma once

#include <filesystem>
#include <string>

#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sounds.h"
#include "register/AccountSession.h"
#include "register/NameList.h"
#include "register/Workspace.h"
#include "support/TempFolder.h"

namespace ledgora::testing {

// The machine under a test: a data folder and settings hives under a fresh temporary
// folder, removed afterwards, with the services every command needs.
struct TestMachine {
    TempFolder folder;
    std::filesystem::path root = folder.path();
    platform::Paths paths{root, root / "registry", root / "program"};
    platform::Registry registry{paths.registryFolder()};
    platform::FixedClock clock{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    platform::ScriptedDialogs dialogs;
    platform::RecordingSounds sounds;
};

// An open account alone, for a user whose folder exists.
struct TestWorld : TestMachine {
    NameList categories = NameList::builtInCategories();
    NameList modes = NameList::builtInPaymentModes();
    AccountSession session{{registry, paths, clock, dialogs, sounds}, categories, modes};

    explicit TestWorld(const std::string& user = "Anne") {
        std::filesystem::create_directories(paths.userFolder(user));
        std::filesystem::create_directories(paths.programFolder());
        session.setUser(user);
    }
};

// A workspace on a throw-away installation with no user yet.
struct Installation : TestMachine {
    Workspace ws{registry, paths, clock, dialogs, sounds};

    Installation() { ws.start(); }
    AccountManager& manager() { return ws.accounts(); }

    // Creates a user with a first account through the commands.
    void addUser(const std::string& name, const std::string& password,
                 const std::string& account = "Courant") {
        dialogs.fill({name, password}).fill({account, "100"}, true);
        ASSERT_TRUE(manager().newUser());
    }
};

} // namespace ledgora::testing
