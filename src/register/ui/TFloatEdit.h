// The numeric edit box: lets through only digits, "+", "-", the decimal separator and
// control keys. It does not check that the text is a well-formed number.
#pragma once

#include <QLineEdit>

class TFloatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFloatEdit(QWidget* parent = nullptr, QChar decimalSeparator = QLatin1Char('.'));

    void setDecimalSeparator(QChar separator) { separator_ = separator; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QChar separator_;
};
