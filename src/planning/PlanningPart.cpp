#include "planning/PlanningPart.h"

#include <array>
#include <string_view>
#include <system_error>

#include "planning/PlanningSheet.h"
#include "register/Currency.h"
#include "register/GridTextFormat.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

constexpr std::array<std::string_view, planning_col::Count> kPlanningCaptions = {
    "",      "Jour du mois", "Rubrique", "Notes",  "Mode de paiement",
    "Débit", "Crédit",       "Deber",    "Creder", "Pointage"};

} // namespace

Grid makePlanningGrid() {
    Grid g(2, planning_col::Count);
    for (int c = 0; c < planning_col::Count; ++c) {
        g.set(0, c, std::string(kPlanningCaptions[static_cast<std::size_t>(c)]));
    }
    renumberRows(g);
    return g;
}

PlanningPart::PlanningPart(const platform::Paths& paths, platform::Dialogs& dialogs)
    : paths_(paths), dialogs_(dialogs), grid_(makePlanningGrid()) {}

void PlanningPart::reset() {
    grid_ = makePlanningGrid();
    writable_ = true;
}

void PlanningPart::created(const AccountRef&) {
    reset();
}

void PlanningPart::closed() {
    reset();
}

void PlanningPart::removed(const AccountRef& account) {
    std::error_code ec;
    std::filesystem::remove(paths_.planningFile(account.user, account.account), ec);
}

void PlanningPart::loaded(const AccountRef& account) {
    reset();
    const std::filesystem::path file = paths_.planningFile(account.user, account.account);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        return;
    }
    Grid scratch = grid_;
    if (auto error = loadGridFile(file, scratch)) {
        dialogs_.fail(*error);
        writable_ = false;
        return;
    }
    scratch.set(0, 0, {});
    scratch.setColumnCount(planning_col::Count);
    scratch.removeRowsIf(1, isBlankPlanningRow);
    scratch.insertRow(scratch.rowCount());
    renumberRows(scratch);
    grid_ = std::move(scratch);
}

void PlanningPart::saving(const AccountRef& account, PartSave& save) {
    if (writable_) {
        save.files.emplace_back(
            paths_.planningFile(account.user, account.account).filename().string(),
            writeGridText(grid_, planning_col::Count));
    }
}

void PlanningPart::converted(const AccountRef&, bool toEuros) {
    if (toEuros) {
        convertAmountsToEuros(grid_, kPlanningAmounts);
    } else {
        convertAmountsToFrancs(grid_, kPlanningAmounts);
    }
}

} // namespace ledgora
