#include "fincalc/SolverForm.h"

#include "fincalc/CalculatorInput.h"
#include "fincalc/Checked.h"
#include "money/Amount.h"
#include "platform/Paths.h"

namespace fincalc {

Field solvedFieldOfEntry(int entry) {
    switch (entry) {
    case 1:
        return Field::Principal;
    case 2:
        return Field::Rate;
    case 3:
        return Field::Duration;
    default:
        return Field::Fourth;
    }
}

std::array<Field, 3> givenFields(Field solved) {
    switch (solved) {
    case Field::Principal:
        return {Field::Rate, Field::Duration, Field::Fourth};
    case Field::Rate:
        return {Field::Principal, Field::Duration, Field::Fourth};
    case Field::Duration:
        return {Field::Principal, Field::Rate, Field::Fourth};
    case Field::Fourth:
        break;
    }
    return {Field::Principal, Field::Rate, Field::Duration};
}

Field firstFocus(Field solved) {
    return solved == Field::Principal ? Field::Rate : Field::Principal;
}

int rowOf(Field field) {
    return static_cast<int>(field);
}

const std::string& Typed::text(Field field) const {
    switch (field) {
    case Field::Principal:
        return principal;
    case Field::Rate:
        return rate;
    case Field::Duration:
        return duration;
    case Field::Fourth:
        break;
    }
    return fourth;
}

std::string& Typed::text(Field field) {
    return const_cast<std::string&>(static_cast<const Typed&>(*this).text(field));
}

std::string missingInputMessage(std::string_view fieldName) {
    std::string message = "Vous n'avez pas indiqué ";
    message += fieldName;
    message += '.';
    return message;
}

std::string notANumberMessage(std::string_view fieldName) {
    std::string message = "La valeur indiquée pour ";
    message += fieldName;
    message += " n'est pas un nombre.";
    return message;
}

SolverForm::SolverForm(const FormTexts& texts)
    : texts_(texts), grid_(kFixedRows, static_cast<int>(texts.header.size())) {
    for (int c = 0; c < grid_.columnCount(); ++c) {
        grid_.setColumnWidth(c, texts.columnWidths[static_cast<std::size_t>(c)]);
        grid_.set(kHeaderRow, c, std::string(texts.header[static_cast<std::size_t>(c)]));
    }
    for (int r = 0; r < 6; ++r) {
        grid_.set(r, 0, std::string(texts.rowCaptions[static_cast<std::size_t>(r)]));
    }
}

Outcome SolverForm::calculate(Field solved, const Typed& typed) {
    grid_.setRowCount(kFixedRows);
    const auto given = givenFields(solved);
    for (const Field field : given) {
        if (typed.text(field).empty()) {
            return {false, missingInputMessage(texts_.fieldNames[static_cast<std::size_t>(field)]),
                    Severity::Warning, field};
        }
    }

    grid_.set(rowOf(Field::Principal), 1, typed.principal);
    grid_.set(rowOf(Field::Rate), 1, typed.rate + " %");
    grid_.set(rowOf(Field::Duration), 1, typedDurationText(typed.duration, typed.unit));
    grid_.set(rowOf(Field::Fourth), 1, typed.fourth);

    Given values;
    double duration = 0;
    for (const Field field : given) {
        const auto number = readNumber(typed.text(field));
        if (!number) {
            clearComputed(solved);
            return {false, notANumberMessage(texts_.fieldNames[static_cast<std::size_t>(field)]),
                    Severity::Error, field};
        }
        switch (field) {
        case Field::Principal:
            values.principal = *number;
            break;
        case Field::Rate:
            values.rate = *number;
            break;
        case Field::Duration:
            duration = *number; // counted below, where a bad count is a failure
            break;
        case Field::Fourth:
            values.fourth = *number;
            break;
        }
    }

    try {
        if (solved != Field::Duration) {
            values.periods = wholePeriods(duration, periodsPerUnit(typed.unit, texts_.period));
        }
        solve(solved, values, typed.unit);
    } catch (const ArithmeticFailure&) {
        grid_.setRowCount(kFixedRows);
        clearComputed(solved);
        return {false, std::string(texts_.failure), texts_.failureSeverity, std::nullopt};
    }
    return {true, {}, Severity::Warning, std::nullopt};
}

void SolverForm::setAmount(int row, int column, double value) {
    grid_.set(row, column, ledgora::formatAmount(value));
}

void SolverForm::addPeriodRows(long long count) {
    const int first = grid_.rowCount();
    grid_.setRowCount(first + static_cast<int>(count));
    for (long long k = 1; k <= count; ++k) {
        grid_.set(first + static_cast<int>(k) - 1, 0, std::to_string(k));
    }
}

void SolverForm::clearComputed(Field solved) {
    // A value left from the previous computation would sit beside the new inputs as if it
    // were their result.
    grid_.set(rowOf(solved), 1, {});
    for (int r = 4; r <= 5; ++r) {
        for (int c = 1; c < grid_.columnCount(); ++c) {
            grid_.set(r, c, {});
        }
    }
}

ledgora::PrintSettings solverPrintSettings(const std::string& caption, bool blackAndWhite) {
    ledgora::PrintSettings s;
    s.time = false;
    s.date = false;
    s.pageNumbers = true;
    s.borders = false;
    s.fitToWidth = false;
    s.centred = true;
    s.headerArea = 150;
    s.jobName = std::string(platform::kAppTitle) + " - " + caption;
    s.blackAndWhite = blackAndWhite;
    return s;
}

} // namespace fincalc
