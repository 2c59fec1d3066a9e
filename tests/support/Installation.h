// A workspace on a throw-away installation, for the tests of the commands it wires (a
// test that includes this links ledgora_workspace).
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "register/AccountManager.h"
#include "support/TestMachine.h"
#include "workspace/Workspace.h"

namespace ledgora::testing {

// A workspace on a throw-away installation with no user yet.
struct Installation : TestMachine {
    Workspace ws{registry, paths, clock, dialogs, dialogs, sounds};

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
