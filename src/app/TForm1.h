// The main window: the register of the open account with its menus, toolbar and status
// bar. A view of the Workspace that main() built: it shows the workspace's state and
// forwards every command to it; the rules live in the workspace, the account session and
// the register's core.
#pragma once

#include <memory>
#include <optional>

#include <QMainWindow>

#include "register/GridSearch.h"
#include "register/ui/QtBackupForms.h"
#include "register/ui/QtExportForms.h"
#include "register/ui/RegisterView.h"
#include "ui/PrintCommand.h"
#include "workspace/Workspace.h"

namespace ledgora {
class AutomaticEntry;
class ReportCommands;
enum class ReportId;
} // namespace ledgora
class QtReportForms;
class SessionReports;

namespace trellisk {
struct ITrellisk;
}
class HelpWindow;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QStackedWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QtAutoSaveTimer;
class RegisterDelegate;
class RegisterModel;
class TBordereau;
class TCalculat;
class TPlanning;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // A view of `workspace`, started (see AppServices), which outlives the window.
    explicit TForm1(ledgora::Workspace& workspace);
    ~TForm1() override;

    // Shows the window as it was left: maximised, or at its saved place and size.
    void showAsSaved();

    ledgora::Workspace& workspace() { return workspace_; }
    QTableView* grid() const { return Grille; }
    RegisterModel* model() const { return model_; }
    QString balanceText() const;
    QString reconciledText() const;
    TCalculat* calculator() const { return calculat_.get(); }
    // The builder object, held for the whole run; null when it could not be created.
    trellisk::ITrellisk* builder() const { return workspace_.builder(); }
    HelpWindow* helpWindow() const { return help_; }
    TPlanning* planningWindow() const { return planning_; }
    QtAutoSaveTimer* autoSaveTimer() const { return autoSave_; }

    // Tests replace the export's save dialog, the backup's folder chooser and offer at
    // closing, and the print dialog; the window does not own what it is given.
    void setExportForms(ledgora::ExportForms* forms) { exportForms_ = forms; }
    void setBackupForms(ledgora::BackupForms* forms) { backupForms_ = forms; }
    void setBackupOffer(ledgora::BackupOfferForm* offer) { backupOffer_ = offer; }
    void setPrintDialog(PrintDialogRun ask) { printDialog_ = std::move(ask); }

public slots:
    void Choisir1Click();
    void Nouveau2Click();
    void Supprimer2Click();
    void Nouveau1Click();
    void Ouvrir1Click();
    void Supprimer1Click();
    void Enregistrer1Click();
    void Enregistrersous1Click();
    void Exporter1Click();
    void Faireunecopiedesauvegarde1Click();
    void Restaurerunecopiedesauvegarde1Click();
    void Aperuavantimpression1Click();
    void Imprimer1Click();
    void ExporterversPalm1Click();
    void ImporterdepuisPalm1Click();
    void Ajouter1Click();
    void Inserer1Click();
    void SupprimerLigne1Click();
    void Nettoyer1Click();
    void CopierClick();
    void CouperClick();
    void CollerClick();
    void Chercher1Click();
    void Suivant1Click();
    void RubriquesModes1Click();
    void Franc1Click();
    void Euro1Click();
    void MonnaieBtnClick();
    void Calculatrice1Click();
    void ConvertisseurFrancsEuros1Click();
    void Crdits1Click();
    void Placementsintrtssimples1Click();
    void Placementsintrtscomposs1Click();
    void RapprochMnuClick();
    void PlanningMnuClick();
    void BordereauMnuClick();
    void Motdepasse1Click();
    void Sons1Click();
    void Enregistrementautomatique1Click();
    void Proposersauvegardeenquittant1Click();
    // The autosave timer's tick: the open account is saved, nothing without one.
    void AutoSaveTimerTimer();
    void NoirEtBlanc1Click();
    void Aide1Click();
    void Apropos1Click();
    void Miseajour1Click();
    void SiteWeb1Click();
    void Alarmesbudgtaires1Click();
    void ReportClick(ledgora::ReportId id);
    void Progressiondusolde1Click();
    void Soldesdetouslescomptes1Click();
    // A later copy of the program was started.
    void bringToFront();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createGrid();
    void FormActivate();
    void GrilleClickCell(const QModelIndex& index);
    // After every command: the register, caption, pictures, menus and status bar follow.
    void refresh(bool reloadRegister = true);
    void updateMenus();
    void LignesMenuShow();
    void updateStatusBar();
    void scrollToEnd();
    // After rows were inserted or removed in the middle: the view follows, the cursor
    // stays on the same grid row where it can.
    void reloadKeepingCursor(int gridRow);
    int currentGridRow() const;
    void updateLineButtons();
    void showFound(const std::optional<ledgora::CellPosition>& found);
    // The selected rectangle in grid coordinates: top, left, bottom, right.
    bool selectedRect(int& top, int& left, int& bottom, int& right) const;
    ledgora::WindowPlacement placement() const;
    bool printerAvailable() const;
    // The options' ticks in the menus and the autosave timer, after start and restore.
    void showOptions();
    // Runs `use` with a printer of the register as it is shown, in the print settings.
    void withRegisterPrinter(const std::function<void(GridPrinter&)>& use);
    // The "&Etats et graphiques" menu, the alarms item and their toolbar buttons.
    void createReportActions();
    void createReportMenu();
    // The planning window, the linked transfers and the automatic entry after an opening.
    void createPlanning();
    void enterScheduledOperations();

    ledgora::Workspace& workspace_;
    QtExportForms qtExportForms_;
    QtBackupForms qtBackupForms_;
    ledgora::ExportForms* exportForms_ = &qtExportForms_;
    ledgora::BackupForms* backupForms_ = &qtBackupForms_;
    ledgora::BackupOfferForm* backupOffer_ = &qtBackupForms_;
    PrintDialogRun printDialog_;
    QtAutoSaveTimer* autoSave_ = nullptr;
    bool firstActivation_ = true;

    RegisterModel* model_ = nullptr;
    RegisterDelegate* delegate_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    RegisterView* Grille = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QLabel* SoldePointeLabel = nullptr;
    QLabel* SoldeLabel = nullptr;
    QLabel* MonnaieImage = nullptr;
    HelpWindow* help_ = nullptr;
    // A window of its own, with no owner window, so that it can stay above every
    // application's windows.
    std::unique_ptr<TCalculat> calculat_;
    // The deposit slip window lives for the whole run; it is rebuilt at each opening.
    TBordereau* bordereau_ = nullptr;
    const platform::Clock& clock_;
    // The reports on the open account.
    std::unique_ptr<SessionReports> reported_;
    std::unique_ptr<QtReportForms> reportForms_;
    std::unique_ptr<ledgora::ReportCommands> reports_;
    // The planning window lives for the whole run; automatic entry runs after each opening
    // and writes the twins of planned transfers through the workspace's transfers.
    TPlanning* planning_ = nullptr;
    std::unique_ptr<ledgora::AutomaticEntry> entry_;

    QMenu* Compte1 = nullptr;
    QMenu* Monnaie1 = nullptr;
    QMenu* Lignes1 = nullptr;
    QMenu* Recherche1 = nullptr;
    QMenu* Outils1 = nullptr;
    QMenu* Options1 = nullptr;
    QAction* Choisir1 = nullptr;
    QAction* Nouveau2 = nullptr;
    QAction* Supprimer2 = nullptr;
    QAction* Nouveau1 = nullptr;
    QAction* Ouvrir1 = nullptr;
    QAction* Supprimer1 = nullptr;
    QAction* Enregistrer1 = nullptr;
    QAction* Enregistrersous1 = nullptr;
    QAction* Exporter1 = nullptr;
    QAction* Faireunecopiedesauvegarde1 = nullptr;
    QAction* Restaurerunecopiedesauvegarde1 = nullptr;
    QAction* Aperuavantimpression1 = nullptr;
    QAction* Imprimer1 = nullptr;
    QAction* ImprimerBtn = nullptr;
    QAction* Enregistrementautomatique1 = nullptr;
    QAction* Proposersauvegardeenquittant1 = nullptr;
    QAction* ExporterversPalm1 = nullptr;
    QAction* ImporterdepuisPalm1 = nullptr;
    QAction* Quitter1 = nullptr;
    QAction* Ajouter1 = nullptr;
    QAction* Inserer1 = nullptr;
    QAction* SupprimerLigne1 = nullptr;
    QAction* Nettoyer1 = nullptr;
    QAction* Chercher1 = nullptr;
    QAction* Suivant1 = nullptr;
    QAction* RubriquesModes1 = nullptr;
    QAction* CopierBtn = nullptr;
    QAction* CollerBtn = nullptr;
    QAction* ChercherBtn = nullptr;
    QAction* SupprimerBtn = nullptr;
    QAction* Franc1 = nullptr;
    QAction* Euro1 = nullptr;
    QAction* Calculatrice1 = nullptr;
    QAction* ConvertisseurFrancsEuros1 = nullptr;
    QAction* Crdits1 = nullptr;
    QAction* Placementsintrtssimples1 = nullptr;
    QAction* Placementsintrtscomposs1 = nullptr;
    QAction* RapprochMnu = nullptr;
    QAction* PlanningMnu = nullptr;
    QAction* BordereauMnu = nullptr;
    QAction* Motdepasse1 = nullptr;
    QAction* Sons1 = nullptr;
    QAction* NoirEtBlanc1 = nullptr;
    QAction* Aide1 = nullptr;
    QAction* Apropos1 = nullptr;
    QAction* Miseajour1 = nullptr;
    QAction* SiteWeb1 = nullptr;
    QAction* OuvrirBtn = nullptr;
    QAction* MonnaieBtn = nullptr;
    QAction* AideBtn = nullptr;
    QAction* QuitterBtn = nullptr;
    QMenu* Etats1 = nullptr;
    QMenu* Budgetmoyen1 = nullptr;
    QMenu* Ventilation1 = nullptr;
    QAction* Alarmesbudgtaires1 = nullptr;
    QAction* AlarmesBtn = nullptr;
    QAction* Progressiondusolde1 = nullptr;
    QAction* Soldesdetouslescomptes1 = nullptr;
    QAction* BudgetBtn = nullptr;
    QAction* ProgressionBtn = nullptr;
};
