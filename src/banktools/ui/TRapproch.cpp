#include "banktools/ui/TRapproch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "banktools/BankBalancePart.h"
#include "banktools/Reconciliation.h"
#include "money/Amount.h"
#include "register/AccountSession.h"
#include "ui/TFloatEdit.h"

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TRapproch::TRapproch(ledgora::AccountSession& session, ledgora::BankBalancePart& bank,
                     QWidget* parent)
    : QDialog(parent), session_(session), bank_(bank) {
    setObjectName(QStringLiteral("TRapproch"));
    setWindowTitle(QStringLiteral("Rapprochement automatique"));
    const QString currency = qs(ledgora::currencyWord(session.euros()));

    SoldePointeLabel = new QLabel(this);
    SoldePointeLabel->setObjectName(QStringLiteral("SoldePointeLabel"));
    SoldeBanqueEdit = new TFloatEdit(this);
    SoldeBanqueEdit->setObjectName(QStringLiteral("SoldeBanqueEdit"));
    SoldeBanqueEdit->setAlignment(Qt::AlignRight);
    SoldeBanqueEdit->installEventFilter(this);
    CalculerBtn = new QPushButton(QStringLiteral("Calculer"), this);
    CalculerBtn->setObjectName(QStringLiteral("CalculerBtn"));
    DifferenceLabel = new QLabel(this);
    DifferenceLabel->setObjectName(QStringLiteral("DifferenceLabel"));
    QFont bold = DifferenceLabel->font();
    bold.setBold(true);
    DifferenceLabel->setFont(bold);
    FermerBtn = new QPushButton(QStringLiteral("Fermer"), this);
    FermerBtn->setObjectName(QStringLiteral("FermerBtn"));
    // Enter belongs to the number field: no button takes it behind the user's back.
    for (QPushButton* b : {CalculerBtn, FermerBtn}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Solde pointé :"), this), 0, 0);
    grid->addWidget(SoldePointeLabel, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Solde du dernier relevé bancaire :"), this), 1, 0);
    grid->addWidget(SoldeBanqueEdit, 1, 1);
    grid->addWidget(new QLabel(currency, this), 1, 2);
    grid->addWidget(CalculerBtn, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Différence :"), this), 2, 0);
    grid->addWidget(DifferenceLabel, 2, 1, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(FermerBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));

    connect(CalculerBtn, &QPushButton::clicked, this, &TRapproch::CalculerBtnClick);
    connect(FermerBtn, &QPushButton::clicked, this, &TRapproch::FermerBtnClick);

    // Opening: the stored balance unless it is 0, the reconciled balance, and the result
    // at once when there is something to compare.
    SoldeBanqueEdit->setText(qs(ledgora::statementFieldText(bank.balance())));
    SoldeBanqueEditChange();
    connect(SoldeBanqueEdit, &QLineEdit::textChanged, this, &TRapproch::SoldeBanqueEditChange);
    SoldePointeLabel->setText(
        qs(ledgora::reconciledText(session.balances().reconciled, session.euros())));
    if (!SoldeBanqueEdit->text().isEmpty()) {
        CalculerBtnClick();
        FermerBtn->setFocus();
    } else {
        SoldeBanqueEdit->setFocus();
    }
}

void TRapproch::SoldeBanqueEditChange() {
    DifferenceLabel->clear();
    CalculerBtn->setEnabled(!SoldeBanqueEdit->text().isEmpty());
}

void TRapproch::CalculerBtnClick() {
    const ledgora::ReconciliationResult r =
        ledgora::reconcile(SoldeBanqueEdit->text().toStdString(),
                           SoldePointeLabel->text().toStdString(), session_.euros());
    DifferenceLabel->setText(qs(r.text));
    QPalette palette = DifferenceLabel->palette();
    palette.setColor(QPalette::WindowText, QColor(r.colour.r, r.colour.g, r.colour.b));
    DifferenceLabel->setPalette(palette);
    SoldeBanqueEdit->setFocus();
}

void TRapproch::FermerBtnClick() {
    bank_.set(ledgora::statementOnClose(SoldeBanqueEdit->text().toStdString(), bank_.statement()));
    accept();
}

bool TRapproch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SoldeBanqueEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && CalculerBtn->isEnabled()) {
            CalculerBtnClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
