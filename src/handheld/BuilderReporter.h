// The one place where a builder result becomes a message: NO_ERROR shows nothing, any
// other value the error box "Error [%d] : %s" with the text of that value.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialogs.h"

namespace ledgora {

// The text shown for a non-zero builder result.
std::string builderErrorText(std::int32_t result);

class BuilderReporter {
public:
    explicit BuilderReporter(platform::Dialogs& dialogs) : dialogs_(dialogs) {}

    // True for NO_ERROR; any other value is shown, counted, and answers false.
    bool report(std::int32_t result);
    // How many errors were shown.
    int errors() const { return errors_; }

private:
    platform::Dialogs& dialogs_;
    int errors_ = 0;
};

} // namespace ledgora
