#include "planning/SessionGridEdits.h"

#include "register/RegisterRows.h"

namespace ledgora {

SessionGridEdits::~SessionGridEdits() {
    session_.recompute();
}

void SessionGridEdits::setCell(int row, int column, std::string text) {
    session_.grid().set(row, column, std::move(text));
}

void SessionGridEdits::insertRow(int row) {
    session_.grid().insertRow(row);
    renumberRows(session_.grid());
    rowsChanged_ = true;
}

void SessionGridEdits::removeRow(int row) {
    session_.grid().removeRow(row);
    renumberRows(session_.grid());
    rowsChanged_ = true;
}

} // namespace ledgora
