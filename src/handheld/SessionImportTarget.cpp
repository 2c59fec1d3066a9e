#include "handheld/SessionImportTarget.h"

namespace ledgora {

void SessionImportTarget::setCurrency(bool euros) {
    if (euros) {
        session_.switchToEuros();
    } else {
        session_.switchToFrancs();
    }
}

} // namespace ledgora
