// What the loan and the two investment calculators share: four fields of which "Calculer"
// solves the one chosen from the three others, the checks and messages before solving,
// and a result grid of eight fixed rows followed by one row per period. The form owns
// its grid, which keeps the last result until the next computation.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fincalc/DurationUnit.h"
#include "register/Grid.h"
#include "register/PrintSettings.h"

namespace fincalc {

// The four fields, in the order of the panel and of grid rows 0 to 3. Principal is the
// amount borrowed or the initial capital; Fourth is the monthly payment, the interest
// earned or the final capital.
enum class Field { Principal, Rate, Duration, Fourth };

inline constexpr int kFixedRows = 8;
inline constexpr int kHeaderRow = 7;

// The field that entry 0 to 3 of "Calculer :" solves: the fourth, the principal, the
// rate, the duration. Entries outside 0 to 3 solve the fourth field.
Field solvedFieldOfEntry(int entry);
// The three fields the solving reads, in the order they are checked.
std::array<Field, 3> givenFields(Field solved);
// Where the focus goes when an entry is chosen: the rate when the principal is solved,
// the principal otherwise.
Field firstFocus(Field solved);
// The grid row holding a field's value (column 1).
int rowOf(Field field);

// The fields as typed, and the unit button chosen.
struct Typed {
    std::string principal;
    std::string rate;
    std::string duration;
    std::string fourth;
    DurationUnit unit = DurationUnit::Months;
    const std::string& text(Field field) const;
    std::string& text(Field field);
};

enum class Severity { Warning, Error };

// What "Calculer" tells the user. When not done, the message goes in a box of the given
// severity (with an OK button) and the focus, when given, goes to that field.
struct Outcome {
    bool done = false;
    std::string message;
    Severity severity = Severity::Warning;
    std::optional<Field> focus;
};

// A calculator's own words and layout.
struct FormTexts {
    std::string_view caption;
    std::array<std::string_view, 4> entries;     // "Calculer :" items 0 to 3
    std::array<std::string_view, 4> fieldLabels; // beside the fields, by Field
    std::array<std::string_view, 4> fieldNames;  // the fields in messages, by Field
    std::array<DurationUnit, 2> units;           // the unit buttons, the default first
    DurationUnit period;                         // what one schedule row counts
    std::array<std::string_view, 6> rowCaptions; // column 0 of rows 0 to 5
    std::vector<std::string_view> header;        // row 7, one caption per column
    std::vector<int> columnWidths;
    std::string_view failure; // the box after an arithmetic failure or no solution
    Severity failureSeverity;
};

// "Vous n'avez pas indiqué " + name + "."
std::string missingInputMessage(std::string_view fieldName);
// "La valeur indiquée pour " + name + " n'est pas un nombre."
std::string notANumberMessage(std::string_view fieldName);

class SolverForm {
public:
    virtual ~SolverForm() = default;
    SolverForm(const SolverForm&) = delete;
    SolverForm& operator=(const SolverForm&) = delete;

    const FormTexts& texts() const { return texts_; }
    // The captions in column 0 and row 7, then the values of the last computation.
    const ledgora::Grid& grid() const { return grid_; }

    // "Calculer": drops the previous schedule; stops at the first given field that is
    // empty, then at the first that is not a number, computing nothing; copies the fields
    // into rows 0 to 3 as typed; solves and fills the schedule. A failure leaves the typed
    // fields in rows 0 to 3 and empties every computed value.
    Outcome calculate(Field solved, const Typed& typed);

protected:
    explicit SolverForm(const FormTexts& texts);

    // The given fields as read (the solved one left at 0); `periods` is the typed duration
    // rounded and counted in schedule periods.
    struct Given {
        double principal = 0;
        double rate = 0;
        long long periods = 0;
        double fourth = 0;
    };
    // Writes the solved value and the rows from 4 on; throws ArithmeticFailure when there
    // is no solution.
    virtual void solve(Field solved, const Given& given, DurationUnit unit) = 0;

    ledgora::Grid& cells() { return grid_; }
    void setAmount(int row, int column, double value);
    // Appends `count` period rows, numbered from 1 in column 0.
    void addPeriodRows(long long count);

private:
    void clearComputed(Field solved);

    const FormTexts& texts_;
    ledgora::Grid grid_;
};

// How a calculator's result grid is printed: no title, date or time, only the page number;
// no borders; centred at its own size; the job named after the window's caption.
ledgora::PrintSettings solverPrintSettings(const std::string& caption, bool blackAndWhite);

} // namespace fincalc
