#include "banktools/ui/TRenseignements.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/DialogParts.h"

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TRenseignements::TRenseignements(const ledgora::DepositDetails& stored, platform::Dialogs& dialogs,
                                 QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TRenseignements"));
    setWindowTitle(qs(ledgora::kDepositDetailsCaption));
    NumeroEdit = new QLineEdit(qs(stored.number), this);
    NumeroEdit->setObjectName(QStringLiteral("NumeroEdit"));
    NomEdit = new QLineEdit(qs(stored.name), this);
    NomEdit->setObjectName(QStringLiteral("NomEdit"));
    // An address takes several lines; Tab still moves on to the buttons.
    AdresseMemo = new QPlainTextEdit(this);
    AdresseMemo->setObjectName(QStringLiteral("AdresseMemo"));
    AdresseMemo->setTabChangesFocus(true);
    AdresseMemo->setPlainText(qs(stored.address));
    AdresseMemo->setFixedHeight(AdresseMemo->fontMetrics().lineSpacing() * 4 + 12);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Numéro du compte :"), NumeroEdit);
    form->addRow(QStringLiteral("Nom :"), NomEdit);
    form->addRow(QStringLiteral("Adresse : "), AdresseMemo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(dialogparts::okCancel(this));
    setMinimumWidth(420);

    if (const auto empty = ledgora::firstEmptyDetail(stored)) {
        field(*empty)->setFocus();
    }
}

QWidget* TRenseignements::field(int index) const {
    switch (index) {
    case 0:
        return NumeroEdit;
    case 1:
        return NomEdit;
    default:
        return AdresseMemo;
    }
}

ledgora::DepositDetails TRenseignements::details() const {
    return {NumeroEdit->text().toStdString(), NomEdit->text().toStdString(),
            AdresseMemo->toPlainText().toStdString()};
}

void TRenseignements::accept() {
    if (const auto bad = ledgora::unstorableDetail(details())) {
        dialogs_.warn(std::string(ledgora::kUnstorableDetail));
        field(*bad)->setFocus();
        return;
    }
    QDialog::accept();
}
