// Row conventions of the register: the caption row, row numbers, blank rows, the
// initial-balance row, and the row operations every load and edit relies on.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "register/Grid.h"

namespace ledgora {

// A fresh register: 12 columns, the caption row, and `rows` - 1 empty numbered rows.
Grid makeRegister(int rows = 3);

// Writes the captions into row 0 and empties cell (0,0).
void setRegisterCaptions(Grid& reg);

// All cells from "date" to "solde" are empty (the mark and the number do not count).
bool isBlankRow(const Grid& reg, int row);

// Recognised by its notes, wherever the sort put it.
bool isInitialBalanceRow(const Grid& reg, int row);

// Column 0 of rows 1..n becomes 1..n.
void renumberRows(Grid& reg, int numberColumn = 0);

// Adds one empty row at the end and renumbers.
void appendRow(Grid& reg);

// Removes every blank row, then appends one: the register ends with exactly one.
void cleanUpBlankRows(Grid& reg);

// Sorts rows 1.. by date, ascending, keeping the order of equal dates; an empty or
// unreadable date sorts first. A sort that moved many rows compacts the grid.
void sortByDate(Grid& reg);

// Reads an account file into `reg` as opening an account does: the register is rebuilt
// from the file (starting from `rowsBefore` cleared rows, as a file may keep the grid's
// size), sorted by date and cleaned up. Nothing on success, else the message to show;
// `reg` is then untouched.
std::optional<std::string> readAccountFile(const std::filesystem::path& file, Grid& reg,
                                           int rowsBefore = 3);

// The toolbar's "Supprimer" (and "&Lignes" > "&Supprimer...") rule for the current row:
// an account is open, the row is an operation row other than the final blank row and the
// initial-balance row, and the register has more than 3 rows.
bool canDeleteRow(bool accountOpen, const Grid& reg, int row);

// "&Lignes" > "&Insérer après la ligne courante": an account is open and the row is an
// operation row other than the last one (below the last, editing appends the blank row).
bool canInsertAfter(bool accountOpen, const Grid& reg, int row);

} // namespace ledgora
