// ledgora-cli calc: computes a worksheet page as "=" does in the calculator's page mode.
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include "calculator/CalcFile.h"
#include "calculator/Worksheet.h"
#include "cli/Commands.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/TextCase.h"

namespace cli {

namespace {

int usage(std::ostream& err, const std::string& problem) {
    err << "calc: " << problem << "\n"
        << "usage: ledgora-cli calc [--decimals N | --float | --none] [--var x=VALUE ...] "
           "[FILE]\n";
    return 2;
}

bool validUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
        } else if (b >= 0x80) {
            return false;
        }
        if (text.size() - i <= extra) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += extra + 1;
    }
    return true;
}

int letterIndex(char letter) {
    for (std::size_t i = 0; i < calculator::Worksheet::kLetters.size(); ++i) {
        if (calculator::Worksheet::kLetters[i] == letter) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

int runCalc(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
    std::optional<int> decimalsItem;
    int decimalsOptions = 0;
    std::vector<std::pair<int, std::string>> variables;
    std::optional<std::string> fileName;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--float" || arg == "--none") {
            decimalsItem = arg == "--float" ? calculator::DecimalsSetting::kFloating
                                            : calculator::DecimalsSetting::kNone;
            ++decimalsOptions;
        } else if (arg == "--decimals") {
            if (i + 1 >= args.size()) {
                return usage(err, "--decimals needs a number from 1 to 15");
            }
            const std::string& n = args[++i];
            if (n.empty() || n.size() > 2 ||
                n.find_first_not_of("0123456789") != std::string::npos || std::stoi(n) < 1 ||
                std::stoi(n) > 15) {
                return usage(err, "--decimals needs a number from 1 to 15");
            }
            decimalsItem = std::stoi(n) + 1;
            ++decimalsOptions;
        } else if (arg == "--var") {
            if (i + 1 >= args.size()) {
                return usage(err, "--var needs LETTER=VALUE");
            }
            const std::string& assignment = args[++i];
            if (assignment.size() < 2 || assignment[1] != '=' || letterIndex(assignment[0]) < 0) {
                return usage(err, "--var needs LETTER=VALUE, LETTER one of x y z t m n p q r s");
            }
            std::string value = assignment.substr(2);
            // As the variable boxes do.
            for (char& c : value) {
                c = c == '.' ? ',' : c;
            }
            variables.emplace_back(letterIndex(assignment[0]), value);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage(err, "unknown option " + arg);
        } else if (fileName) {
            return usage(err, "only one FILE");
        } else {
            fileName = arg;
        }
    }
    if (decimalsOptions > 1) {
        return usage(err, "--decimals, --float and --none exclude each other");
    }

    std::string text;
    if (fileName && *fileName != "-") {
        const auto bytes = platform::readFile(*fileName);
        if (!bytes) {
            err << "calc: cannot read " << *fileName << "\n";
            return 2;
        }
        text = *bytes;
    } else {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    calculator::Worksheet sheet;
    const bool calcFile =
        fileName && fileName->size() > 4 &&
        platform::equalsIgnoreCase(fileName->substr(fileName->size() - 4), ".clc");
    if (calcFile) {
        const auto file = calculator::readCalcFile(text);
        if (!file) {
            err << "Format de fichier non reconnu.\n";
            return 1;
        }
        calculator::applyCalcFile(*file, sheet);
        sheet.switchMode(calculator::DisplayMode::Page);
    } else {
        sheet.setPage(validUtf8(text) ? text : platform::cp1252ToUtf8(text));
    }
    if (decimalsItem) {
        sheet.decimals().choose(*decimalsItem);
    }
    for (const auto& [index, value] : variables) {
        sheet.variables()[static_cast<std::size_t>(index)] = value;
    }
    sheet.setCaret(static_cast<int>(sheet.lines().size()) - 1, 0);

    const calculator::ComputeOutcome outcome = sheet.compute();
    std::string page = sheet.page();
    if (!page.empty() && !page.ends_with('\n')) {
        page += '\n';
    }
    out << page;
    if (outcome.status.error) {
        err << outcome.status.text << "\n";
        return 1;
    }
    return 0;
}

} // namespace cli
