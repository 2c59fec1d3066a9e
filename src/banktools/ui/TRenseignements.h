// "Renseignements à faire figurer sur le bordereau": the account number, the holder's name
// and the address printed on the deposit slip, prefilled with what was kept for the
// account; the focus goes to the first empty field.
#pragma once

#include <QDialog>

#include "banktools/DepositDetails.h"
#include "platform/Dialogs.h"

class QLineEdit;
class QPlainTextEdit;

class TRenseignements : public QDialog {
    Q_OBJECT
public:
    // `dialogs` says why a text is refused; borrowed.
    TRenseignements(const ledgora::DepositDetails& stored, platform::Dialogs& dialogs,
                    QWidget* parent = nullptr);

    ledgora::DepositDetails details() const;

    QLineEdit* numberField() const { return NumeroEdit; }
    QLineEdit* nameField() const { return NomEdit; }
    QPlainTextEdit* addressField() const { return AdresseMemo; }

public slots:
    // "OK": refused, with the reason, while a field holds what the settings cannot keep.
    void accept() override;

private:
    QWidget* field(int index) const;

    platform::Dialogs& dialogs_;
    QLineEdit* NumeroEdit;
    QLineEdit* NomEdit;
    QPlainTextEdit* AdresseMemo;
};
