// What the reports need of the open account, without depending on how it is held: its
// register put in date order first (the order it keeps afterwards), its currency, its
// names, and its save before all balances are read.
#pragma once

#include <string>

#include "register/Grid.h"

namespace ledgora {

class ReportedAccount {
public:
    virtual ~ReportedAccount() = default;

    // The register made ready for a report, and left so: prepareForReports() applied with
    // cell validation off, as one replacement of the whole register (its views reset).
    virtual const Grid& prepareRegister() = 0;
    // The register as it stands, unsaved edits included.
    virtual const Grid& grid() const = 0;
    virtual bool euros() const = 0;
    virtual const std::string& user() const = 0;
    virtual const std::string& account() const = 0;
    // The main window's caption, which the progression's caption starts with.
    virtual std::string caption() const = 0;
    // Saves the open account; false when it could not be written (the user was told).
    virtual bool save() = 0;
};

// Sorts rows 1.. by date (stable), removes the blank rows and appends one, renumbers the
// rows and recomputes the running balances: what every report and the balance progression
// start from.
void prepareForReports(Grid& reg);

} // namespace ledgora
