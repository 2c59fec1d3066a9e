#include "planning/ui/TPlanning.h"

#include <algorithm>

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "planning/ui/WindowParts.h"
#include "register/CellRules.h"
#include "register/ui/RegisterDelegate.h"
#include "register/ui/RegisterView.h"
#include "ui/GridModel.h"
#include "ui/GridPrinter.h"
#include "ui/Pictures.h"
#include "ui/TPagePreview.h"
#include "ui/Tfinddlg.h"

using windowparts::q;

namespace {

// The planning grid with each payment mode's picture beside it, as in the register.
class PlanningModel : public GridModel {
public:
    using GridModel::GridModel;

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DecorationRole && index.isValid() &&
            gridColumnOf(index) == ledgora::planning_col::Mode) {
            const QIcon icon = pictures::paymentMode(
                ledgora::paymentModePicture(grid().at(gridRowOf(index), gridColumnOf(index))));
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        return GridModel::data(index, role);
    }
};

// Each column's contents plus this many pixels, at creation.
constexpr int kColumnMargin = 50;

QString total(const char* label, ledgora::Cents amount, ledgora::Rgb colour) {
    return QStringLiteral("%1 <b><span style=\"color:rgb(%2,%3,%4)\">%5</span></b>")
        .arg(QString::fromUtf8(label))
        .arg(colour.r)
        .arg(colour.g)
        .arg(colour.b)
        .arg(q(ledgora::formatCents(amount)));
}

} // namespace

TPlanning::TPlanning(ledgora::Grid& grid, PlanningWindowLinks links, QWidget* parent)
    : QDialog(parent), grid_(grid), links_(std::move(links)),
      sheet_(grid_, links_.categories, links_.modes, links_.dialogs, links_.otherAccounts) {
    setObjectName(QStringLiteral("TPlanning"));
    // Modal over the main window only: the calculator, a window of its own, stays usable.
    setWindowModality(Qt::WindowModal);
    auto* menus = new QMenuBar(this);
    createMenus(menus);

    model_ = new PlanningModel(grid_, look_, this);
    model_->setEditing(
        [this](int row, int column) { return sheet_.mayEdit(row, column); },
        [this](int row, int column, const std::string& text) { commit(row, column, text); });
    auto* delegate = new RegisterDelegate(links_.categories, links_.modes, links_.dialogs);
    delegate->setEditorKinds(ledgora::planningEditorKind);
    Grille = new RegisterView(delegate, -1, this);
    Grille->setObjectName(QStringLiteral("Grille"));
    Grille->setGridModel(model_);
    Grille->verticalHeader()->setFixedWidth(40);
    Grille->setSortByColumn([this](int column) {
        sheet_.sortBy(column);
        model_->gridReplaced();
    });
    connect(Grille, &QAbstractItemView::clicked, this, &TPlanning::GrilleClickCell);

    DebitsLabel = new QLabel(this);
    DebitsLabel->setObjectName(QStringLiteral("DebitsLabel"));
    CreditsLabel = new QLabel(this);
    CreditsLabel->setObjectName(QStringLiteral("CreditsLabel"));
    MonnaieImage = new QLabel(this);
    MonnaieImage->setObjectName(QStringLiteral("MonnaieImage"));
    OK = windowparts::button(this, "OK", QStringLiteral("OK"));
    // Enter belongs to the grid's cells, never to the button.
    OK->setAutoDefault(false);
    connect(OK, &QPushButton::clicked, this, &TPlanning::OKClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DebitsLabel);
    bottom->addSpacing(24);
    bottom->addWidget(CreditsLabel);
    bottom->addStretch(1);
    bottom->addWidget(OK);
    bottom->addSpacing(8);
    bottom->addWidget(MonnaieImage);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(Grille, 1);
    layout->addLayout(bottom);
    resize(760, 440);

    windowparts::fitColumns(*Grille, kColumnMargin);
    Grille->horizontalHeader()->setStretchLastSection(true);
    updateTotals();
}

TPlanning::~TPlanning() {
    // The view goes while the grid it shows is certainly there.
    delete Grille;
    Grille = nullptr;
}

void TPlanning::createMenus(QMenuBar* menus) {
    const auto action = [this](const char* name, const QString& text, auto slot,
                               const QKeySequence& keys = {}) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        addAction(a); // the keys work with the menus closed
        return a;
    };
    Apercu1 = action("Apercu1", QStringLiteral("&Aperçu avant impression..."),
                     &TPlanning::Apercu1Click, QKeySequence(QStringLiteral("Ctrl+A")));
    Imprimer1 = action("Imprimer1", QStringLiteral("&Imprimer..."), &TPlanning::Imprimer1Click,
                       QKeySequence(QStringLiteral("Ctrl+P")));
    Fermer1 = action("Fermer1", QStringLiteral("&Fermer"), &TPlanning::OKClick);
    Ajouter1 = action("Ajouter1", QStringLiteral("&Ajouter"), &TPlanning::Ajouter1Click,
                      QKeySequence(QStringLiteral("F6")));
    Inserer1 = action("Inserer1", QStringLiteral("&Insérer après la ligne courante"),
                      &TPlanning::Inserer1Click, QKeySequence(QStringLiteral("F7")));
    Supprimer1 = action("Supprimer1", QStringLiteral("&Supprimer..."), &TPlanning::Supprimer1Click,
                        QKeySequence(QStringLiteral("F8")));
    Nettoyer1 = action("Nettoyer1", QStringLiteral("Supprimer les lignes &vierges inutiles"),
                       &TPlanning::Nettoyer1Click, QKeySequence(QStringLiteral("F9")));
    Chercher1 = action("Chercher1", QStringLiteral("&Chercher..."), &TPlanning::Chercher1Click,
                       QKeySequence(QStringLiteral("Ctrl+F")));
    Suivant1 = action("Suivant1", QStringLiteral("&Suivant"), &TPlanning::Suivant1Click,
                      QKeySequence(QStringLiteral("F3")));
    Calculatrice1 =
        action("Calculatrice1", QStringLiteral("&Calculatrice..."), &TPlanning::Calculatrice1Click);
    Calculatrice1->setIcon(pictures::icon(QStringLiteral("calculatrice")));
    Convertisseur1 = action("Convertisseur1", QStringLiteral("Con&vertisseur Francs <-> Euros..."),
                            &TPlanning::Convertisseur1Click);

    QMenu* fichier = menus->addMenu(QStringLiteral("&Fichier"));
    fichier->addActions({Apercu1, Imprimer1});
    fichier->addSeparator();
    fichier->addAction(Fermer1);
    QMenu* lignes = menus->addMenu(QStringLiteral("&Lignes"));
    lignes->addActions({Ajouter1, Inserer1, Supprimer1, Nettoyer1});
    connect(lignes, &QMenu::aboutToShow, this, &TPlanning::LignesMenuShow);
    // Out of the menu, the keys stay live and the commands answer for themselves.
    connect(lignes, &QMenu::aboutToHide, this, [this] {
        Inserer1->setEnabled(true);
        Supprimer1->setEnabled(true);
    });
    QMenu* recherche = menus->addMenu(QStringLiteral("&Recherche"));
    recherche->addActions({Chercher1, Suivant1});
    QMenu* outils = menus->addMenu(QStringLiteral("Ou&tils"));
    outils->addActions({Calculatrice1, Convertisseur1});
}

void TPlanning::prepare() {
    model_->gridReplaced();
    setWindowTitle(q(links_.caption ? links_.caption() : std::string()));
    const bool euros = !links_.euros || links_.euros();
    MonnaieImage->setPixmap(pictures::currency(euros).pixmap(24, 24));
    updateTotals();
    Grille->setCurrentIndex(model_->indexOf(1, ledgora::planning_col::Day));
    Grille->setFocus();
}

void TPlanning::Execute() {
    prepare();
    exec();
}

void TPlanning::done(int result) {
    commitOpenEditor();
    QDialog::done(result);
}

void TPlanning::OKClick() {
    accept();
}

void TPlanning::commitOpenEditor() {
    QWidget* editor = Grille->indexWidget(Grille->currentIndex());
    if (editor != nullptr) {
        emit Grille->itemDelegate()->commitData(editor);
        emit Grille->itemDelegate()->closeEditor(editor);
    }
}

int TPlanning::currentRow() const {
    const QModelIndex current = Grille->currentIndex();
    return current.isValid() ? model_->gridRowOf(current) : -1;
}

void TPlanning::commit(int row, int column, const std::string& text) {
    const int before = grid_.rowCount();
    sheet_.validateCell(row, column, text);
    if (grid_.rowCount() > before) {
        model_->gridRowsInserted(before, grid_.rowCount() - before);
    }
    // The day may have been emptied, the notes marked, the amount rewritten.
    model_->gridCellsChanged(row, 0, ledgora::planning_col::Count - 1);
    updateTotals();
}

void TPlanning::GrilleClickCell(const QModelIndex& index) {
    const int row = model_->gridRowOf(index);
    const int column = model_->gridColumnOf(index);
    if (!sheet_.mayEdit(row, column)) {
        return;
    }
    if (const auto proposal = sheet_.clickFill(row, column)) {
        Grille->propose(index, q(*proposal));
    }
}

void TPlanning::updateTotals() {
    const ledgora::PlanningTotals t = sheet_.totals();
    DebitsLabel->setText(total("Débits :", t.debits, ledgora::colors::kDebit));
    CreditsLabel->setText(total("Crédits :", t.credits, ledgora::colors::kCredit));
}

void TPlanning::LignesMenuShow() {
    const int row = currentRow();
    Inserer1->setEnabled(sheet_.canInsertAfter(row));
    Supprimer1->setEnabled(sheet_.canDelete(row));
}

void TPlanning::Ajouter1Click() {
    const int before = grid_.rowCount();
    sheet_.appendLine();
    model_->gridRowsInserted(before, grid_.rowCount() - before);
}

void TPlanning::Inserer1Click() {
    const int row = currentRow();
    if (sheet_.insertLineAfter(row)) {
        model_->gridRowsInserted(row + 1, 1);
    }
}

void TPlanning::Supprimer1Click() {
    const int row = currentRow();
    const int column = Grille->currentIndex().column();
    if (!sheet_.deleteLine(row)) {
        return;
    }
    model_->gridReplaced();
    updateTotals();
    Grille->setCurrentIndex(
        model_->index(std::clamp(row, 1, model_->rowCount()) - 1, std::max(column, 0)));
}

void TPlanning::Nettoyer1Click() {
    sheet_.cleanUp();
    model_->gridReplaced();
}

void TPlanning::showFound(const std::optional<ledgora::CellPosition>& found) {
    if (!found) {
        return; // the sheet said so
    }
    const QModelIndex cell = model_->indexOf(found->row, found->column);
    Grille->setCurrentIndex(cell);
    Grille->selectionModel()->select(
        QItemSelection(model_->indexOf(found->row, ledgora::planning_col::Day),
                       model_->indexOf(found->row, ledgora::planning_col::Shown - 1)),
        QItemSelectionModel::ClearAndSelect);
    Grille->scrollTo(cell);
}

void TPlanning::Chercher1Click() {
    Tfinddlg dialog(sheet_.search().options(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const ledgora::CellPosition at = Grille->searchStart(ledgora::planning_col::Day);
    showFound(sheet_.find(dialog.options(), at));
}

void TPlanning::Suivant1Click() {
    if (!sheet_.search().hasSearched()) {
        Chercher1Click();
        return;
    }
    showFound(sheet_.findNext());
}

ledgora::PrintSettings TPlanning::printSettings() const {
    return ledgora::registerPrintSettings(windowTitle().toStdString(),
                                          links_.blackAndWhite && links_.blackAndWhite());
}

void TPlanning::Imprimer1Click() {
    commitOpenEditor();
    GridPrinter printer(grid_, look_, printSettings(), links_.clock);
    printGrid(this, printer, printDialog_);
}

void TPlanning::Apercu1Click() {
    commitOpenEditor();
    GridPrinter printer(grid_, look_, printSettings(), links_.clock);
    TPagePreview preview(
        this, printer, [&] { printGrid(&preview, printer, printDialog_); },
        [this](bool on) {
            if (links_.setBlackAndWhite) {
                links_.setBlackAndWhite(on);
            }
        });
    preview.exec();
}

void TPlanning::Calculatrice1Click() {
    if (links_.calculator) {
        links_.calculator();
    }
}

void TPlanning::Convertisseur1Click() {
    if (links_.converter) {
        links_.converter(this);
    }
}
