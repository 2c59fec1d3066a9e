// ledgora-cli: headless front end on the same core as the desktop program.
#include <filesystem>
#include <iostream>
#include <string_view>

#include "cli/Commands.h"

namespace {

int usage(std::ostream& err) {
    err << "usage: ledgora-cli balance FILE.ldg\n"
           "       ledgora-cli euros AMOUNT\n"
           "       ledgora-cli francs AMOUNT [REMAINDER]\n"
           "       ledgora-cli calc [--decimals N | --float | --none] [--var x=VALUE ...] "
           "[FILE]\n"
           "       ledgora-cli loan --solve payment|amount|rate|duration [--amount A] [--rate R] "
           "[--duration D] [--years] [--payment P]\n"
           "       ledgora-cli interest simple|compound --solve "
           "interest|final|capital|rate|duration [--capital K] [--rate R] [--duration D] "
           "[--months|--years] [--interest I] [--final F]\n"
           "       ledgora-cli convert francs|euros AMOUNT\n"
           "       ledgora-cli handheld export|import USER ACCOUNT [--palm-user N]\n"
           "       ledgora-cli report FILE.ldg --by category|mode --period "
           "average-month|average-year|all|month:MM/YYYY|year:YYYY\n"
           "       ledgora-cli balances [--euros|--francs]\n"
           "       ledgora-cli export FILE.ldg OUT.csv|htm|txt|doc|xls\n"
           "       ledgora-cli print FILE.ldg OUT.pdf [--bw]\n"
           "       ledgora-cli reconcile FILE.ldg STATEMENT [--euros|--francs]\n"
           "       ledgora-cli schedule USER ACCOUNT [--date dd/mm/yyyy] [--password P] "
           "(--list | --yes)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return usage(std::cerr);
    }
    const std::string_view command = argv[1];
    const cli::Args args(argv + 2, argv + argc);
    if (command == "balance") {
        return cli::runBalance(args, std::cout, std::cerr);
    }
    if (command == "euros") {
        return cli::runEuros(args, std::cout, std::cerr);
    }
    if (command == "francs") {
        return cli::runFrancs(args, std::cout, std::cerr);
    }
    if (command == "calc") {
        return cli::runCalc(args, std::cin, std::cout, std::cerr);
    }
    if (command == "loan") {
        return cli::runLoan(args, std::cout, std::cerr);
    }
    if (command == "interest") {
        return cli::runInterest(args, std::cout, std::cerr);
    }
    if (command == "convert") {
        return cli::runConvert(args, std::cout, std::cerr);
    }
    if (command == "report") {
        return cli::runReport(args, std::cout, std::cerr);
    }
    if (command == "balances") {
        return cli::runBalances(args, std::cout, std::cerr);
    }
    if (command == "export") {
        return cli::runExport(args, std::cout, std::cerr);
    }
    if (command == "print") {
        return cli::runPrint(args, std::cout, std::cerr);
    }
    if (command == "reconcile") {
        return cli::runReconcile(args, std::cout, std::cerr);
    }
    if (command == "schedule") {
        return cli::runSchedule(args, std::cout, std::cerr);
    }
    if (command == "handheld") {
        std::error_code ec;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (ec) {
            self = std::filesystem::absolute(argv[0], ec);
        }
        return cli::runHandheld(args, self.parent_path(), std::cout, std::cerr);
    }
    return usage(std::cerr);
}
