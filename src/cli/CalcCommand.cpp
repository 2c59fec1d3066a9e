#include <ostream>

#include "cli/Commands.h"

namespace cli {

int runCalc(const Args&, std::istream&, std::ostream&, std::ostream& err) {
    err << "calc: not available yet\n";
    return 2;
}

} // namespace cli
