// A user with two accounts, "Courant" (open, in euros) and "Livret" (closed, in francs
// unless told otherwise), their planning, and the transfers between them.
#pragma once

#include <string>

#include "GridEdits.h"
#include "planning/PlanningPart.h"
#include "planning/Transfers.h"
#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/TestWorld.h"

namespace ledgora::testing {

struct TransferWorld : TestWorld {
    PlanningPart planningPart{paths, dialogs};
    Transfers transfers{registry, paths, dialogs, sounds, session};
    GridEdits edits{session.grid()};

    explicit TransferWorld(bool livretInEuros = false, bool withLivret = true) {
        session.addPart(&planningPart);
        if (withLivret) {
            session.create("Livret", 1000, livretInEuros);
        }
        session.create("Courant", 100, true);
        dialogs.clear();
    }

    // The register row 2 as the user typed it.
    void type(const std::string& mode, const std::string& debit, const std::string& credit = {},
              const std::string& notes = {}) {
        Grid& reg = session.grid();
        if (reg.rowCount() < 4) {
            reg.setRowCount(4);
        }
        reg.set(2, col::Date, "05/03/2024");
        reg.set(2, col::ModePaiement, mode);
        reg.set(2, col::Debit, debit);
        reg.set(2, col::Credit, credit);
        reg.set(2, col::Notes, notes);
    }

    Grid livret() const {
        Grid g;
        loadGridFile(paths.accountFile("Anne", "Livret"), g);
        return g;
    }
    std::string counter(const std::string& account) const {
        return registry.readString(platform::Hive::CurrentUser,
                                   platform::settings::accountKey("Anne", account),
                                   platform::settings::kLastNumVir, "<absent>");
    }
    void setCounter(const std::string& account, long long n) {
        registry.writeInteger(platform::Hive::CurrentUser,
                              platform::settings::accountKey("Anne", account),
                              platform::settings::kLastNumVir, n);
    }
};

} // namespace ledgora::testing
