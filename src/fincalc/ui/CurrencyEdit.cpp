#include "fincalc/ui/CurrencyEdit.h"

#include <QFocusEvent>
#include <QSignalBlocker>
#include <QTimer>

#include "fincalc/FrancEuroConverter.h"
#include "money/Amount.h"

CurrencyEdit::CurrencyEdit(std::string suffix, QWidget* parent)
    : TFloatEdit(parent), suffix_(std::move(suffix)) {
    leaveWholeTextToOwner(); // the converter says "montant illisible" as it is typed
    setAmount(0);
}

std::optional<double> CurrencyEdit::amount() const {
    return fincalc::readConverterAmount(typedText().toStdString(), suffix_);
}

void CurrencyEdit::setAmount(double value) {
    QString text = QString::fromStdString(ledgora::formatAmount(value));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    showingDisplay_ = false;
    setText(text);
    if (!hasFocus()) {
        showDisplay();
    }
}

void CurrencyEdit::focusInEvent(QFocusEvent* event) {
    if (showingDisplay_) {
        // The same amount in another form: nothing for the converter to redo.
        const QSignalBlocker quiet(this);
        showingDisplay_ = false;
        setText(typed_);
    }
    TFloatEdit::focusInEvent(event);
    // The whole amount selected, so that typing replaces it; after the base class, which
    // places the caret where the mouse clicked.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) {
            selectAll();
        }
    });
}

void CurrencyEdit::focusOutEvent(QFocusEvent* event) {
    TFloatEdit::focusOutEvent(event);
    showDisplay();
}

void CurrencyEdit::showDisplay() {
    const auto value = fincalc::readConverterAmount(text().toStdString(), suffix_);
    if (showingDisplay_ || !value) {
        return;
    }
    const QSignalBlocker quiet(this);
    typed_ = text();
    showingDisplay_ = true;
    setText(QString::fromStdString(fincalc::formatFrench(*value) + suffix_));
}
