// The numeric edit box: lets through only digits, "+", "-", the decimal separators and
// control keys. "," and "." are both taken, as a French user types either; the text is
// read with parseTypedAmount(). It does not check that the text is a well-formed number.
#pragma once

#include <QLineEdit>

class TFloatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFloatEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
