#include "ui/TFloatEdit.h"

#include <QKeyEvent>

TFloatEdit::TFloatEdit(QWidget* parent) : QLineEdit(parent) {}

void TFloatEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32) {
        const char16_t c = text[0].unicode();
        const bool allowed =
            (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u',' || c == u'.';
        if (!allowed) {
            event->ignore();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}
