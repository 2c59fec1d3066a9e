// The monthly planning's edit rules on its grid: what each column holds and accepts, the
// checks after an edit (the day's warnings, the amounts, the lists, the transfer question),
// the click-fill, the totals, the line commands, the sort and the search. The planning
// window shows the grid and forwards the user's actions here; PlanningPart owns the grid.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "money/Amount.h"
#include "planning/PlanningColumns.h"
#include "platform/Dialogs.h"
#include "register/CellRules.h"
#include "register/Grid.h"
#include "register/GridSearch.h"
#include "register/NameList.h"

namespace ledgora {

inline constexpr const char* kLeapYearWarning = "Attention aux années bissextiles !";
inline constexpr const char* kShortMonthWarning = "Attention : tous les mois n'ont pas 31 jours...";
// Asked after a new account was created; "Oui" opens the planning window.
inline constexpr const char* kPlanningQuestion =
    "Voulez-vous saisir maintenant des opérations qui se répètent tous les mois ?";

struct PlanningTotals {
    Cents debits = 0;
    Cents credits = 0;
};

// "Ledgora - Opérations mensuelles planifiées - Anne : compte "Courant" (Euros)": the
// planning window's caption, which also titles and names its printouts.
std::string planningCaption(const std::string& user, const std::string& account, bool euros);

// Columns 1 to 6 are empty.
bool isBlankPlanningRow(const Grid& planning, int row);

// The sums of the debits and credits of every planned row (unreadable amounts count 0).
PlanningTotals planningTotals(const Grid& planning);

// The editor of a planning column: the day's whole-number editor, the lists, the decimal
// amounts, the mark's check box.
EditorKind planningEditorKind(int column);

class PlanningSheet {
public:
    // `otherAccounts` lists the user's accounts other than the open one, read afresh at
    // each call (the transfer question goes to one of them). All borrowed.
    PlanningSheet(Grid& grid, NameList& categories, NameList& modes, platform::Dialogs& dialogs,
                  std::function<std::vector<std::string>()> otherAccounts);

    const Grid& grid() const { return grid_; }

    // Off while the program fills or rearranges the grid: validation only stores the text.
    bool validating() const { return validating_; }
    void setValidating(bool on) { validating_ = on; }

    // Whether the user may type into a cell: data rows, shown columns 1 to 6, a debit only
    // while the credit is empty and the other way round.
    bool mayEdit(int row, int column) const;

    // Stores `text` typed into a cell, then its checks: a category or mode capitalised and
    // added to its list, an amount normalised (its remainder dropped when it changes), the
    // day's warnings (29 to 31) or its refusal ("Saisie incorrecte.", emptied), the transfer
    // question after a mode, a blank row after the last one.
    void validateCell(int row, int column, std::string text);

    // What a click on an empty day, category or mode cell proposes: the nearest filled cell
    // above in that column. Nothing in row 1 or when nothing above is filled.
    std::optional<std::string> clickFill(int row, int column) const;

    PlanningTotals totals() const { return planningTotals(grid_); }

    // "&Lignes": a blank row at the end; a row after `row` (not after the last one); the
    // removal of `row` after "Voulez-vous vraiment supprimer la ligne n ?", never of the
    // blank last row nor below two rows; the removal of blank rows.
    void appendLine();
    bool canInsertAfter(int row) const;
    bool insertLineAfter(int row);
    bool canDelete(int row) const;
    bool deleteLine(int row);
    void cleanUp();

    // A click on the caption of `column` (1 to 6): a stable ascending sort, the day and the
    // amounts as numbers, then the blank rows removed and one appended.
    void sortBy(int column);

    // "&Chercher..." and "&Suivant" over columns 1 to 9; a miss says "Recherche
    // infructueuse.".
    std::optional<CellPosition> find(const FindOptions& options, CellPosition current);
    std::optional<CellPosition> findNext();
    const GridSearch& search() const { return search_; }

private:
    void checkDay(std::string& day);
    void askTransfer(int row);
    std::optional<CellPosition> tellMiss(std::optional<CellPosition> found);

    Grid& grid_;
    NameList& categories_;
    NameList& modes_;
    platform::Dialogs& dialogs_;
    std::function<std::vector<std::string>()> otherAccounts_;
    bool validating_ = true;
    GridSearch search_{planning_col::Day, planning_col::Entered};
};

} // namespace ledgora
