#include <ostream>

#include "cli/Commands.h"
#include "money/Amount.h"
#include "money/FrancEuro.h"
#include "register/Balances.h"
#include "register/RegisterRows.h"

namespace cli {

int runBalance(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: ledgora-cli balance FILE.ldg\n";
        return 2;
    }
    ledgora::Grid reg;
    if (auto error = ledgora::readAccountFile(args[0], reg)) {
        err << *error << '\n';
        return 1;
    }
    const ledgora::Balances b = ledgora::recomputeBalances(reg);
    out << "Solde : " << ledgora::formatCents(b.balance) << '\n'
        << "Solde pointé : " << ledgora::formatCents(b.reconciled) << '\n';
    return 0;
}

int runEuros(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: ledgora-cli euros AMOUNT\n";
        return 2;
    }
    const ledgora::EuroAmount e = ledgora::francsToEuros(ledgora::parseAmount(args[0]));
    out << ledgora::formatAmount(e.euros) << ' ' << ledgora::formatAmount(e.remainder) << '\n';
    return 0;
}

int runFrancs(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args.size() > 2) {
        err << "usage: ledgora-cli francs AMOUNT [REMAINDER]\n";
        return 2;
    }
    const std::optional<double> remainder =
        args.size() == 2 ? std::optional<double>(ledgora::parseAmount(args[1])) : std::nullopt;
    out << ledgora::formatAmount(ledgora::eurosToFrancs(ledgora::parseAmount(args[0]), remainder))
        << '\n';
    return 0;
}

} // namespace cli
