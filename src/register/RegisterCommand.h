// One edit of the open register as an object: what it does (its kind and arguments), what
// it answered, and, when it ran with a history listening, what it replaced, so that it can
// be reverted. AccountSession runs every edit through execute(); an undo stack is a
// RegisterHistory that keeps the commands it is handed and gives them back, last first,
// to AccountSession::revert().
#pragma once

#include <string>
#include <vector>

#include "register/Grid.h"
#include "register/RegisterChanges.h"

namespace ledgora {

// What a cell validation changed, for the view to refresh.
struct ValidationResult {
    bool rowAppended = false;
    bool balancesChanged = false;
};

class RegisterCommand {
public:
    enum class Kind {
        TypeCell,  // the user's text into a cell, through every check (validateCell)
        WriteCell, // a rule's text into a cell, no check (RegisterEdits::setCell)
        InsertRow, // RegisterEdits::insertRow
        RemoveRow, // RegisterEdits::removeRow
        ToggleMark,
        AppendLine,
        InsertLineAfter,
        DeleteLine,
        CleanUpLines,
        Paste,
        ClearCells,
    };

    static RegisterCommand typeCell(int row, int column, std::string text);
    static RegisterCommand writeCell(int row, int column, std::string text);
    static RegisterCommand insertRow(int row);
    static RegisterCommand removeRow(int row);
    static RegisterCommand toggleMark(int row);
    static RegisterCommand appendLine();
    static RegisterCommand insertLineAfter(int row);
    static RegisterCommand deleteLine(int row);
    static RegisterCommand cleanUpLines();
    static RegisterCommand paste(int row, int column, std::string text);
    static RegisterCommand clearCells(int top, int left, int bottom, int right);

    Kind kind() const { return kind_; }
    // The arguments: the cell, row or top-left corner; the bottom-right corner of a clear;
    // the typed, written or pasted text.
    int row() const { return row_; }
    int column() const { return column_; }
    int bottom() const { return bottom_; }
    int right() const { return right_; }
    const std::string& text() const { return text_; }

    // What the command answered: whether it did anything the menu asked (a row inserted or
    // deleted), what a validation changed, the rows a paste covered.
    struct Result {
        bool done = false;
        ValidationResult validation;
        int rows = 0;
    };
    const Result& result() const { return result_; }
    Result& result() { return result_; }

    // Written by the session while the command runs, in the order things happen: a cell's
    // text before it was written, a row inserted, a row removed with all its texts.
    void noteCell(int row, int column, std::string before);
    void noteRowInserted(int row);
    void noteRowRemoved(int row, std::vector<std::string> cells);
    // Nothing was noted: the register is as it was.
    bool changedNothing() const { return steps_.empty(); }

    // Puts back what the command replaced, last change first, into `reg`, which must be
    // the register just after the command (or after the reverts of the commands that
    // followed it); `changes` learns what a view must show again. Rows are renumbered; the
    // running balances are the caller's to recompute, from the row returned (-1: none
    // noted).
    int revert(Grid& reg, RegisterChanges& changes) const;

private:
    RegisterCommand(Kind kind, int row, int column, std::string text = {});

    struct Step {
        enum class Type { Cell, RowInserted, RowRemoved };
        Type type = Type::Cell;
        int row = 0;
        int column = 0;
        std::string text;               // a cell's text before
        std::vector<std::string> cells; // a removed row's texts, column by column
    };

    Kind kind_;
    int row_ = 0;
    int column_ = 0;
    int bottom_ = 0;
    int right_ = 0;
    std::string text_;
    Result result_;
    std::vector<Step> steps_;
};

} // namespace ledgora
