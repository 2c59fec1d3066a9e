// The open register's edit surface for the rules built on top of it (transfers, automatic
// entry, imports): every change made through it keeps the balances, the monthly spending
// and the views right, as the user's own edits do. In the open account each call is a
// RegisterCommand, part of the edit that made the call if there is one.
#pragma once

#include <string>

#include "register/Grid.h"

namespace ledgora {

class RegisterEdits {
public:
    virtual ~RegisterEdits() = default;

    virtual const Grid& grid() const = 0;
    // Writes a cell as the program does (no validation, no question).
    virtual void setCell(int row, int column, std::string text) = 0;
    // Inserts an empty row before `row` (rowCount() appends) and renumbers.
    virtual void insertRow(int row) = 0;
    // Removes an operation row and renumbers.
    virtual void removeRow(int row) = 0;
};

} // namespace ledgora
