#include "planning/TransferRules.h"

#include <charconv>

#include "money/Amount.h"
#include "money/FrancEuro.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {

std::string outsideMarker() {
    return "(externe à " + std::string(platform::kAppTitle) + ")";
}

bool hasOutsideMarker(std::string_view notes) {
    return notes.find(outsideMarker()) != std::string_view::npos;
}

std::string withOutsideMarker(const std::string& notes) {
    return notes.empty() ? outsideMarker() : notes + " " + outsideMarker();
}

bool mentionsTransfer(std::string_view text) {
    // Folding is case-insensitive on ASCII and keeps lengths, so "virement" in the folded
    // text is "VIREMENT" in the upper-cased one.
    return platform::foldCase(text).find("virement") != std::string::npos;
}

bool isTransferRow(const Grid& reg, int row) {
    return mentionsTransfer(reg.at(row, col::Rubrique)) ||
           mentionsTransfer(reg.at(row, col::ModePaiement));
}

std::optional<long long> transferNumber(std::string_view numero) {
    if (numero.size() <= 3 || numero.substr(0, 3) != "vir") {
        return std::nullopt;
    }
    const std::string_view digits = numero.substr(3);
    long long n = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size() || digits[0] == '-' ||
        digits[0] == '+') {
        return std::nullopt;
    }
    return n;
}

std::string transferNumero(long long n) {
    return "vir" + std::to_string(n);
}

std::optional<std::string> namedAccount(const std::vector<std::string>& accounts,
                                        const std::string& notes) {
    if (notes.empty()) {
        return std::nullopt;
    }
    for (const std::string& account : accounts) {
        if (platform::equalsIgnoreCase(account, notes)) {
            return account;
        }
    }
    return std::nullopt;
}

std::vector<std::string> otherAccounts(const std::vector<std::string>& accounts,
                                       const std::string& current) {
    std::vector<std::string> others;
    for (const std::string& account : accounts) {
        if (!platform::equalsIgnoreCase(account, current)) {
            others.push_back(account);
        }
    }
    return others;
}

int findTwin(const Grid& other, const std::string& openAccount, long long n) {
    const std::string numero = transferNumero(n);
    for (int r = 1; r < other.rowCount(); ++r) {
        if (other.at(r, col::Numero) == numero && other.at(r, col::Notes) == openAccount &&
            isTransferRow(other, r)) {
            return r;
        }
    }
    return -1;
}

int rowAfterLastOperation(const Grid& reg) {
    int r = reg.rowCount() - 1;
    while (r >= 1 && isBlankRow(reg, r)) {
        --r;
    }
    return r + 1;
}

std::string amountForAccount(std::string_view amount, bool fromEuros, bool toEuros) {
    const double value = parseAmount(amount);
    if (fromEuros && !toEuros) {
        return formatAmount(value * kFrancsPerEuro);
    }
    if (!fromEuros && toEuros) {
        return formatAmount(francsToEuros(value).euros);
    }
    return formatAmount(value);
}

std::string transferQuestion() {
    return kTransferQuestionPrefix + std::string(platform::kAppTitle) + " ?";
}

TransferDestination askTransferDestination(platform::Dialogs& dialogs,
                                           const std::vector<std::string>& others) {
    TransferDestination answer;
    if (!dialogs.confirm(transferQuestion())) {
        answer.kind = TransferDestination::Kind::Outside;
        return answer;
    }
    const auto chosen = dialogs.chooseFromList(kDestinationCaption, others, 0);
    if (chosen && *chosen >= 0 && static_cast<std::size_t>(*chosen) < others.size()) {
        answer.kind = TransferDestination::Kind::Account;
        answer.account = others[static_cast<std::size_t>(*chosen)];
    }
    return answer;
}

} // namespace ledgora
