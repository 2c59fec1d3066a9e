// The choice of the handheld user ("Choix de l'utilisateur Palm"): the HotSync users in a
// list with one of them selected, "OK" and "Annuler". The window implements it; tests and
// the command line answer it themselves.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ledgora {

class PalmUserChooser {
public:
    virtual ~PalmUserChooser() = default;

    // Shows `users` with `selected` selected; the index of the user chosen with "OK", or
    // nothing for "Annuler".
    virtual std::optional<int> choosePalmUser(const std::vector<std::string>& users,
                                              int selected) = 0;
};

} // namespace ledgora
