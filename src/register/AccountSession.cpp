#include "register/AccountSession.h"

#include <algorithm>
#include <vector>

#include "money/Amount.h"
#include "money/DateText.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "platform/TextCase.h"
#include "register/CellClipboard.h"
#include "register/CellRules.h"
#include "register/Currency.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "register/SaveJournal.h"

namespace ledgora {
namespace {

using platform::Hive;
namespace settings = platform::settings;

// Turns validation off for the life of the object, then back on.
class ValidationOff {
public:
    explicit ValidationOff(AccountSession& s) : session_(s) { session_.setValidating(false); }
    ~ValidationOff() { session_.setValidating(true); }
    ValidationOff(const ValidationOff&) = delete;
    ValidationOff& operator=(const ValidationOff&) = delete;

private:
    AccountSession& session_;
};

} // namespace

// Gathers what the operations below change and tells the observers once, when the
// outermost one ends.
class Announcing {
public:
    explicit Announcing(AccountSession& s) : session_(s) { ++session_.announceDepth_; }
    ~Announcing() {
        if (--session_.announceDepth_ == 0) {
            session_.settle();
            session_.announce();
        }
    }
    Announcing(const Announcing&) = delete;
    Announcing& operator=(const Announcing&) = delete;

private:
    AccountSession& session_;
};

AccountSession::AccountSession(AccountServices services, NameList& categories, NameList& modes)
    : services_(services), categories_(categories), modes_(modes), register_(makeRegister()) {}

void AccountSession::addPart(AccountPart* part) {
    if (part != nullptr && std::find(parts_.begin(), parts_.end(), part) == parts_.end()) {
        parts_.push_back(part);
    }
}

void AccountSession::setTransferLinks(TransferLinks* links) {
    links_ = links != nullptr ? links : &defaultLinks_;
}

void AccountSession::setBudgetLimits(BudgetLimits* limits) {
    limits_ = limits != nullptr ? limits : &defaultLimits_;
}

void AccountSession::Edits::setCell(int row, int column, std::string text) {
    session_.execute(RegisterCommand::writeCell(row, column, std::move(text)));
}

void AccountSession::Edits::insertRow(int row) {
    session_.execute(RegisterCommand::insertRow(row));
}

void AccountSession::Edits::removeRow(int row) {
    session_.execute(RegisterCommand::removeRow(row));
}

RegisterCommand::Result AccountSession::execute(RegisterCommand command) {
    Announcing announcing(*this);
    const bool outermost = commandDepth_++ == 0;
    if (outermost && history_ != nullptr) {
        recording_ = &command;
    }
    run(command);
    --commandDepth_;
    if (outermost) {
        recording_ = nullptr;
    }
    RegisterCommand::Result result = command.result();
    if (outermost && history_ != nullptr && !command.changedNothing()) {
        history_->done(std::move(command));
    }
    return result;
}

void AccountSession::run(RegisterCommand& command) {
    using Kind = RegisterCommand::Kind;
    auto& result = command.result();
    const int row = command.row();
    const int column = command.column();
    switch (command.kind()) {
    case Kind::TypeCell:
        result.validation = typeCell(row, column, command.text());
        break;
    case Kind::WriteCell:
        setCellByRule(row, column, command.text());
        break;
    case Kind::InsertRow:
        insertRowByRule(row);
        break;
    case Kind::RemoveRow:
        removeRowByRule(row);
        break;
    case Kind::ToggleMark:
        flipMark(row);
        break;
    case Kind::AppendLine:
        addLineAtEnd();
        break;
    case Kind::InsertLineAfter:
        result.done = insertLine(row);
        break;
    case Kind::DeleteLine:
        result.done = removeLine(row);
        break;
    case Kind::CleanUpLines:
        removeBlankLines();
        break;
    case Kind::Paste:
        result.rows = pasteText(row, column, command.text());
        break;
    case Kind::ClearCells:
        emptyCells(row, column, command.bottom(), command.right());
        break;
    }
}

void AccountSession::revert(const RegisterCommand& command) {
    Announcing announcing(*this);
    const int from = command.revert(register_, changes_);
    if (from >= 0) {
        recompute();
        changes_.balances(std::max(from, 1));
    }
}

void AccountSession::setCellByRule(int row, int column, std::string text) {
    if (!register_.contains(row, column)) {
        return;
    }
    const bool changed = register_.at(row, column) != text;
    writeCell(row, column, std::move(text));
    // The running balances, the reconciled balance and the monthly spending read these.
    if (changed && (column == col::Pointage || column == col::Date || column == col::Rubrique ||
                    column == col::Debit || column == col::Credit)) {
        staleFrom(row);
    }
}

void AccountSession::insertRowByRule(int row) {
    if (row < 1 || row > register_.rowCount()) {
        return;
    }
    insertRowAt(row);
    staleFrom(row);
}

void AccountSession::removeRowByRule(int row) {
    if (row < 1 || row >= register_.rowCount()) {
        return;
    }
    removeRowAt(row);
    staleFrom(std::min(row, register_.rowCount() - 1));
}

void AccountSession::staleFrom(int row) {
    staleFrom_ = staleFrom_ < 0 ? row : std::min(staleFrom_, row);
}

bool AccountSession::settle() {
    if (staleFrom_ < 0) {
        return false;
    }
    recompute();
    changes_.balances(std::max(staleFrom_, 1));
    staleFrom_ = -1;
    return true;
}

void AccountSession::addObserver(RegisterObserver* observer) {
    if (observer != nullptr &&
        std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void AccountSession::removeObserver(RegisterObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void AccountSession::announce() {
    if (!changes_.empty()) {
        changes_.announce(observers_);
    }
}

void AccountSession::writeCell(int row, int column, std::string text) {
    if (register_.at(row, column) != text) {
        if (recording_ != nullptr) {
            recording_->noteCell(row, column, register_.at(row, column));
        }
        register_.set(row, column, text);
        changes_.cell(row, column);
    }
}

void AccountSession::insertRowAt(int row) {
    register_.insertRow(row);
    renumberRows(register_);
    if (recording_ != nullptr) {
        recording_->noteRowInserted(row);
    }
    changes_.rowsInserted(row, 1);
}

void AccountSession::removeRowAt(int row) {
    if (recording_ != nullptr) {
        std::vector<std::string> cells;
        cells.reserve(static_cast<std::size_t>(register_.columnCount()));
        for (int c = 0; c < register_.columnCount(); ++c) {
            cells.emplace_back(register_.at(row, c));
        }
        recording_->noteRowRemoved(row, std::move(cells));
    }
    register_.removeRow(row);
    renumberRows(register_);
    changes_.rowsRemoved(row, 1);
}

void AccountSession::forgetHistory() {
    if (history_ != nullptr) {
        history_->forgetAll();
    }
}

void AccountSession::setUser(const std::string& user) {
    user_ = user;
    close();
}

void AccountSession::close() {
    Announcing announcing(*this);
    account_.clear();
    forgetHistory();
    for (AccountPart* part : parts_) {
        part->closed();
    }
    changes_.closed();
    if (closed_) {
        closed_();
    }
}

void AccountSession::rename(const std::string& account) {
    account_ = account;
}

std::filesystem::path AccountSession::accountFile(const std::string& account) const {
    return services_.paths.accountFile(user_, account);
}

void AccountSession::recompute() {
    balances_ = recomputeBalances(register_);
    spending_.rebuildWhenAsked(register_);
}

void AccountSession::registerRewritten() {
    Announcing announcing(*this);
    forgetHistory();
    recompute();
    changes_.replaced();
    changes_.balances(1);
}

bool AccountSession::save() {
    if (!isOpen()) {
        return true;
    }
    // The journal first, so that a crash anywhere below leaves what the next load needs to
    // make file, parts and values agree (see SaveJournal).
    const std::filesystem::path file = accountFile(account_);
    const std::string bytes = writeGridText(register_, kRegisterColumns);
    PartSave parts;
    for (AccountPart* part : parts_) {
        part->saving(ref(), parts);
    }
    SaveJournal journal;
    journal.accountSize = bytes.size();
    journal.accountDigest = accountDigest(bytes);
    journal.files = std::move(parts.files);
    journal.values.emplace_back(settings::kEuro, euros_ ? "1" : "0");
    for (auto& value : parts.values) {
        journal.values.push_back(std::move(value));
    }
    journal.values.emplace_back(settings::kLastMonth, std::to_string(services_.clock.now().month));
    const std::filesystem::path journalFile = saveJournalFile(file);
    if (!platform::writeFileAtomically(journalFile, writeSaveJournal(journal))) {
        // Beside the account file: what cannot be written there is the account file.
        services_.dialogs.fail(cannotCreateMessage(file));
        return false;
    }
    std::error_code ec;
    if (auto error = saveGridBytes(bytes, file)) {
        std::filesystem::remove(journalFile, ec); // the file is still the previous one
        services_.dialogs.fail(*error);
        return false;
    }
    for (const auto& [name, partBytes] : journal.files) {
        if (auto error = saveGridBytes(partBytes, file.parent_path() / name)) {
            services_.dialogs.fail(*error);
            return false;
        }
    }
    if (!writeJournalValues(services_.registry, settings::accountKey(user_, account_), journal)) {
        services_.dialogs.fail(settingsSaveError(services_.registry));
        return false;
    }
    std::filesystem::remove(journalFile, ec);
    for (AccountPart* part : parts_) {
        if (!part->save(ref())) {
            return false;
        }
    }
    return true;
}

bool AccountSession::load(const std::string& account) {
    Announcing announcing(*this);
    ValidationOff off(*this);
    const std::string key = settings::accountKey(user_, account);
    // A save that was cut short is finished or undone first, so that the file is never
    // read with another save's currency.
    if (auto error = finishInterruptedSave(services_.registry, key, accountFile(account))) {
        services_.dialogs.fail(*error);
        return false;
    }
    // Read into a scratch register so that a file that cannot be read leaves the open
    // account whole: nothing half-loaded can be saved over a good file.
    Grid scratch;
    if (auto error = readAccountFile(accountFile(account), scratch, register_.rowCount())) {
        services_.dialogs.fail(*error);
        return false;
    }

    const auto& reg = services_.registry;
    euros_ = reg.readBool(Hive::CurrentUser, key, settings::kEuro, true);

    register_ = std::move(scratch);
    account_ = account;
    forgetHistory();
    recompute();
    changes_.replaced();
    changes_.balances(1);
    changes_.opened();
    for (AccountPart* part : parts_) {
        part->loaded(ref());
    }
    return true;
}

bool AccountSession::create(const std::string& account, double initialBalance, bool euros) {
    Announcing announcing(*this);
    ValidationOff off(*this);
    account_ = account;
    register_ = makeRegister(kInitialRows);
    register_.set(1, col::Notes, std::string(kInitialBalanceText));
    register_.set(1, col::Rubrique, std::string(kInitialBalanceText));
    register_.set(1, col::Date, formatDate(services_.clock.now()));
    if (initialBalance >= 0) {
        register_.set(1, col::Credit, formatAmount(initialBalance));
    } else {
        register_.set(1, col::Debit, formatAmount(-initialBalance));
    }
    register_.set(1, col::Pointage, std::string(kTicked));
    forgetHistory();
    recompute();
    changes_.replaced();
    changes_.balances(1);
    changes_.opened();
    euros_ = euros;
    for (AccountPart* part : parts_) {
        part->created(ref());
    }
    return save();
}

void AccountSession::convert(bool toEuros) {
    Announcing announcing(*this);
    if (toEuros) {
        convertAmountsToEuros(register_, kRegisterAmounts);
    } else {
        convertAmountsToFrancs(register_, kRegisterAmounts);
    }
    forgetHistory();
    recompute();
    euros_ = toEuros;
    for (AccountPart* part : parts_) {
        part->converted(ref(), toEuros);
    }
    changes_.balances(1);
    changes_.currency();
}

void AccountSession::switchToEuros() {
    if (isOpen() && !euros_) {
        convert(true);
    }
}

void AccountSession::switchToFrancs() {
    if (isOpen() && euros_) {
        convert(false);
    }
}

void AccountSession::toggleMark(int row) {
    execute(RegisterCommand::toggleMark(row));
}

void AccountSession::flipMark(int row) {
    if (row < 1 || row >= register_.rowCount()) {
        return;
    }
    const RowAmount before = rowAmount(register_, row);
    writeCell(row, col::Pointage, before.ticked ? std::string() : std::string(kTicked));
    updateBalances(register_, row, before, balances_);
    changes_.balances(row);
}

ValidationResult AccountSession::validateCell(int row, int column, std::string text) {
    return execute(RegisterCommand::typeCell(row, column, std::move(text))).validation;
}

ValidationResult AccountSession::typeCell(int row, int column, std::string text) {
    ValidationResult result;
    if (!register_.contains(row, column)) {
        return result;
    }
    if (!validating_ || row == 0 || column == 0) {
        writeCell(row, column, std::move(text));
        return result;
    }
    const bool amount = column == col::Debit || column == col::Credit;
    // The sums follow the edit from this row's difference, not from the whole register.
    const RowAmount amountBefore = rowAmount(register_, row);
    MonthlySpending::Entry spentBefore = MonthlySpending::entryOf(register_, row);

    if (column == col::Rubrique || column == col::ModePaiement) {
        text = platform::capitalizeFirstAscii(text);
        (column == col::Rubrique ? categories_ : modes_).add(text);
    }
    if (amount) {
        text = normaliseAmountText(text);
        // A remainder belongs to the converted amount; beside a new amount it would be
        // added to it on the way back to francs.
        if (text != register_.at(row, column)) {
            writeCell(row, column == col::Debit ? col::Deber : col::Creder, {});
        }
    }
    if (column == col::Numero && text == "0") {
        text.clear();
    }
    if (column == col::Date) {
        if (const auto date = parseTypedDate(text)) {
            text = formatDate(*date);
        }
    }
    const std::string before = register_.at(row, column);
    writeCell(row, column, std::move(text));
    if (amount) {
        updateBalances(register_, row, amountBefore, balances_);
        result.balancesChanged = true;
        if (register_.at(row, column) != before) {
            changes_.balances(row);
        }
    }
    if (amount || column == col::Rubrique || column == col::ModePaiement) {
        // What the check changes goes through edits_, which recomputes once it is done.
        links_->afterEdit(edits_, row);
        if (settle()) {
            // The spending was rebuilt with the row as it now stands.
            spentBefore = MonthlySpending::entryOf(register_, row);
        }
    }
    if (column == col::Numero && !register_.at(row, col::Numero).empty()) {
        const std::string& numero = register_.at(row, col::Numero);
        for (int r = 1; r < register_.rowCount(); ++r) {
            if (r != row && register_.at(r, col::Numero) == numero) {
                services_.dialogs.warn("Attention, ce numéro est déjà utilisé.");
                break;
            }
        }
    }
    if (amount && soundsOn_) {
        const auto wav =
            services_.paths.programFile(column == col::Credit ? "cred.wav" : "deb.wav");
        std::error_code ec;
        if (std::filesystem::exists(wav, ec)) {
            services_.sounds.play(wav);
        }
    }
    if (column != col::Date && register_.at(row, col::Date).empty()) {
        writeCell(row, col::Date, formatDate(services_.clock.now()));
    }
    if (balances_.magnitude <= Grid::kMaxCellCents) {
        spending_.update(register_, row, spentBefore);
    } else {
        spending_.rebuildWhenAsked(register_);
    }
    if (column == col::Rubrique || column == col::Debit) {
        limits_->alarmCheck(register_, row, spending_, euros_);
    }
    if (row == register_.rowCount() - 1) {
        insertRowAt(row + 1);
        result.rowAppended = true;
    }
    return result;
}

std::optional<std::string> AccountSession::clickProposal(int row, int column) const {
    if (!isOpen() || !mayEditRegisterCell(register_, row, column, *links_)) {
        return std::nullopt;
    }
    return clickFill(register_, row, column);
}

void AccountSession::appendLine() {
    execute(RegisterCommand::appendLine());
}

void AccountSession::addLineAtEnd() {
    insertRowAt(register_.rowCount());
}

bool AccountSession::insertLineAfter(int row) {
    return execute(RegisterCommand::insertLineAfter(row)).done;
}

bool AccountSession::insertLine(int row) {
    if (!canInsertAfter(isOpen(), register_, row)) {
        return false;
    }
    insertRowAt(row + 1);
    recompute();
    // The rows below show new numbers and balances.
    changes_.balances(row + 1);
    return true;
}

bool AccountSession::deleteLine(int row) {
    return execute(RegisterCommand::deleteLine(row)).done;
}

bool AccountSession::removeLine(int row) {
    if (!canDeleteRow(isOpen(), register_, row)) {
        // Of the rows the menu refuses, only the initial balance is worth a word.
        if (isOpen() && row >= 1 && row < register_.rowCount() &&
            register_.rowCount() > kInitialRows && isInitialBalanceRow(register_, row)) {
            services_.dialogs.warn("Il n'est pas permis de supprimer la ligne \"Solde initial\".");
        }
        return false;
    }
    if (!services_.dialogs.confirm("Voulez-vous vraiment supprimer la ligne " +
                                   register_.at(row, col::Number) + " ?")) {
        return false;
    }
    if (links_->isLinked(register_, row)) {
        links_->beforeRemove(register_, row);
    }
    removeRowAt(row);
    recompute();
    changes_.balances(row);
    return true;
}

void AccountSession::cleanUpLines() {
    execute(RegisterCommand::cleanUpLines());
}

void AccountSession::removeBlankLines() {
    if (recording_ != nullptr) {
        // Noted from the bottom up, as if removed one by one, so that a revert puts each
        // back where it stood.
        for (int r = register_.rowCount() - 1; r >= 1; --r) {
            if (isBlankRow(register_, r)) {
                std::vector<std::string> cells;
                for (int c = 0; c < register_.columnCount(); ++c) {
                    cells.emplace_back(register_.at(r, c));
                }
                recording_->noteRowRemoved(r, std::move(cells));
            }
        }
    }
    cleanUpBlankRows(register_);
    if (recording_ != nullptr) {
        recording_->noteRowInserted(register_.rowCount() - 1);
    }
    recompute();
    changes_.replaced();
    changes_.balances(1);
}

int AccountSession::paste(int row, int column, const std::string& text) {
    return execute(RegisterCommand::paste(row, column, text)).rows;
}

int AccountSession::pasteText(int row, int column, const std::string& text) {
    const auto cells = parseClipboardText(text);
    if (row < 1 || column < 1) {
        return 0;
    }
    std::vector<std::string> refused; // the shown numbers of the rows
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int r = row + static_cast<int>(i);
        while (r >= register_.rowCount()) {
            insertRowAt(register_.rowCount());
        }
        const auto& line = cells[i];
        // What the amount column will hold once the line is pasted.
        const auto pasted = [&](int c) -> const std::string* {
            const int j = c - column;
            return j >= 0 && j < static_cast<int>(line.size()) ? &line[static_cast<std::size_t>(j)]
                                                               : nullptr;
        };
        const auto filledAfter = [&](int c) {
            const std::string* p = pasted(c);
            return p != nullptr ? !p->empty() : !register_.at(r, c).empty();
        };
        const bool breaksOneOf = filledAfter(col::Debit) && filledAfter(col::Credit);
        bool skipped = false;
        for (std::size_t j = 0; j < line.size(); ++j) {
            const int c = column + static_cast<int>(j);
            if (c >= col::Solde) {
                break;
            }
            if (c == col::Pointage) {
                writeCell(r, c, line[j] == kTicked ? std::string(kTicked) : std::string());
                continue;
            }
            if (breaksOneOf && (c == col::Debit || c == col::Credit)) {
                skipped = skipped || !line[j].empty();
                continue;
            }
            validateCell(r, c, line[j]);
        }
        if (skipped) {
            refused.push_back(register_.at(r, col::Number));
        }
    }
    recompute();
    changes_.balances(row);
    if (!refused.empty()) {
        std::string rows;
        for (const auto& number : refused) {
            rows += (rows.empty() ? "" : ", ") + number;
        }
        services_.dialogs.warn((refused.size() == 1 ? "Montant non collé à la ligne "
                                                    : "Montants non collés aux lignes ") +
                               rows +
                               " : une opération ne peut avoir à la fois un débit et un crédit.");
    }
    return static_cast<int>(cells.size());
}

void AccountSession::clearCells(int top, int left, int bottom, int right) {
    execute(RegisterCommand::clearCells(top, left, bottom, right));
}

void AccountSession::emptyCells(int top, int left, int bottom, int right) {
    for (int r = std::max(top, 1); r <= bottom && r < register_.rowCount(); ++r) {
        for (int c = std::max(left, 1); c <= right && c < kShownColumns; ++c) {
            if (c != col::Solde) {
                writeCell(r, c, {});
            }
        }
    }
    recompute();
    changes_.balances(std::max(top, 1));
}

} // namespace ledgora
