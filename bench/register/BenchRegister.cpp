#include "BenchRegister.h"

#include <random>

#include "money/Amount.h"
#include "money/DateText.h"
#include "register/Balances.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora::bench {

Grid benchRegister(int operations) {
    static const char* kCategories[] = {"Courses",   "Loyer",  "Essence",    "Salaire",
                                        "Téléphone", "Cinéma", "Restaurant", "Pharmacie"};
    static const char* kModes[] = {"Carte de crédit", "Chèque", "Espèces", "Prélèvement",
                                   "Virement"};
    std::mt19937 rng(operations);
    Grid reg = makeRegister(operations + 2);
    for (int r = 1; r <= operations; ++r) {
        const int day = static_cast<int>(rng() % 28) + 1;
        const int month = static_cast<int>(rng() % 12) + 1;
        const int year = 1995 + static_cast<int>(rng() % 30);
        reg.set(r, col::Pointage, rng() % 3 ? "X" : "");
        reg.set(r, col::Date, formatDate(Date{year, month, day}));
        reg.set(r, col::Rubrique, kCategories[rng() % 8]);
        reg.set(r, col::Notes, rng() % 2 ? "Marché, boulangerie du coin" : "");
        const int mode = static_cast<int>(rng() % 5);
        reg.set(r, col::ModePaiement, kModes[mode]);
        if (mode == 1) {
            reg.set(r, col::Numero, std::to_string(1000 + r));
        }
        const std::string amount = formatAmount((rng() % 500000) / 100.0);
        reg.set(r, rng() % 5 ? col::Debit : col::Credit, amount);
    }
    recomputeBalances(reg);
    return reg;
}

} // namespace ledgora::bench
