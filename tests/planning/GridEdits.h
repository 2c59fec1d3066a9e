// The register's edit surface over a bare grid, for the rules that change the register
// through it: cells, inserted and removed rows, renumbered as the session does.
#pragma once

#include <string>

#include "register/Grid.h"
#include "register/RegisterEdits.h"
#include "register/RegisterRows.h"

namespace ledgora::testing {

class GridEdits : public RegisterEdits {
public:
    explicit GridEdits(Grid& grid) : grid_(grid) {}

    const Grid& grid() const override { return grid_; }
    void setCell(int row, int column, std::string text) override {
        grid_.set(row, column, std::move(text));
        ++cellsSet;
    }
    void insertRow(int row) override {
        grid_.insertRow(row);
        renumberRows(grid_);
    }
    void removeRow(int row) override {
        grid_.removeRow(row);
        renumberRows(grid_);
    }

    int cellsSet = 0;

private:
    Grid& grid_;
};

} // namespace ledgora::testing
