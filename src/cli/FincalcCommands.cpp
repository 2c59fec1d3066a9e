// ledgora-cli loan, interest and convert: the financial calculators' computations,
// headless, printing what their windows show.
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "fincalc/CalculatorInput.h"
#include "fincalc/CompoundInterest.h"
#include "fincalc/FrancEuroConverter.h"
#include "fincalc/Loan.h"
#include "fincalc/SimpleInterest.h"

namespace cli {

namespace {

// The words of one calculator's command line.
struct SolverOptions {
    std::string_view command; // for messages: "loan", "interest simple"
    std::string_view usage;
    std::map<std::string, fincalc::Field, std::less<>> solve;        // --solve WORD
    std::map<std::string, fincalc::Field, std::less<>> fields;       // --amount VALUE ...
    std::map<std::string, fincalc::DurationUnit, std::less<>> units; // --years ...
};

constexpr std::string_view kLoanUsage =
    "usage: ledgora-cli loan --solve payment|amount|rate|duration [--amount A] [--rate R] "
    "[--duration D] [--years] [--payment P]\n";
constexpr std::string_view kSimpleUsage =
    "usage: ledgora-cli interest simple --solve interest|capital|rate|duration [--capital K] "
    "[--rate R] [--duration D] [--months] [--interest I]\n";
constexpr std::string_view kCompoundUsage =
    "usage: ledgora-cli interest compound --solve final|capital|rate|duration [--capital K] "
    "[--rate R] [--duration D] [--months|--years] [--final F]\n";
constexpr std::string_view kInterestUsage =
    "usage: ledgora-cli interest simple|compound --solve interest|final|capital|rate|duration "
    "[--capital K] [--rate R] [--duration D] [--months|--years] [--interest I] [--final F]\n";
constexpr std::string_view kConvertUsage = "usage: ledgora-cli convert francs|euros AMOUNT\n";

// The words are the same for the three calculators but for the first and the fourth field:
// "--solve WORD" and "--WORD VALUE".
SolverOptions solverOptions(std::string_view command, std::string_view usage,
                            const std::string& principal, const std::string& fourth,
                            std::map<std::string, fincalc::DurationUnit, std::less<>> units) {
    using fincalc::Field;
    return {command,
            usage,
            {{fourth, Field::Fourth},
             {principal, Field::Principal},
             {"rate", Field::Rate},
             {"duration", Field::Duration}},
            {{"--" + principal, Field::Principal},
             {"--rate", Field::Rate},
             {"--duration", Field::Duration},
             {"--" + fourth, Field::Fourth}},
            std::move(units)};
}

int usage(std::ostream& err, const SolverOptions& options, const std::string& problem) {
    err << options.command << ": " << problem << "\n" << options.usage;
    return 2;
}

void printGrid(const ledgora::Grid& grid, std::ostream& out) {
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            if (c > 0) {
                out << '\t';
            }
            out << grid.at(r, c);
        }
        out << '\n';
    }
}

int runSolver(fincalc::SolverForm& form, const SolverOptions& options, const Args& args,
              std::ostream& out, std::ostream& err) {
    std::optional<fincalc::Field> solved;
    fincalc::Typed typed;
    typed.unit = form.texts().units[0];
    std::map<fincalc::Field, bool> given;
    bool unitChosen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const auto unit = options.units.find(arg); unit != options.units.end()) {
            if (unitChosen) {
                return usage(err, options, "one unit only");
            }
            unitChosen = true;
            typed.unit = unit->second;
            continue;
        }
        const bool isSolve = arg == "--solve";
        const auto field = options.fields.find(arg);
        if (!isSolve && field == options.fields.end()) {
            return usage(err, options, "unknown argument " + arg);
        }
        if (i + 1 >= args.size()) {
            return usage(err, options, arg + " needs a value");
        }
        const std::string& value = args[++i];
        if (isSolve) {
            const auto word = options.solve.find(value);
            if (word == options.solve.end()) {
                return usage(err, options, "cannot solve for " + value);
            }
            if (solved) {
                return usage(err, options, "--solve given twice");
            }
            solved = word->second;
            continue;
        }
        if (given[field->second]) {
            return usage(err, options, arg + " given twice");
        }
        given[field->second] = true;
        if (field->second == fincalc::Field::Duration) {
            for (const char c : value) {
                if (fincalc::durationRefuses(static_cast<unsigned char>(c))) {
                    return usage(err, options, "the duration is a whole number");
                }
            }
        }
        typed.text(field->second) = value;
    }
    if (!solved) {
        return usage(err, options, "--solve is needed");
    }
    const fincalc::Outcome outcome = form.calculate(*solved, typed);
    if (!outcome.done) {
        err << outcome.message << '\n';
        return 1;
    }
    printGrid(form.grid(), out);
    return 0;
}

} // namespace

int runLoan(const Args& args, std::ostream& out, std::ostream& err) {
    fincalc::Loan loan;
    return runSolver(loan,
                     solverOptions("loan", kLoanUsage, "amount", "payment",
                                   {{"--years", fincalc::DurationUnit::Years}}),
                     args, out, err);
}

int runInterest(const Args& args, std::ostream& out, std::ostream& err) {
    using fincalc::DurationUnit;
    const std::string kind = args.empty() ? std::string() : args[0];
    const Args rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (kind == "simple") {
        fincalc::SimpleInterest simple;
        return runSolver(simple,
                         solverOptions("interest simple", kSimpleUsage, "capital", "interest",
                                       {{"--months", DurationUnit::Months}}),
                         rest, out, err);
    }
    if (kind == "compound") {
        fincalc::CompoundInterest compound;
        return runSolver(
            compound,
            solverOptions("interest compound", kCompoundUsage, "capital", "final",
                          {{"--months", DurationUnit::Months}, {"--years", DurationUnit::Years}}),
            rest, out, err);
    }
    err << "interest: simple or compound\n" << kInterestUsage;
    return 2;
}

int runConvert(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || (args[0] != "francs" && args[0] != "euros")) {
        err << kConvertUsage;
        return 2;
    }
    const bool fromFrancs = args[0] == "francs";
    const auto amount = fincalc::readNumber(args[1]);
    if (!amount) {
        err << fincalc::notANumberMessage(fromFrancs ? "le montant en francs"
                                                     : "le montant en euros")
            << '\n';
        return 1;
    }
    out << (fromFrancs ? fincalc::francsToEurosText(*amount) : fincalc::eurosToFrancsText(*amount))
        << '\n';
    return 0;
}

} // namespace cli
