#include "register/ui/TFloatEdit.h"

#include <QKeyEvent>

TFloatEdit::TFloatEdit(QWidget* parent, QChar decimalSeparator)
    : QLineEdit(parent), separator_(decimalSeparator) {}

void TFloatEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32) {
        const QChar c = text[0];
        const bool allowed =
            c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == separator_;
        if (!allowed || c.unicode() > 127) {
            event->ignore();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
