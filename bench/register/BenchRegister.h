// The registers the benchmarks run on: `operations` rows in the usual mix (cheques, cards,
// transfers, accents, dates in random order), the same for a given size on every run.
#pragma once

#include "register/Grid.h"

namespace ledgora::bench {

// Caption row, the operations with their balances, one blank row.
Grid benchRegister(int operations);

} // namespace ledgora::bench
