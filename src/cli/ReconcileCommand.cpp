#include <ostream>

#include "banktools/Reconciliation.h"
#include "cli/Commands.h"
#include "money/Amount.h"
#include "register/Balances.h"
#include "register/RegisterRows.h"

namespace cli {

int runReconcile(const Args& args, std::ostream& out, std::ostream& err) {
    bool euros = true;
    std::vector<std::string> positional;
    for (const std::string& a : args) {
        if (a == "--francs" || a == "--euros") {
            euros = a == "--euros";
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) {
        err << "usage: ledgora-cli reconcile FILE.ldg STATEMENT [--euros|--francs]\n";
        return 2;
    }
    ledgora::Grid reg;
    if (auto error = ledgora::readAccountFile(positional[0], reg)) {
        err << *error << '\n';
        return 1;
    }
    const ledgora::Balances b = ledgora::recomputeBalances(reg);
    out << ledgora::reconcile(positional[1], ledgora::formatAmount(b.reconciled), euros).text
        << '\n';
    return 0;
}

} // namespace cli
