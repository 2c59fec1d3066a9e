// Scripted dialogs for the handheld exchange: the generic boxes and lists of
// ScriptedDialogs, and the handheld user choice answered from the same script (choose(i)
// for "OK" on user i, cancel() for "Annuler").
#pragma once

#include "handheld/PalmUserChooser.h"
#include "platform/ScriptedDialogs.h"

namespace ledgora::testing {

class ScriptedHandheldDialogs : public platform::ScriptedDialogs, public PalmUserChooser {
public:
    std::optional<int> choosePalmUser(const std::vector<std::string>& users,
                                      int selected) override {
        shownUsers = users;
        return chooseFromList("Choix de l'utilisateur Palm", users, selected);
    }

    // The users the last choice listed.
    std::vector<std::string> shownUsers;
};

} // namespace ledgora::testing
