#include "fincalc/ui/TConvert.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "fincalc/FrancEuroConverter.h"
#include "fincalc/ui/CurrencyEdit.h"

namespace {

QFont largeBold(const QWidget& widget) {
    QFont font = widget.font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    return font;
}

QLabel* resultLabel(const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(red);
    return label;
}

// The result of a field's amount, or the word for a text that is not a number.
QString resultText(const CurrencyEdit& field, std::string (*convert)(double)) {
    const auto amount = field.amount();
    return QString::fromStdString(amount ? convert(*amount)
                                         : std::string(fincalc::kUnreadableAmount));
}

} // namespace

TConvert::TConvert(std::function<void()> about, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      about_(std::move(about)) {
    setObjectName(QStringLiteral("Convert"));
    setWindowTitle(QStringLiteral("Sorvia - Convertisseur Francs <-> Euros"));
    const QFont big = largeBold(*this);

    francs = new CurrencyEdit(" F", this);
    francs->setObjectName(QStringLiteral("francs"));
    euros = new CurrencyEdit(" €", this);
    euros->setObjectName(QStringLiteral("euros"));
    for (CurrencyEdit* field : {francs, euros}) {
        field->setFont(big);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setFixedWidth(190);
        field->installEventFilter(this);
    }
    Label1 = resultLabel(QStringLiteral("= "), big, this);
    Label3 = resultLabel(QString(), big, this);
    Label2 = resultLabel(QStringLiteral("= "), big, this);
    Label5 = resultLabel(QString(), big, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label5->setObjectName(QStringLiteral("Label5"));

    SpeedButton3 = new QPushButton(QStringLiteral("A propos..."), this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setAutoDefault(false);
    SpeedButton3->setFocusPolicy(Qt::NoFocus);
    OKBtn = new QPushButton(QStringLiteral("Fermer"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);

    auto* lines = new QGridLayout;
    lines->setHorizontalSpacing(6);
    lines->addWidget(francs, 0, 0);
    lines->addWidget(Label1, 0, 1);
    lines->addWidget(Label3, 0, 2);
    lines->addWidget(euros, 1, 0);
    lines->addWidget(Label2, 1, 1);
    lines->addWidget(Label5, 1, 2);
    lines->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton3);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(lines);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setFixedSize(455, 157);

    connect(francs, &QLineEdit::textChanged, this, &TConvert::francsChange);
    connect(euros, &QLineEdit::textChanged, this, &TConvert::eurosChange);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(SpeedButton3, &QPushButton::clicked, this, [this] {
        if (about_) {
            about_();
        }
    });
    setTabOrder(francs, euros);
    setTabOrder(euros, OKBtn);
}

QString TConvert::eurosResult() const {
    return Label3->text();
}

QString TConvert::francsResult() const {
    return Label5->text();
}

void TConvert::francsChange() {
    Label3->setText(resultText(*francs, &fincalc::francsToEurosText));
}

void TConvert::eurosChange() {
    Label5->setText(resultText(*euros, &fincalc::eurosToFrancsText));
}

bool TConvert::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == francs || watched == euros) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            watched == francs ? francsChange() : eurosChange();
            OKBtn->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TConvert::showEvent(QShowEvent* event) {
    francsChange();
    eurosChange();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}
