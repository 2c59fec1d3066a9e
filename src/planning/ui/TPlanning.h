// The monthly planning window `TPlanning`: the open account's planned operations on the
// shared grid view, their totals under it, the line, search, print and tools menus. One
// window lives for the whole run and only hides when closed; it shows whatever grid it was
// given, and every rule it applies is PlanningSheet's.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "planning/PlanningLook.h"
#include "planning/PlanningSheet.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "register/Grid.h"
#include "register/NameList.h"
#include "register/PrintSettings.h"
#include "ui/PrintCommand.h"

class GridModel;
class QAction;
class QLabel;
class QMenuBar;
class QModelIndex;
class QPushButton;
class RegisterView;

// What the window needs beside its grid; everything is borrowed or read when needed.
struct PlanningWindowLinks {
    ledgora::NameList& categories;
    ledgora::NameList& modes;
    platform::Dialogs& dialogs;
    const platform::Clock& clock;
    // The caption and the currency of the open account, read at each opening.
    std::function<std::string()> caption;
    std::function<bool()> euros;
    // The user's accounts other than the open one, for the transfer question.
    std::function<std::vector<std::string>()> otherAccounts;
    // The black-and-white printing option: read at each print, set by the preview's switch.
    std::function<bool()> blackAndWhite;
    std::function<void(bool)> setBlackAndWhite;
    // "&Calculatrice..." and "Con&vertisseur Francs <-> Euros...", as the main window opens
    // them; the converter is modal over the window given.
    std::function<void()> calculator;
    std::function<void(QWidget* over)> converter;
};

class TPlanning : public QDialog {
    Q_OBJECT
public:
    // `grid` is the planning of the open account, kept for the whole run by its owner.
    TPlanning(ledgora::Grid& grid, PlanningWindowLinks links, QWidget* parent = nullptr);
    ~TPlanning() override;

    // "&Opérations mensuelles planifiées...": the planning as it is now, shown modally over
    // the main window until "OK" or "&Fermer" hides it.
    void Execute();
    // The opening without the modal loop: rows, caption, currency picture and totals.
    void prepare();

    RegisterView* grid() const { return Grille; }
    GridModel* model() const { return model_; }
    const ledgora::PlanningSheet& sheet() const { return sheet_; }
    QLabel* debitsLabel() const { return DebitsLabel; }
    QLabel* creditsLabel() const { return CreditsLabel; }
    // Replaces the print dialog (tests print to a file without it).
    void setPrintDialog(PrintDialogRun ask) { printDialog_ = std::move(ask); }

public slots:
    void OKClick();
    void Ajouter1Click();
    void Inserer1Click();
    void Supprimer1Click();
    void Nettoyer1Click();
    void Chercher1Click();
    void Suivant1Click();
    void Imprimer1Click();
    void Apercu1Click();
    void Calculatrice1Click();
    void Convertisseur1Click();

protected:
    // A cell still being edited goes in before the window hides.
    void done(int result) override;

private:
    void createMenus(QMenuBar* menus);
    void GrilleClickCell(const QModelIndex& index);
    void LignesMenuShow();
    void commit(int row, int column, const std::string& text);
    void commitOpenEditor();
    void updateTotals();
    int currentRow() const;
    void showFound(const std::optional<ledgora::CellPosition>& found);
    ledgora::PrintSettings printSettings() const;

    ledgora::Grid& grid_;
    PlanningWindowLinks links_;
    ledgora::PlanningSheet sheet_;
    ledgora::PlanningLook look_;
    PrintDialogRun printDialog_;

    GridModel* model_ = nullptr;
    RegisterView* Grille = nullptr;
    QLabel* DebitsLabel = nullptr;
    QLabel* CreditsLabel = nullptr;
    QLabel* MonnaieImage = nullptr;
    QPushButton* OK = nullptr;
    QAction* Apercu1 = nullptr;
    QAction* Imprimer1 = nullptr;
    QAction* Fermer1 = nullptr;
    QAction* Ajouter1 = nullptr;
    QAction* Inserer1 = nullptr;
    QAction* Supprimer1 = nullptr;
    QAction* Nettoyer1 = nullptr;
    QAction* Chercher1 = nullptr;
    QAction* Suivant1 = nullptr;
    QAction* Calculatrice1 = nullptr;
    QAction* Convertisseur1 = nullptr;
};
