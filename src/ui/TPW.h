// The password prompt `TPW`: a caption (the user's name), a prompt and a masked field.
#pragma once

#include <QDialog>

class QLineEdit;

class TPW : public QDialog {
    Q_OBJECT
public:
    TPW(const QString& user, const QString& prompt, QWidget* parent = nullptr);
    QString password() const;

private:
    QLineEdit* Edit1;
};
