// The register every export test writes: accents, ";", a double quote, a CR LF inside a
// note, markup, a euro sign, a category over its monthly maximum and both balance colours.
#pragma once

#include <filesystem>
#include <string>

#include "platform/FileIO.h"
#include "register/Balances.h"
#include "register/BudgetLimits.h"
#include "register/MonthlySpending.h"
#include "register/RegisterColumns.h"
#include "register/RegisterLook.h"
#include "register/RegisterRows.h"

namespace ledgora::testing {

// "Courses" may spend 100 a month; the register spends 150 on it in March 2024.
class BudgetHooks : public BudgetLimits {
public:
    Cents monthlyMaximum(const std::string& category) const override {
        return category == "Courses" ? 10'000 : 0;
    }
};

inline Grid exportRegister() {
    Grid reg = makeRegister(7);
    struct Row {
        const char *mark, *date, *numero, *rubrique, *notes, *mode, *debit, *credit;
    };
    const Row rows[] = {
        {"X", "01/03/2024", "", "Solde initial", "Solde initial", "", "", "1000.00"},
        {"", "02/03/2024", "1041", "Courses", "Marché \"bio\"; légumes", "Chèque", "120.00", ""},
        {"X", "03/03/2024", "", "Loisirs", "Cinéma\r\nPop-corn", "Carte de crédit", "900.00", ""},
        {"", "04/03/2024", "", "Courses", "a;b", "Espèces", "30.00", ""},
        {"", "05/03/2024", "vir2", "Virement", "Prime <b>& 5 €", "Virement", "", "200.00"},
    };
    for (int r = 1; r <= 5; ++r) {
        const Row& row = rows[r - 1];
        reg.set(r, col::Pointage, row.mark);
        reg.set(r, col::Date, row.date);
        reg.set(r, col::Numero, row.numero);
        reg.set(r, col::Rubrique, row.rubrique);
        reg.set(r, col::Notes, row.notes);
        reg.set(r, col::ModePaiement, row.mode);
        reg.set(r, col::Debit, row.debit);
        reg.set(r, col::Credit, row.credit);
    }
    reg.set(3, col::Deber, "0.03"); // hidden: never exported
    recomputeBalances(reg);
    return reg;
}

// The register with its look: the budget maxima and the spending they are checked on.
struct ExportWorld {
    Grid grid = exportRegister();
    BudgetHooks hooks;
    MonthlySpending spending;
    RegisterLook look{hooks, &spending};
    ExportWorld() { spending.rebuild(grid); }
};

inline std::filesystem::path exportGolden(const std::string& name) {
    return std::filesystem::path(LEDGORA_TEST_DATA) / "register" / "export" / name;
}

} // namespace ledgora::testing
