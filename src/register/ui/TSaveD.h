// The save-as form `TSaveD`: the account's new name.
#pragma once

#include "register/ui/NameFormDialog.h"

class QLineEdit;

class TSaveD : public NameFormDialog {
    Q_OBJECT
public:
    explicit TSaveD(ledgora::NameFormCheck check, QWidget* parent = nullptr);
    ledgora::NameForm form() const override;

private:
    QLineEdit* NomEdit;
};
