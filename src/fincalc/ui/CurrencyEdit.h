// The converter's amount field: while it has the focus it holds the number as typed
// ("1000000,5"); once left it shows that number in the display format, digit groups, two
// decimals and its currency ("1 000 000,50 F"), and still holds it whole: the display
// rounds, the amount does not. A text that is not a number is shown as typed.
#pragma once

#include <optional>
#include <string>

#include "ui/TFloatEdit.h"

class CurrencyEdit : public TFloatEdit {
    Q_OBJECT
public:
    // `suffix` is the currency written after the amount: " F" or " €". Starts at 0.
    explicit CurrencyEdit(std::string suffix, QWidget* parent = nullptr);

    // The amount held; 0 when empty, nothing when not a number.
    std::optional<double> amount() const;
    // Puts `value` in the field, in the form that suits its focus.
    void setAmount(double value);
    // The text as typed, whichever form is shown.
    QString typedText() const { return showingDisplay_ ? typed_ : text(); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showDisplay();

    std::string suffix_;
    QString typed_;
    bool showingDisplay_ = false;
};
