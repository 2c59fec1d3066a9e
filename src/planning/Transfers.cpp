#include "planning/Transfers.h"

#include <algorithm>

#include "planning/TransferRules.h"
#include "platform/SettingsKeys.h"
#include "register/AccountNames.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "register/SaveJournal.h"

namespace ledgora {
namespace {

using platform::Hive;
namespace settings = platform::settings;

// The amount a row carries and which side it is on.
struct RowAmount {
    std::string text;
    bool debit = false;
    bool present = false;
};

RowAmount amountOf(const Grid& reg, int row) {
    RowAmount a;
    if (!reg.at(row, col::Credit).empty()) {
        a.text = reg.at(row, col::Credit);
        a.present = true;
    } else if (!reg.at(row, col::Debit).empty()) {
        a.text = reg.at(row, col::Debit);
        a.debit = true;
        a.present = true;
    }
    return a;
}

// The twin holds the amount on the other side; a remainder kept from a conversion belongs
// to the amount it replaces, so it goes too.
void writeTwinAmount(Grid& other, int twin, const RowAmount& amount, bool fromEuros, bool toEuros) {
    other.set(twin, col::Debit, {});
    other.set(twin, col::Credit, {});
    other.set(twin, col::Deber, {});
    other.set(twin, col::Creder, {});
    if (amount.present) {
        other.set(twin, amount.debit ? col::Credit : col::Debit,
                  amountForAccount(amount.text, fromEuros, toEuros));
    }
}

} // namespace

Transfers::Transfers(platform::Registry& registry, const platform::Paths& paths,
                     platform::Dialogs& dialogs, platform::Sounds& sounds,
                     const AccountSession& session)
    : registry_(registry), paths_(paths), dialogs_(dialogs), sounds_(sounds), session_(session) {}

std::vector<std::string> Transfers::accounts() const {
    return listAccounts(paths_, session_.user());
}

long long Transfers::lastNumber(const std::string& account) const {
    const std::string text = registry_.readString(
        Hive::CurrentUser, settings::accountKey(session_.user(), account), settings::kLastNumVir);
    return std::max(0LL, platform::parseSettingsInteger(text).value_or(0));
}

bool Transfers::otherInEuros(const std::string& account) const {
    return registry_.readBool(Hive::CurrentUser, settings::accountKey(session_.user(), account),
                              settings::kEuro, true);
}

bool Transfers::isLinked(const Grid& reg, int row) const {
    if (row < 1 || row >= reg.rowCount() || !isTransferRow(reg, row) ||
        !transferNumber(reg.at(row, col::Numero))) {
        return false;
    }
    const auto list = accounts();
    return list.size() > 1 && namedAccount(list, reg.at(row, col::Notes)).has_value();
}

bool Transfers::loadOther(const std::string& account, Grid& scratch) const {
    const auto file = paths_.accountFile(session_.user(), account);
    // A save of that account cut short is settled first, so that the file read is the one
    // its settings (its currency) describe.
    if (auto error = finishInterruptedSave(registry_,
                                           settings::accountKey(session_.user(), account), file)) {
        dialogs_.fail(*error);
        return false;
    }
    Grid loaded = makeRegister(1);
    if (auto error = loadGridFile(file, loaded)) {
        dialogs_.fail(*error);
        return false;
    }
    loaded.setColumnCount(kRegisterColumns);
    scratch = std::move(loaded);
    return true;
}

bool Transfers::saveOther(const std::string& account, const Grid& scratch) const {
    if (auto error =
            saveGridFile(scratch, paths_.accountFile(session_.user(), account), kRegisterColumns)) {
        dialogs_.fail(*error);
        return false;
    }
    return true;
}

void Transfers::tell(const char* text) {
    sounds_.beep();
    dialogs_.inform(text);
}

void Transfers::storeNumber(const std::string& account, long long n) {
    if (!registry_.writeInteger(Hive::CurrentUser, settings::accountKey(session_.user(), account),
                                settings::kLastNumVir, n)) {
        dialogs_.fail(settingsSaveError(registry_));
    }
}

bool Transfers::writeTwin(RegisterEdits& edits, int row, long long n, const std::string& other) {
    // The other account is read before anything changes here: when it cannot be, the open
    // row stays as it was and the question comes back at its next validation.
    Grid scratch;
    if (!loadOther(other, scratch)) {
        return false;
    }
    const Grid& reg = edits.grid();
    const int twin = rowAfterLastOperation(scratch);
    scratch.insertRow(twin);
    renumberRows(scratch);
    scratch.set(twin, col::Date, reg.at(row, col::Date));
    scratch.set(twin, col::Notes, session_.account());
    scratch.set(twin, col::ModePaiement, "Virement");
    scratch.set(twin, col::Numero, transferNumero(n));
    writeTwinAmount(scratch, twin, amountOf(reg, row), session_.euros(), otherInEuros(other));
    if (!saveOther(other, scratch)) {
        return false;
    }
    edits.setCell(row, col::Notes, other);
    edits.setCell(row, col::Numero, transferNumero(n));
    return true;
}

void Transfers::updateTwin(RegisterEdits& edits, int row, long long n, const std::string& other) {
    Grid scratch;
    if (!loadOther(other, scratch)) {
        return;
    }
    const Grid& reg = edits.grid();
    const int twin = findTwin(scratch, session_.account(), n);
    if (twin < 0) {
        if (!writeTwin(edits, row, n, other)) {
            return;
        }
    } else {
        scratch.set(twin, col::Date, reg.at(row, col::Date));
        writeTwinAmount(scratch, twin, amountOf(reg, row), session_.euros(), otherInEuros(other));
        if (!saveOther(other, scratch)) {
            return;
        }
    }
    tell(kTransferUpdated);
}

bool Transfers::link(RegisterEdits& edits, int row, const std::string& other) {
    const long long n = std::max(lastNumber(session_.account()), lastNumber(other)) + 1;
    if (!writeTwin(edits, row, n, other)) {
        return false;
    }
    storeNumber(other, n);
    storeNumber(session_.account(), n);
    if (amountOf(edits.grid(), row).present) {
        tell(kTransferDone);
    }
    return true;
}

void Transfers::afterEdit(RegisterEdits& edits, int row) {
    const Grid& reg = edits.grid();
    if (row < 1 || row >= reg.rowCount() || hasOutsideMarker(reg.at(row, col::Notes))) {
        return;
    }
    const auto list = accounts();
    if (list.size() <= 1 || !isTransferRow(reg, row)) {
        return;
    }
    const auto n = transferNumber(reg.at(row, col::Numero));
    const auto named = namedAccount(list, reg.at(row, col::Notes));
    if (n && named) {
        updateTwin(edits, row, *n, *named);
        return;
    }
    const TransferDestination answer =
        askTransferDestination(dialogs_, otherAccounts(list, session_.account()));
    switch (answer.kind) {
    case TransferDestination::Kind::Account:
        link(edits, row, answer.account);
        break;
    case TransferDestination::Kind::Outside:
        edits.setCell(row, col::Notes, withOutsideMarker(reg.at(row, col::Notes)));
        break;
    case TransferDestination::Kind::Undecided:
        break;
    }
}

void Transfers::beforeRemove(const Grid& reg, int row) {
    if (!isLinked(reg, row)) {
        return;
    }
    const long long n = *transferNumber(reg.at(row, col::Numero));
    const std::string other = *namedAccount(accounts(), reg.at(row, col::Notes));
    Grid scratch;
    if (!loadOther(other, scratch)) {
        return;
    }
    const int twin = findTwin(scratch, session_.account(), n);
    if (twin >= 0) {
        scratch.removeRow(twin);
        renumberRows(scratch);
        if (!saveOther(other, scratch)) {
            return;
        }
    }
    tell(kTransferDeleted);
}

void Transfers::enterPlanned(RegisterEdits& edits, int row) {
    const Grid& reg = edits.grid();
    const auto list = accounts();
    if (list.size() <= 1 || !mentionsTransfer(reg.at(row, col::ModePaiement))) {
        return;
    }
    const auto named =
        namedAccount(otherAccounts(list, session_.account()), reg.at(row, col::Notes));
    if (!named) {
        return;
    }
    link(edits, row, *named);
}

} // namespace ledgora
