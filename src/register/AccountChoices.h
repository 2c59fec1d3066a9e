// What the users and accounts commands remember from one choice to the next: the user and
// the account last chosen in their lists, and the currency of the last new account. The
// workspace keeps them among the program's options.
#pragma once

namespace ledgora {

struct AccountChoices {
    bool newSoldeInEuro = true;
    int chooseIndex = -1;
    int chooseUserIndex = -1;
};

} // namespace ledgora
