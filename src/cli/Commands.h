// The commands of ledgora-cli, each reading its arguments (after the command word) and
// writing to the given streams; each returns the process exit status.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

int runBalance(const Args& args, std::ostream& out, std::ostream& err);
int runEuros(const Args& args, std::ostream& out, std::ostream& err);
int runFrancs(const Args& args, std::ostream& out, std::ostream& err);
int runCalc(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int runLoan(const Args& args, std::ostream& out, std::ostream& err);
int runInterest(const Args& args, std::ostream& out, std::ostream& err);
int runConvert(const Args& args, std::ostream& out, std::ostream& err);
// "handheld export|import USER ACCOUNT [--palm-user N]": the exchange with the handheld
// through the builder shipped in `programFolder`, run in the data folder, without questions.
int runHandheld(const Args& args, const std::filesystem::path& programFolder, std::ostream& out,
                std::ostream& err);

} // namespace cli
