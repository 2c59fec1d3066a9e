// Registers for the report tests, written row by row as the user would type them.
#pragma once

#include <string>
#include <vector>

#include "register/Grid.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora::testing {

struct Row {
    std::string date;
    std::string category;
    std::string debit;
    std::string credit;
    std::string mode = {};
    std::string notes = {};
};

// The caption row, `rows` in order, one blank row.
inline Grid registerOf(const std::vector<Row>& rows) {
    Grid reg = makeRegister(static_cast<int>(rows.size()) + 2);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        reg.set(r, col::Date, rows[i].date);
        reg.set(r, col::Rubrique, rows[i].category);
        reg.set(r, col::Debit, rows[i].debit);
        reg.set(r, col::Credit, rows[i].credit);
        reg.set(r, col::ModePaiement, rows[i].mode);
        reg.set(r, col::Notes, rows[i].notes);
    }
    return reg;
}

} // namespace ledgora::testing
