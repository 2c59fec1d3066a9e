// An open account on a throw-away machine (tests/support/TestMachine.h): its own data
// folder and settings hives, a pinned clock, scripted dialogs and recorded sounds.
#pragma once

#include <filesystem>
#include <string>

#include "register/AccountSession.h"
#include "register/NameList.h"
#include "support/TestMachine.h"

namespace ledgora::testing {

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

} // namespace ledgora::testing
