// What the loan window and the two placement windows share: the panel of four numeric
// fields of which "Calculer :" picks the one to solve (hidden with its label, and for the
// duration with its unit buttons), "Calculer", "Imprimer", "Fermer", and the result grid
// beside it. Every rule is the SolverForm's; the window reads the fields, shows the grid
// and the messages, and moves the focus.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QDialog>

#include "fincalc/CalculatorGridLook.h"
#include "fincalc/SolverForm.h"
#include "ui/PrintCommand.h"

class GridModel;
class GridView;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TFloatEdit;

namespace platform {
class Dialogs;
}

class SolverWindow : public QDialog {
    Q_OBJECT
public:
    ~SolverWindow() override;

    const fincalc::SolverForm& form() const { return *form_; }
    GridView* grid() const { return Grille; }
    // The field of `field`, and the label beside it.
    TFloatEdit* edit(fincalc::Field field) const;
    QLabel* label(fincalc::Field field) const;
    // The entry of "Calculer :" chosen, 0 to 3.
    int entry() const;

    // Whether prints are in black and white, asked at each print (the main window's option).
    void setBlackAndWhite(std::function<bool()> on) { blackAndWhite_ = std::move(on); }
    // Replaces the print dialog (tests print to a PDF file through it).
    void setPrintDialog(PrintDialogRun ask) { printDialog_ = std::move(ask); }

public slots:
    // Choosing an entry of "Calculer :": the solved field goes, the others show, the focus
    // goes to the first one shown.
    void RadioGroup1Click(int entry);
    // "Calculer".
    void SpeedButton1Click();
    // "Imprimer": the result grid through the print dialog.
    void PrintBtnClick();

protected:
    // `form` holds the rules and the grid; `dialogs` shows the messages (not owned).
    SolverWindow(std::unique_ptr<fincalc::SolverForm> form, platform::Dialogs& dialogs,
                 QWidget* parent);

private:
    QWidget* buildPanel();
    void buildGrid();
    fincalc::Field solvedField() const;
    void clearGridSelection();

    std::unique_ptr<fincalc::SolverForm> form_;
    platform::Dialogs& dialogs_;
    fincalc::CalculatorGridLook colourLook_;
    std::function<bool()> blackAndWhite_;
    PrintDialogRun printDialog_;
    GridModel* model_ = nullptr;

    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* entries_ = nullptr;
    std::array<TFloatEdit*, 4> edits_{};
    std::array<QLabel*, 4> labels_{};
    QLabel* PercentLabel = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    GridView* Grille = nullptr;
};
