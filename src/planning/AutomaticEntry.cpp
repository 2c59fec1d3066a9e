#include "planning/AutomaticEntry.h"

#include <charconv>

#include "money/DateText.h"
#include "planning/PlanningSheet.h"
#include "planning/TransferRules.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

using platform::Hive;
namespace settings = platform::settings;

// A day the planning can hold, 1 to 31; nothing for any other text.
std::optional<int> plannedDay(std::string_view text) {
    int d = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), d);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || d < 1 ||
        d > 31) {
        return std::nullopt;
    }
    return d;
}

bool hasSomethingToEnter(const Grid& planning, int row) {
    for (int c = planning_col::Rubrique; c <= planning_col::Credit; ++c) {
        if (!planning.at(row, c).empty()) {
            return true;
        }
    }
    return false;
}

// The register ends with exactly one blank row, whatever blank rows lay above it.
void cleanUpRegister(RegisterEdits& edits) {
    for (int r = edits.grid().rowCount() - 2; r >= 1; --r) {
        if (isBlankRow(edits.grid(), r)) {
            edits.removeRow(r);
        }
    }
    const int last = edits.grid().rowCount() - 1;
    if (last < 1 || !isBlankRow(edits.grid(), last)) {
        edits.insertRow(edits.grid().rowCount());
    }
}

} // namespace

LastSaved readLastSaved(const platform::Registry& registry, const std::string& user,
                        const std::string& account) {
    const std::string key = settings::accountKey(user, account);
    LastSaved saved;
    saved.month = registry.readInteger(Hive::CurrentUser, key, settings::kLastMonth, 0);
    if (registry.value(Hive::CurrentUser, key, settings::kLastYear)) {
        saved.year = registry.readInteger(Hive::CurrentUser, key, settings::kLastYear, 0);
    }
    return saved;
}

bool marksAreStale(const LastSaved& saved, const platform::DateTime& today) {
    return saved.month != today.month || (saved.year && *saved.year != today.year);
}

std::vector<int> dueRows(const Grid& planning, const platform::DateTime& today, bool stale) {
    std::vector<int> rows;
    for (int r = 1; r < planning.rowCount(); ++r) {
        const std::string& day = planning.at(r, planning_col::Day);
        if (day.empty() || (!stale && planning.at(r, planning_col::Entered) == kTicked)) {
            continue;
        }
        const auto d = plannedDay(day);
        if (!d || today.day < *d || !hasSomethingToEnter(planning, r)) {
            continue;
        }
        rows.push_back(r);
    }
    return rows;
}

std::string plannedOperationText(const Grid& planning, int row) {
    std::string values;
    for (int c = planning_col::Rubrique; c <= planning_col::Credit; ++c) {
        if (c != planning_col::Rubrique) {
            values += ' ';
        }
        values += planning.at(row, c);
    }
    return values;
}

std::string entryQuestion(const Grid& planning, int row, int today) {
    return "Nous sommes le " + std::to_string(today) +
           " du mois. Confirmez-vous la saisie automatique de l'opération mensuelle planifiée \"" +
           plannedOperationText(planning, row) + "\" ?";
}

AutomaticEntry::AutomaticEntry(platform::Registry& registry, const platform::Clock& clock,
                               platform::Dialogs& dialogs, Transfers& transfers)
    : registry_(registry), clock_(clock), dialogs_(dialogs), transfers_(transfers) {}

std::vector<int> AutomaticEntry::dueToday(const std::string& user, const std::string& account,
                                          const Grid& planning) const {
    const platform::DateTime today = clock_.now();
    return dueRows(planning, today, marksAreStale(readLastSaved(registry_, user, account), today));
}

int AutomaticEntry::run(const std::string& user, const std::string& account, Grid& planning,
                        RegisterEdits& edits) {
    const platform::DateTime today = clock_.now();
    const bool stale = marksAreStale(readLastSaved(registry_, user, account), today);
    // Rows come due only from the pass below, so they can be listed before it starts.
    const std::vector<int> due = dueRows(planning, today, stale);
    if (stale) {
        for (int r = 1; r < planning.rowCount(); ++r) {
            planning.set(r, planning_col::Entered, {});
        }
    }
    int entered = 0;
    for (int p : due) {
        const platform::MessageKind kind = platform::MessageKind::Information;
        if (dialogs_.message(kind, entryQuestion(planning, p, today.day),
                             platform::Buttons::YesNo) == platform::Reply::Yes) {
            const int row = rowAfterLastOperation(edits.grid());
            if (row >= edits.grid().rowCount()) {
                edits.insertRow(edits.grid().rowCount());
            }
            const int d = *plannedDay(planning.at(p, planning_col::Day));
            edits.setCell(row, col::Date, formatDate(Date{today.year, today.month, d}));
            edits.setCell(row, col::Rubrique, planning.at(p, planning_col::Rubrique));
            edits.setCell(row, col::Notes, planning.at(p, planning_col::Notes));
            edits.setCell(row, col::ModePaiement, planning.at(p, planning_col::Mode));
            edits.setCell(row, col::Debit, planning.at(p, planning_col::Debit));
            edits.setCell(row, col::Credit, planning.at(p, planning_col::Credit));
            transfers_.enterPlanned(edits, row);
            ++entered;
        }
        planning.set(p, planning_col::Entered, std::string(kTicked));
    }
    // Once for the pass rather than after each entry: nothing between them reads the
    // register's blank rows, and a large register is scanned once.
    if (entered > 0) {
        cleanUpRegister(edits);
    }
    return entered;
}

} // namespace ledgora
