#include "register/ui/TAutoSave.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "register/AutoSave.h"
#include "ui/DialogParts.h"

TAutoSave::TAutoSave(QWidget* parent, int minutes, bool active) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Enregistrement automatique"));
    setObjectName(QStringLiteral("TAutoSave"));
    auto* text = new QLabel(
        QStringLiteral("Enregistrer automatiquement le compte ouvert toutes les :"), this);
    Minutes = new QSlider(Qt::Horizontal, this);
    Minutes->setObjectName(QStringLiteral("Minutes"));
    Minutes->setRange(ledgora::kAutoSaveMinimumMinutes, ledgora::kAutoSaveMaximumMinutes);
    Minutes->setTickPosition(QSlider::TicksBelow);
    Minutes->setTickInterval(ledgora::kAutoSaveStepMinutes);
    Minutes->setPageStep(ledgora::kAutoSaveStepMinutes);
    MinutesLabel = new QLabel(this);
    MinutesLabel->setObjectName(QStringLiteral("MinutesLabel"));
    MinutesLabel->setAlignment(Qt::AlignCenter);
    Activer = new QCheckBox(QStringLiteral("Activer l'enregistrement automatique"), this);
    Activer->setObjectName(QStringLiteral("Activer"));
    Activer->setChecked(active);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(Minutes);
    layout->addWidget(MinutesLabel);
    layout->addWidget(Activer);
    layout->addWidget(dialogparts::okCancel(this));

    connect(Minutes, &QSlider::valueChanged, this, &TAutoSave::showMinutes);
    Minutes->setValue(ledgora::clampAutoSaveMinutes(minutes));
    showMinutes(Minutes->value());
}

int TAutoSave::minutes() const {
    return Minutes->value();
}

bool TAutoSave::active() const {
    return Activer->isChecked();
}

void TAutoSave::showMinutes(int minutes) {
    MinutesLabel->setText(QStringLiteral("%1 minutes").arg(minutes));
}
