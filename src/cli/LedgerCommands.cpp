#include <ostream>

#include "cli/Commands.h"

namespace cli {

int runBalance(const Args&, std::ostream&, std::ostream& err) {
    err << "balance: not available yet\n";
    return 2;
}

int runEuros(const Args&, std::ostream&, std::ostream& err) {
    err << "euros: not available yet\n";
    return 2;
}

int runFrancs(const Args&, std::ostream&, std::ostream& err) {
    err << "francs: not available yet\n";
    return 2;
}

} // namespace cli
