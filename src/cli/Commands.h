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
// "report FILE.ldg --by category|mode --period P": a report of the "&Etats et graphiques"
// menu as its window shows it, one "key TAB total" line per key, then the receipts and
// expenses; a report without key says so on `err` and returns 1.
int runReport(const Args& args, std::ostream& out, std::ostream& err);
// "balances [--euros|--francs]": the balances of all the accounts of the user the program
// would preselect, in the recap's currency unless one is given, then their total.
int runBalances(const Args& args, std::ostream& out, std::ostream& err);
// "reconcile FILE.ldg STATEMENT [--euros|--francs]": the reconciliation window's result
// line for the account's reconciled balance and the statement balance (a French "," taken
// as "."), without its colour; the currency word is "Euros" unless --francs.
int runReconcile(const Args& args, std::ostream& out, std::ostream& err);
// "schedule USER ACCOUNT [--date dd/mm/yyyy] [--password P] (--list | --yes)": the automatic
// entry of the account's scheduled operations as opening it on that date would run it;
// --list prints the operations it would propose and changes nothing, --yes enters them all
// and saves the account.
int runSchedule(const Args& args, std::ostream& out, std::ostream& err);
// "handheld export|import USER ACCOUNT [--palm-user N]": the exchange with the handheld
// through the builder shipped in `programFolder`, run in the data folder, without questions.
int runHandheld(const Args& args, const std::filesystem::path& programFolder, std::ostream& out,
                std::ostream& err);

// "export FILE.ldg OUT": the file the window's export writes for that account shown in
// its stored currency, in the format of OUT's extension (csv, htm, txt, doc or xls).
int runExport(const Args& args, std::ostream& out, std::ostream& err);
// "print FILE.ldg OUT.pdf [--bw]": the window's printout of the account, every page, into
// a PDF file; in black and white with --bw.
int runPrint(const Args& args, std::ostream& out, std::ostream& err);

} // namespace cli
