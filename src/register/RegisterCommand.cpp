#include "register/RegisterCommand.h"

#include <algorithm>

#include "register/RegisterRows.h"

namespace ledgora {

RegisterCommand::RegisterCommand(Kind kind, int row, int column, std::string text)
    : kind_(kind), row_(row), column_(column), text_(std::move(text)) {}

RegisterCommand RegisterCommand::typeCell(int row, int column, std::string text) {
    return {Kind::TypeCell, row, column, std::move(text)};
}

RegisterCommand RegisterCommand::writeCell(int row, int column, std::string text) {
    return {Kind::WriteCell, row, column, std::move(text)};
}

RegisterCommand RegisterCommand::insertRow(int row) {
    return {Kind::InsertRow, row, 0};
}

RegisterCommand RegisterCommand::removeRow(int row) {
    return {Kind::RemoveRow, row, 0};
}

RegisterCommand RegisterCommand::toggleMark(int row) {
    return {Kind::ToggleMark, row, 0};
}

RegisterCommand RegisterCommand::appendLine() {
    return {Kind::AppendLine, 0, 0};
}

RegisterCommand RegisterCommand::insertLineAfter(int row) {
    return {Kind::InsertLineAfter, row, 0};
}

RegisterCommand RegisterCommand::deleteLine(int row) {
    return {Kind::DeleteLine, row, 0};
}

RegisterCommand RegisterCommand::cleanUpLines() {
    return {Kind::CleanUpLines, 0, 0};
}

RegisterCommand RegisterCommand::paste(int row, int column, std::string text) {
    return {Kind::Paste, row, column, std::move(text)};
}

RegisterCommand RegisterCommand::clearCells(int top, int left, int bottom, int right) {
    RegisterCommand command{Kind::ClearCells, top, left};
    command.bottom_ = bottom;
    command.right_ = right;
    return command;
}

void RegisterCommand::noteCell(int row, int column, std::string before) {
    steps_.push_back({Step::Type::Cell, row, column, std::move(before), {}});
}

void RegisterCommand::noteRowInserted(int row) {
    steps_.push_back({Step::Type::RowInserted, row, 0, {}, {}});
}

void RegisterCommand::noteRowRemoved(int row, std::vector<std::string> cells) {
    steps_.push_back({Step::Type::RowRemoved, row, 0, {}, std::move(cells)});
}

int RegisterCommand::revert(Grid& reg, RegisterChanges& changes) const {
    int from = -1;
    bool rowsMoved = false;
    const auto touched = [&](int row) { from = from < 0 ? row : std::min(from, row); };
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
        switch (step->type) {
        case Step::Type::Cell:
            if (reg.contains(step->row, step->column)) {
                reg.set(step->row, step->column, step->text);
                changes.cell(step->row, step->column);
                touched(step->row);
            }
            break;
        case Step::Type::RowInserted:
            if (step->row >= 1 && step->row < reg.rowCount()) {
                reg.removeRow(step->row);
                changes.rowsRemoved(step->row, 1);
                touched(std::min(step->row, reg.rowCount() - 1));
                rowsMoved = true;
            }
            break;
        case Step::Type::RowRemoved:
            if (step->row >= 1 && step->row <= reg.rowCount()) {
                reg.insertRow(step->row);
                const int columns =
                    std::min(reg.columnCount(), static_cast<int>(step->cells.size()));
                for (int c = 0; c < columns; ++c) {
                    reg.set(step->row, c, step->cells[static_cast<std::size_t>(c)]);
                }
                changes.rowsInserted(step->row, 1);
                touched(step->row);
                rowsMoved = true;
            }
            break;
        }
    }
    if (rowsMoved) {
        renumberRows(reg);
    }
    return from;
}

} // namespace ledgora
