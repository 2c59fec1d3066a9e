#include "planning/ui/TAlarmes.h"

#include <functional>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include "planning/PlanningSheet.h"
#include "planning/ui/WindowParts.h"
#include "register/GridTextFormat.h"
#include "ui/GridModel.h"
#include "ui/GridPrinter.h"
#include "ui/GridView.h"
#include "ui/TFloatEdit.h"

using windowparts::q;

namespace {

// The maximum is typed in the numeric box, right-aligned as the amounts are. Enter takes
// the value and goes on to the next category, as one types a column of figures: the
// window's default button stays for an Enter outside the editor. A paste the box refuses
// is told through the window's port.
class MaximumDelegate : public QStyledItemDelegate {
public:
    MaximumDelegate(std::function<void()> entered, platform::Dialogs& dialogs, QObject* parent)
        : QStyledItemDelegate(parent), entered_(std::move(entered)), dialogs_(dialogs) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new TFloatEdit(parent);
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor->setFrame(false);
        editor->setDialogs(dialogs_);
        editor->leaveWholeTextToOwner(); // the table refuses a maximum that is no amount
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor != nullptr && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                entered_();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    std::function<void()> entered_;
    platform::Dialogs& dialogs_;
};

} // namespace

TAlarmes::TAlarmes(AlarmesContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)),
      table_(context_.alarm.entries(context_.categories)),
      look_(context_.spending, context_.year, context_.month) {
    setWindowTitle(q(ledgora::budgetTableCaption(context_.euros)));
    model_ = new GridModel(table_.grid(), look_, this);
    model_->setEditing(&ledgora::BudgetTable::mayEdit,
                       [this](int row, int column, const std::string& text) {
                           if (column != ledgora::budget_col::Maximum) {
                               return;
                           }
                           if (!table_.setMaximum(row, text)) {
                               // Told once the editor has closed, the cell as it was.
                               refused_ = true;
                               QTimer::singleShot(0, this, &TAlarmes::tellRefusal);
                               return;
                           }
                           model_->gridCellsChanged(row, 0, ledgora::budget_col::Count - 1);
                       });
    Grille = new GridView(this);
    Grille->setObjectName(QStringLiteral("Grille"));
    Grille->setItemDelegate(
        new MaximumDelegate([this] { nextMaximum(); }, context_.dialogs, Grille));
    Grille->setGridModel(model_);
    Grille->verticalHeader()->hide(); // no number column in these tables
    Grille->setSortByColumn([this](int column) {
        table_.sortBy(column);
        model_->gridReplaced();
    });

    Imprimer = windowparts::button(this, "Imprimer", QStringLiteral("&Imprimer"));
    Imprimer->setAutoDefault(false); // Enter never prints
    OK = windowparts::button(this, "OK", QStringLiteral("OK"));
    Annuler = windowparts::button(this, "Annuler", QStringLiteral("Annuler"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Imprimer);
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Annuler);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grille, 1);
    layout->addLayout(buttons);
    windowparts::fitColumns(*Grille, 30);
    resize(windowparts::widthForColumns(*this, *Grille, 520), 460);

    connect(Imprimer, &QPushButton::clicked, this, &TAlarmes::ImprimerClick);
    connect(OK, &QPushButton::clicked, this, &TAlarmes::OKClick);
    connect(Annuler, &QPushButton::clicked, this, &QDialog::reject);
}

TAlarmes::~TAlarmes() {
    // The view goes while the grid it shows is still there (QDialog hides it later).
    delete Grille;
}

bool TAlarmes::execute(AlarmesContext context, QWidget* parent) {
    if (context.categories.empty()) {
        context.dialogs.warn(ledgora::kNoCategoryMessage);
        return false;
    }
    TAlarmes window(std::move(context), parent);
    return window.exec() == QDialog::Accepted;
}

void TAlarmes::commitOpenEditor() {
    QWidget* editor = Grille->indexWidget(Grille->currentIndex());
    if (editor != nullptr) {
        emit Grille->itemDelegate()->commitData(editor);
        emit Grille->itemDelegate()->closeEditor(editor);
    }
}

void TAlarmes::tellRefusal() {
    if (!refused_) {
        return;
    }
    refused_ = false;
    context_.dialogs.fail(ledgora::kBadEntry);
    Grille->setFocus();
}

void TAlarmes::nextMaximum() {
    if (refused_) {
        return; // stays on the cell the user has to type again
    }
    const QModelIndex next = model_->indexOf(model_->gridRowOf(Grille->currentIndex()) + 1,
                                             ledgora::budget_col::Maximum);
    if (next.isValid()) {
        Grille->setCurrentIndex(next);
    }
}

void TAlarmes::OKClick() {
    commitOpenEditor();
    if (refused_) {
        tellRefusal(); // the window stays open with what was typed before
        return;
    }
    if (!context_.alarm.replaceAll(table_.entries())) {
        // The window stays open, so that nothing typed is lost.
        context_.dialogs.fail(ledgora::settingsSaveError(context_.registry));
        return;
    }
    accept();
}

void TAlarmes::ImprimerClick() {
    commitOpenEditor();
    if (refused_) {
        tellRefusal();
        return;
    }
    GridPrinter printer(table_.grid(), look_,
                        ledgora::tablePrintSettings(context_.mainCaption,
                                                    windowTitle().toStdString(),
                                                    context_.blackAndWhite),
                        *clock_);
    printer.setLogo(windowparts::printLogo());
    printGrid(this, printer, printDialog_);
}
