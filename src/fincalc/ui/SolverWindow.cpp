#include "fincalc/ui/SolverWindow.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

#include "fincalc/CalculatorInput.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "ui/GridModel.h"
#include "ui/GridPrinter.h"
#include "ui/GridView.h"
#include "ui/TFloatEdit.h"

namespace {

using fincalc::Field;

constexpr std::array<Field, 4> kFields{Field::Principal, Field::Rate, Field::Duration,
                                       Field::Fourth};

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::size_t at(Field field) {
    return static_cast<std::size_t>(field);
}

// The duration is a whole number: a decimal point or comma, typed or pasted, is refused.
class WholeNumberValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (const QChar c : input) {
            if (fincalc::durationRefuses(c.unicode())) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

// A hidden field keeps its place, so the panel does not jump at every choice.
void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

ledgora::Rgb tooltipColour() {
    const QColor c = QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase);
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

platform::MessageKind kindOf(fincalc::Severity severity) {
    return severity == fincalc::Severity::Error ? platform::MessageKind::Error
                                                : platform::MessageKind::Warning;
}

} // namespace

SolverWindow::SolverWindow(std::unique_ptr<fincalc::SolverForm> form, platform::Dialogs& dialogs,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      form_(std::move(form)), dialogs_(dialogs), colourLook_(tooltipColour()) {
    setWindowTitle(q(form_->texts().caption));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(buildPanel());
    buildGrid();
    layout->addWidget(Grille, 1);

    RadioGroup1Click(0);
}

SolverWindow::~SolverWindow() = default;

QWidget* SolverWindow::buildPanel() {
    const fincalc::FormTexts& texts = form_->texts();
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedWidth(260);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    RadioGroup1 = new QGroupBox(QStringLiteral("Calculer :"), panel);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    entries_ = new QButtonGroup(this);
    auto* entryLayout = new QVBoxLayout(RadioGroup1);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(q(texts.entries[static_cast<std::size_t>(i)]), RadioGroup1);
        entries_->addButton(button, i);
        entryLayout->addWidget(button);
    }
    entries_->button(0)->setChecked(true);
    connect(entries_, &QButtonGroup::idClicked, this, &SolverWindow::RadioGroup1Click);
    column->addWidget(RadioGroup1);

    auto* fields = new QGridLayout;
    fields->setColumnStretch(1, 1);
    // The unit buttons sit on their own row under the duration, before the fourth field.
    constexpr int kUnitRow = 3;
    for (const Field field : kFields) {
        const int index = static_cast<int>(field);
        const int row = field == Field::Fourth ? kUnitRow + 1 : index;
        auto* edit = new TFloatEdit(panel);
        edit->setObjectName(QStringLiteral("FloatEdit%1").arg(index + 1));
        auto* name = new QLabel(q(texts.fieldLabels[at(field)]), panel);
        name->setObjectName(QStringLiteral("Label%1").arg(index + 1));
        name->setBuddy(edit);
        keepPlaceWhenHidden(edit);
        keepPlaceWhenHidden(name);
        fields->addWidget(name, row, 0);
        fields->addWidget(edit, row, 1);
        edits_[at(field)] = edit;
        labels_[at(field)] = name;
    }
    PercentLabel = new QLabel(QStringLiteral("%"), panel);
    fields->addWidget(PercentLabel, static_cast<int>(Field::Rate), 2);

    TFloatEdit* duration = edit(Field::Duration);
    duration->setValidator(new WholeNumberValidator(duration));
    connect(duration, &QLineEdit::inputRejected, this, [duration] {
        QToolTip::showText(duration->mapToGlobal(QPoint(0, duration->height())),
                           QStringLiteral("La durée est un nombre entier : "
                                          "le point et la virgule sont refusés."),
                           duration);
    });
    RadioButton1 = new QRadioButton(q(fincalc::unitButtonLabel(texts.units[0])), panel);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(q(fincalc::unitButtonLabel(texts.units[1])), panel);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton1->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(PercentLabel), static_cast<QWidget*>(RadioButton1),
                       static_cast<QWidget*>(RadioButton2)}) {
        keepPlaceWhenHidden(w);
    }
    auto* units = new QButtonGroup(this); // apart from "Calculer :"
    units->addButton(RadioButton1);
    units->addButton(RadioButton2);
    auto* unitRow = new QHBoxLayout;
    unitRow->setContentsMargins(0, 0, 0, 0);
    unitRow->addWidget(RadioButton1);
    unitRow->addWidget(RadioButton2);
    unitRow->addStretch(1);
    fields->addLayout(unitRow, kUnitRow, 1, 1, 2);
    column->addLayout(fields);
    column->addStretch(1);

    SpeedButton1 = new QPushButton(QStringLiteral("Calculer"), panel);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setDefault(true); // Enter in a field computes
    PrintBtn = new QPushButton(QIcon::fromTheme(QStringLiteral("document-print")),
                               QStringLiteral("Imprimer"), panel);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setToolTip(QStringLiteral("Imprimer"));
    PrintBtn->setAutoDefault(false);
    OKBtn = new QPushButton(QStringLiteral("Fermer"), panel);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(PrintBtn);
    buttons->addWidget(OKBtn);
    column->addLayout(buttons);

    connect(SpeedButton1, &QPushButton::clicked, this, &SolverWindow::SpeedButton1Click);
    connect(PrintBtn, &QPushButton::clicked, this, &SolverWindow::PrintBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    return panel;
}

void SolverWindow::buildGrid() {
    Grille = new GridView(this);
    Grille->setObjectName(QStringLiteral("Grille"));
    model_ = new GridModel(form_->grid(), colourLook_, this);
    Grille->setGridModel(model_);
    Grille->horizontalHeader()->hide();
    Grille->verticalHeader()->hide();
    Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grille->setStyleSheet(QStringLiteral("QTableView { gridline-color: silver; }"));
    // The grid's own widths, or more where this desktop's font needs it for the captions,
    // which are all there from the start.
    const ledgora::Grid& cells = form_->grid();
    int width = 0;
    for (int c = 0; c < cells.columnCount(); ++c) {
        const int wanted =
            std::max(cells.columnWidth(c),
                     static_cast<QAbstractItemView*>(Grille)->sizeHintForColumn(c) + 8);
        Grille->setColumnWidth(c, wanted);
        width += wanted;
    }
    Grille->setMinimumWidth(width + Grille->frameWidth() * 2 +
                            Grille->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    Grille->setMinimumHeight(420);
}

TFloatEdit* SolverWindow::edit(Field field) const {
    return edits_[at(field)];
}

QLabel* SolverWindow::label(Field field) const {
    return labels_[at(field)];
}

int SolverWindow::entry() const {
    return entries_->checkedId();
}

Field SolverWindow::solvedField() const {
    return fincalc::solvedFieldOfEntry(entry());
}

void SolverWindow::RadioGroup1Click(int chosen) {
    if (entries_->checkedId() != chosen) {
        entries_->button(chosen)->setChecked(true);
    }
    const Field solved = fincalc::solvedFieldOfEntry(chosen);
    for (const Field field : kFields) {
        edit(field)->setVisible(field != solved);
        label(field)->setVisible(field != solved);
    }
    PercentLabel->setVisible(solved != Field::Rate);
    // Hidden, the unit buttons still choose the unit the solved duration is shown in.
    RadioButton1->setVisible(solved != Field::Duration);
    RadioButton2->setVisible(solved != Field::Duration);
    edit(fincalc::firstFocus(solved))->setFocus();
}

void SolverWindow::SpeedButton1Click() {
    fincalc::Typed typed;
    for (const Field field : kFields) {
        typed.text(field) = edit(field)->text().toStdString();
    }
    typed.unit = form_->texts().units[RadioButton2->isChecked() ? 1 : 0];

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const fincalc::Outcome outcome = form_->calculate(solvedField(), typed);
    model_->gridReplaced();
    clearGridSelection();
    QApplication::restoreOverrideCursor();

    if (!outcome.done) {
        dialogs_.message(kindOf(outcome.severity), outcome.message, platform::Buttons::Ok);
        if (outcome.focus) {
            edit(*outcome.focus)->setFocus();
        }
    }
}

void SolverWindow::clearGridSelection() {
    Grille->selectionModel()->clear();
}

void SolverWindow::PrintBtnClick() {
    const platform::SystemClock clock;
    GridPrinter printer(form_->grid(), colourLook_,
                        fincalc::solverPrintSettings(windowTitle().toStdString(),
                                                     blackAndWhite_ && blackAndWhite_()),
                        clock);
    printGrid(this, printer, printDialog_);
}
