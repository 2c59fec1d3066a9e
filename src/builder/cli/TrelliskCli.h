// trellisk-cli: builds, dumps and generates source for record databases, and lists the
// HotSync users, all through the COM interface of the builder library.
//
//   build --script S.ini --csv DATA.csv --out FILE [--name NAME] [--encoded] [--sep C]
//   dump FILE.pdb [--sep C]
//   gen-c --script S.ini
//   gen-c --out FILE --name NAME --script S.ini --new
//   users
//
// A builder error prints its EnumErrors name and value on standard error (status 1).
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace trellisk::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

// `arguments` excludes the program name; `programFolder` is where the library is looked
// for when its class is not registered.
int run(const std::vector<std::string>& arguments, const std::filesystem::path& programFolder,
        std::ostream& out, std::ostream& err);

} // namespace trellisk::cli
