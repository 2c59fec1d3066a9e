// An account file as the main window shows it, for the export and print commands: the
// register opened as the program opens it, its look (with the budget maxima of the
// account when the file is one of the data folder's), and the window's caption.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/BudgetLimits.h"
#include "register/Grid.h"
#include "register/MonthlySpending.h"
#include "register/RegisterLook.h"

namespace cli {

class ShownAccount {
public:
    // Reads `file`; nothing and `error` set when it cannot be read. An account of a user
    // folder of the data folder under `paths` is shown in its stored currency with its
    // stored maxima; any other file in euros, without maxima.
    static std::unique_ptr<ShownAccount> open(const std::filesystem::path& file,
                                              const platform::Paths& paths, std::string& error);

    const ledgora::Grid& grid() const { return grid_; }
    const ledgora::GridLook& look() const { return *look_; }
    const std::string& caption() const { return caption_; }

private:
    class StoredMaxima;
    ShownAccount() = default;

    ledgora::Grid grid_;
    std::unique_ptr<platform::Registry> registry_;
    std::unique_ptr<ledgora::BudgetLimits> limits_;
    ledgora::MonthlySpending spending_;
    std::optional<ledgora::RegisterLook> look_;
    std::string caption_;
};

// The program's paths for the current LEDGORA_HOME, the program folder unused.
platform::Paths cliPaths();

} // namespace cli
