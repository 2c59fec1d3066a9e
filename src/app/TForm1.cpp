#include "app/TForm1.h"

#include <filesystem>
#include <map>

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/TAboutBox.h"
#include "app/Version.h"
#include "banktools/ui/TBordereau.h"
#include "banktools/ui/TRapproch.h"
#include "builder/ITrellisk.h"
#include "calculator/ui/TCalculat.h"
#include "fincalc/ui/TConvert.h"
#include "fincalc/ui/TCredit.h"
#include "fincalc/ui/TIntComp.h"
#include "fincalc/ui/TIntSimp.h"
#include "handheld/ui/QtPalmUserChooser.h"
#include "money/Amount.h"
#include "planning/AutomaticEntry.h"
#include "planning/BudgetAlarm.h"
#include "planning/PlanningSheet.h"
#include "planning/TransferRules.h"
#include "planning/Transfers.h"
#include "planning/ui/TAlarmes.h"
#include "planning/ui/TPlanning.h"
#include "platform/Paths.h"
#include "register/AccountNames.h"
#include "register/CellClipboard.h"
#include "register/CellRules.h"
#include "register/ExportCommand.h"
#include "register/PrintSettings.h"
#include "register/RegisterColumns.h"
#include "register/RegisterLook.h"
#include "register/RegisterRows.h"
#include "register/ui/QtAutoSaveTimer.h"
#include "register/ui/RegisterDelegate.h"
#include "register/ui/RegisterModel.h"
#include "register/ui/RegisterView.h"
#include "register/ui/TAutoSave.h"
#include "register/ui/TRubMod.h"
#include "reports/ReportCommands.h"
#include "reports/ui/QtReportForms.h"
#include "ui/HelpWindow.h"
#include "ui/Pictures.h"
#include "ui/ProgressDialog.h"
#include "ui/TPagePreview.h"
#include "ui/Tfinddlg.h"
#include "ui/WindowPlace.h"
#include "workspace/WorkspaceBackup.h"

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QString amountHtml(const QString& label, double value) {
    const ledgora::Rgb c = ledgora::amountColor(value);
    return QStringLiteral("%1 <span style=\"color:rgb(%2,%3,%4)\">%5</span>")
        .arg(label)
        .arg(c.r)
        .arg(c.g)
        .arg(c.b)
        .arg(q(ledgora::formatAmount(value)));
}

// The hourglass of a handheld database step.
void showHourglass(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

// The count of the files a backup or a restore copies, from the first file to the last
// (the message that follows is shown without it).
ledgora::BackupProgress fileProgress(QWidget* parent, const QString& caption,
                                     std::unique_ptr<ProgressDialog>& shown) {
    return [parent, caption, &shown](int done, int total) {
        if (done >= total) {
            shown.reset();
            return;
        }
        if (!shown) {
            shown = std::make_unique<ProgressDialog>(parent, caption, QStringLiteral("Fichier"));
        }
        shown->step(done, total);
    };
}

} // namespace

// The open account as the reports see it: its register put in date order with the
// validation off, then shown again by the window.
class SessionReports : public ledgora::ReportedAccount {
public:
    SessionReports(ledgora::Workspace& workspace, std::function<void()> replaced)
        : workspace_(workspace), replaced_(std::move(replaced)) {}

    const ledgora::Grid& prepareRegister() override {
        auto& session = workspace_.session();
        session.setValidating(false);
        ledgora::prepareForReports(session.grid());
        session.setValidating(true);
        session.registerRewritten();
        replaced_();
        return session.grid();
    }
    const ledgora::Grid& grid() const override { return workspace_.session().grid(); }
    bool euros() const override { return workspace_.session().euros(); }
    const std::string& user() const override { return workspace_.session().user(); }
    const std::string& account() const override { return workspace_.session().account(); }
    std::string caption() const override { return workspace_.caption(); }
    bool save() override { return workspace_.session().save(); }

private:
    ledgora::Workspace& workspace_;
    std::function<void()> replaced_;
};

TForm1::TForm1(ledgora::Workspace& workspace)
    : workspace_(workspace), qtExportForms_(this), qtBackupForms_(this), clock_(workspace.clock()) {
    Q_INIT_RESOURCE(icons); // the pictures are linked in from a static library
    reported_ = std::make_unique<SessionReports>(workspace_, [this] { refresh(); });
    reportForms_ = std::make_unique<QtReportForms>(this, workspace_.budgets(),
                                                   [this] { return workspace_.caption(); });
    reportForms_->setBlackAndWhite([this] { return workspace_.options().bw; });
    reports_ = std::make_unique<ledgora::ReportCommands>(
        *reported_, *reportForms_,
        ledgora::ReportServices{workspace_.registry(), workspace_.paths(), workspace_.dialogs(),
                                workspace_.budgets()});
    setWindowIcon(pictures::logo());
    resize(640, 480);

    createActions();
    createReportActions();
    createMenus();
    createReportMenu();
    createToolBar();
    createGrid();
    createStatusBar();

    autoSave_ = new QtAutoSaveTimer([this] { AutoSaveTimerTimer(); }, this);
    showOptions();
    const auto maj = workspace_.paths().programFile("maj");
    Miseajour1->setVisible(QFileInfo(q(maj.string())).isExecutable());

    calculat_ = std::make_unique<TCalculat>(workspace_.registry(), workspace_.paths(), clock_,
                                            workspace_.dialogs());
    calculat_->setWindowIcon(pictures::icon(QStringLiteral("calculatrice")));
    bordereau_ = new TBordereau(workspace_, this);
    createPlanning();
    workspace_.setAccountCreatedView({[this] { refresh(); }, [this] { PlanningMnuClick(); },
                                      [this] { Alarmesbudgtaires1Click(); }});
    // A change of user closes the account before the next chooser opens: the caption and
    // the hidden register say so at once.
    workspace_.session().setClosedListener([this] { refresh(); });
    refresh();
}

TForm1::~TForm1() {
    workspace_.session().setClosedListener({});
    workspace_.accounts().setOpenedListener({});
    workspace_.setAccountCreatedView({});
    // The planning window shows the account's grid: it goes while that is there.
    delete planning_;
    planning_ = nullptr;
    calculat_.reset();
    // An editor still open would commit into the model while the window is destroyed.
    if (Grille != nullptr) {
        Grille->setModel(nullptr);
    }
    // The model listens to the account, which goes with the workspace before the window's
    // children do.
    delete model_;
    model_ = nullptr;
}

void TForm1::createActions() {
    // Actions are named after their menu item, so tests and scripts can find them.
    auto action = [this](const char* name, const QString& text, auto slot,
                         const QKeySequence& key = {}) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    Choisir1 = action("Choisir1", QStringLiteral("&Choisir..."), &TForm1::Choisir1Click);
    Nouveau2 = action("Nouveau2", QStringLiteral("&Nouveau..."), &TForm1::Nouveau2Click);
    Supprimer2 = action("Supprimer2", QStringLiteral("&Supprimer..."), &TForm1::Supprimer2Click);
    Nouveau1 = action("Nouveau1", QStringLiteral("&Nouveau..."), &TForm1::Nouveau1Click,
                      QKeySequence("Ctrl+N"));
    Ouvrir1 = action("Ouvrir1", QStringLiteral("&Ouvrir..."), &TForm1::Ouvrir1Click,
                     QKeySequence("Ctrl+O"));
    Supprimer1 = action("Supprimer1", QStringLiteral("&Supprimer..."), &TForm1::Supprimer1Click);
    Enregistrer1 = action("Enregistrer1", QStringLiteral("&Enregistrer"),
                          &TForm1::Enregistrer1Click, QKeySequence("Ctrl+S"));
    Enregistrersous1 = action("Enregistrersous1", QStringLiteral("En&registrer sous..."),
                              &TForm1::Enregistrersous1Click);
    ExporterversPalm1 =
        action("ExporterversPalm1", QStringLiteral("Exporter vers Palm et compatibles..."),
               &TForm1::ExporterversPalm1Click);
    ImporterdepuisPalm1 =
        action("ImporterdepuisPalm1", QStringLiteral("Importer depuis Palm et compatibles..."),
               &TForm1::ImporterdepuisPalm1Click);
    Quitter1 = action("Quitter1", QStringLiteral("&Quitter"), &QWidget::close);
    Exporter1 = action("Exporter1", QStringLiteral("E&xporter..."), &TForm1::Exporter1Click);
    Faireunecopiedesauvegarde1 =
        action("Faireunecopiedesauvegarde1", QStringLiteral("Faire une copie de sauvegarde..."),
               &TForm1::Faireunecopiedesauvegarde1Click);
    Restaurerunecopiedesauvegarde1 = action("Restaurerunecopiedesauvegarde1",
                                            QStringLiteral("Restaurer une copie de sauvegarde..."),
                                            &TForm1::Restaurerunecopiedesauvegarde1Click);
    Aperuavantimpression1 =
        action("Aperuavantimpression1", QStringLiteral("&Aperçu avant impression..."),
               &TForm1::Aperuavantimpression1Click, QKeySequence("Ctrl+A"));
    Imprimer1 = action("Imprimer1", QStringLiteral("&Imprimer..."), &TForm1::Imprimer1Click,
                       QKeySequence("Ctrl+P"));
    ImprimerBtn = action("ImprimerBtn", QStringLiteral("Imprimer"), &TForm1::Imprimer1Click);
    ImprimerBtn->setIcon(pictures::icon(QStringLiteral("imprimer")));
    Ajouter1 =
        action("Ajouter1", QStringLiteral("&Ajouter"), &TForm1::Ajouter1Click, QKeySequence("F6"));
    Inserer1 = action("Inserer1", QStringLiteral("&Insérer après la ligne courante"),
                      &TForm1::Inserer1Click, QKeySequence("F7"));
    SupprimerLigne1 = action("SupprimerLigne1", QStringLiteral("&Supprimer..."),
                             &TForm1::SupprimerLigne1Click, QKeySequence("F8"));
    Nettoyer1 = action("Nettoyer1", QStringLiteral("Supprimer les lignes &vierges inutiles"),
                       &TForm1::Nettoyer1Click, QKeySequence("F9"));
    Chercher1 = action("Chercher1", QStringLiteral("&Chercher..."), &TForm1::Chercher1Click,
                       QKeySequence("Ctrl+F"));
    Suivant1 =
        action("Suivant1", QStringLiteral("&Suivant"), &TForm1::Suivant1Click, QKeySequence("F3"));
    RubriquesModes1 =
        action("RubriquesModes1", QStringLiteral("&Rubriques et modes de paiement..."),
               &TForm1::RubriquesModes1Click);
    CopierBtn = action("CopierBtn", QStringLiteral("Copier"), &TForm1::CopierClick);
    CopierBtn->setIcon(pictures::icon(QStringLiteral("copier")));
    CollerBtn = action("CollerBtn", QStringLiteral("Coller"), &TForm1::CollerClick);
    CollerBtn->setIcon(pictures::icon(QStringLiteral("coller")));
    ChercherBtn = action("ChercherBtn", QStringLiteral("Chercher"), &TForm1::Chercher1Click);
    ChercherBtn->setIcon(pictures::icon(QStringLiteral("chercher")));
    SupprimerBtn =
        action("SupprimerBtn", QStringLiteral("Supprimer"), &TForm1::SupprimerLigne1Click);
    SupprimerBtn->setIcon(pictures::icon(QStringLiteral("supprimer")));
    Franc1 = action("Franc1", QStringLiteral("&Franc"), &TForm1::Franc1Click, QKeySequence("F11"));
    Euro1 = action("Euro1", QStringLiteral("&Euro"), &TForm1::Euro1Click, QKeySequence("F12"));
    auto* currency = new QActionGroup(this);
    for (QAction* a : {Franc1, Euro1}) {
        a->setCheckable(true);
        currency->addAction(a);
    }
    Calculatrice1 =
        action("Calculatrice1", QStringLiteral("&Calculatrice..."), &TForm1::Calculatrice1Click);
    Calculatrice1->setIcon(pictures::icon(QStringLiteral("calculatrice")));
    ConvertisseurFrancsEuros1 =
        action("ConvertisseurFrancsEuros1", QStringLiteral("Con&vertisseur Francs <-> Euros..."),
               &TForm1::ConvertisseurFrancsEuros1Click);
    Crdits1 = action("Crdits1", QStringLiteral("Cré&dits..."), &TForm1::Crdits1Click);
    Placementsintrtssimples1 =
        action("Placementsintrtssimples1", QStringLiteral("Placements à intérêts &simples..."),
               &TForm1::Placementsintrtssimples1Click);
    Placementsintrtscomposs1 =
        action("Placementsintrtscomposs1", QStringLiteral("Placements à &intérêts composés..."),
               &TForm1::Placementsintrtscomposs1Click);
    RapprochMnu = action("RapprochMnu", QStringLiteral("&Rapprochement automatique..."),
                         &TForm1::RapprochMnuClick);
    PlanningMnu = action("PlanningMnu", QStringLiteral("&Opérations mensuelles planifiées..."),
                         &TForm1::PlanningMnuClick);
    BordereauMnu = action("BordereauMnu", QStringLiteral("&Bordereau de remise de chèques..."),
                          &TForm1::BordereauMnuClick);
    Motdepasse1 =
        action("Motdepasse1", QStringLiteral("&Mot de passe..."), &TForm1::Motdepasse1Click);
    Sons1 = action("Sons1", QStringLiteral("&Sons"), &TForm1::Sons1Click);
    Sons1->setCheckable(true);
    NoirEtBlanc1 = action("NoirEtBlanc1", QStringLiteral("Imprimer en noir et &blanc"),
                          &TForm1::NoirEtBlanc1Click);
    NoirEtBlanc1->setCheckable(true);
    Enregistrementautomatique1 =
        action("Enregistrementautomatique1", QStringLiteral("&Enregistrement automatique..."),
               &TForm1::Enregistrementautomatique1Click);
    Proposersauvegardeenquittant1 =
        action("Proposersauvegardeenquittant1", QStringLiteral("Proposer sauvegarde en quittant"),
               &TForm1::Proposersauvegardeenquittant1Click);
    Proposersauvegardeenquittant1->setCheckable(true);
    Aide1 = action("Aide1", QStringLiteral("&Aide..."), &TForm1::Aide1Click);
    Apropos1 = action("Apropos1", QStringLiteral("A &propos..."), &TForm1::Apropos1Click);
    Miseajour1 = action("Miseajour1", QStringLiteral("&Mise à jour par Internet..."),
                        &TForm1::Miseajour1Click);
    SiteWeb1 =
        action("SiteWeb1",
               QStringLiteral("&Connexion au site web %1").arg(q(std::string(platform::kVendor))),
               &TForm1::SiteWeb1Click);

    OuvrirBtn = action("OuvrirBtn", QStringLiteral("Ouvrir"), &TForm1::Ouvrir1Click);
    OuvrirBtn->setIcon(pictures::icon(QStringLiteral("ouvrir")));
    MonnaieBtn = action("MonnaieBtn", QStringLiteral("Monnaie"), &TForm1::MonnaieBtnClick);
    AideBtn = action("AideBtn", QStringLiteral("Aide"), &TForm1::Aide1Click);
    AideBtn->setIcon(pictures::icon(QStringLiteral("aide")));
    QuitterBtn = action("QuitterBtn", QStringLiteral("Quitter"), &QWidget::close);
    QuitterBtn->setIcon(pictures::icon(QStringLiteral("quitter")));
}

void TForm1::createMenus() {
    Compte1 = menuBar()->addMenu(QStringLiteral("&Compte"));
    QMenu* utilisateur = Compte1->addMenu(QStringLiteral("&Utilisateur"));
    utilisateur->addActions({Choisir1, Nouveau2, Supprimer2});
    Compte1->addSeparator();
    Compte1->addActions({Nouveau1, Ouvrir1, Supprimer1});
    Compte1->addSeparator();
    Compte1->addActions({Enregistrer1, Enregistrersous1, Exporter1});
    Compte1->addSeparator();
    Compte1->addActions({ExporterversPalm1, ImporterdepuisPalm1});
    Compte1->addSeparator();
    Compte1->addActions({Faireunecopiedesauvegarde1, Restaurerunecopiedesauvegarde1});
    Compte1->addSeparator();
    Compte1->addActions({Aperuavantimpression1, Imprimer1});
    Compte1->addSeparator();
    Compte1->addAction(Quitter1);

    Recherche1 = menuBar()->addMenu(QStringLiteral("&Recherche"));
    Recherche1->addActions({Chercher1, Suivant1});

    Lignes1 = menuBar()->addMenu(QStringLiteral("&Lignes"));
    Lignes1->addActions({Ajouter1, Inserer1, SupprimerLigne1, Nettoyer1});

    Monnaie1 = menuBar()->addMenu(QStringLiteral("&Monnaie"));
    Monnaie1->addActions({Franc1, Euro1});

    Outils1 = menuBar()->addMenu(QStringLiteral("Ou&tils"));
    Outils1->addAction(Calculatrice1);
    Outils1->addAction(ConvertisseurFrancsEuros1);
    Outils1->addActions({Crdits1, Placementsintrtssimples1, Placementsintrtscomposs1});
    Outils1->addActions({RapprochMnu, PlanningMnu, BordereauMnu});

    Options1 = menuBar()->addMenu(QStringLiteral("&Options"));
    Options1->addActions({Motdepasse1, RubriquesModes1, Enregistrementautomatique1});
    Options1->addSeparator();
    Options1->addActions({Sons1, Proposersauvegardeenquittant1, NoirEtBlanc1});

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    help->addActions({Aide1, Apropos1});
    help->addSeparator();
    help->addActions({Miseajour1, SiteWeb1});

    // The state of the commands is worked out when a menu opens.
    for (QMenu* menu : {Compte1, Recherche1, Lignes1, Monnaie1, Outils1, Options1}) {
        connect(menu, &QMenu::aboutToShow, this, &TForm1::updateMenus);
    }
    connect(Lignes1, &QMenu::aboutToShow, this, &TForm1::LignesMenuShow);
    connect(Lignes1, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, &TForm1::updateMenus); });
}

void TForm1::createToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("Barre d'outils"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->addAction(OuvrirBtn);
    ToolBar1->addSeparator();
    ToolBar1->addActions({CopierBtn, CollerBtn, ChercherBtn, SupprimerBtn});
    ToolBar1->addSeparator();
    ToolBar1->addAction(ImprimerBtn);
    ToolBar1->addSeparator();
    ToolBar1->addAction(MonnaieBtn);
    ToolBar1->addSeparator();
    ToolBar1->addActions({BudgetBtn, ProgressionBtn, AlarmesBtn});
    ToolBar1->addSeparator();
    ToolBar1->addActions({AideBtn, QuitterBtn});
    for (QAction* a : ToolBar1->actions()) {
        if (QWidget* button = ToolBar1->widgetForAction(a);
            button != nullptr && !a->isSeparator()) {
            button->setFixedSize(65, 52);
        }
    }
}

void TForm1::createGrid() {
    auto& ws = workspace_;
    model_ = new RegisterModel(ws.session(), this);
    delegate_ = new RegisterDelegate(ws.categories(), ws.modes(), ws.dialogs());
    Grille = new RegisterView(delegate_, ledgora::col::Notes - 1, this);
    Grille->setObjectName(QStringLiteral("Grille"));
    Grille->setGridModel(model_);
    Grille->setSelectionMode(QAbstractItemView::ContiguousSelection);
    const ledgora::Rgb hint = ledgora::colors::kHint;
    Grille->setStyleSheet(QStringLiteral("QToolTip { background: rgb(%1,%2,%3); color: black; }")
                              .arg(hint.r)
                              .arg(hint.g)
                              .arg(hint.b));
    connect(Grille, &QTableView::clicked, this, &TForm1::GrilleClickCell);
    connect(model_, &RegisterModel::balancesChanged, this, &TForm1::updateStatusBar);
    connect(Grille->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TForm1::updateLineButtons);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        // A reset model comes with a new selection model.
        connect(Grille->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &TForm1::updateLineButtons, Qt::UniqueConnection);
    });
    // Clipboard keys of the register itself (an open cell editor keeps its own).
    const std::pair<QKeySequence, void (TForm1::*)()> keys[] = {
        {QKeySequence("Ctrl+C"), &TForm1::CopierClick},
        {QKeySequence("Ctrl+Insert"), &TForm1::CopierClick},
        {QKeySequence("Ctrl+V"), &TForm1::CollerClick},
        {QKeySequence("Shift+Insert"), &TForm1::CollerClick},
        {QKeySequence("Ctrl+X"), &TForm1::CouperClick},
        {QKeySequence("Shift+Delete"), &TForm1::CouperClick}};
    for (const auto& [key, slot] : keys) {
        auto* shortcut = new QShortcut(key, Grille);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    }
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &TForm1::updateLineButtons);

    pages_ = new QStackedWidget(this);
    auto* empty = new QWidget(pages_);
    auto* layout = new QVBoxLayout(empty);
    auto* logo = new QLabel(empty);
    logo->setPixmap(pictures::logo().pixmap(96, 96));
    logo->setAlignment(Qt::AlignCenter);
    layout->addStretch();
    layout->addWidget(logo);
    layout->addStretch();
    pages_->addWidget(empty);
    pages_->addWidget(Grille);
    setCentralWidget(pages_);
}

void TForm1::createStatusBar() {
    statusBar()->setFixedHeight(38);
    statusBar()->setSizeGripEnabled(true);
    SoldePointeLabel = new QLabel(this);
    SoldeLabel = new QLabel(this);
    MonnaieImage = new QLabel(this);
    statusBar()->addWidget(SoldePointeLabel, 1);
    statusBar()->addPermanentWidget(SoldeLabel);
    statusBar()->addPermanentWidget(MonnaieImage);
}

void TForm1::showAsSaved() {
    const ledgora::WindowPlacement& p = workspace_.placement();
    if (p.maximised) {
        showMaximized();
        return;
    }
    resize(p.width, p.height);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(p.x >= 0 ? p.x : (screen.width() - p.width) / 2,
         p.y >= 0 ? p.y : (screen.height() - p.height) / 2);
    show();
}

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && firstActivation_) {
        firstActivation_ = false;
        // Out of the event handler: the commands open modal dialogs.
        QTimer::singleShot(0, this, &TForm1::FormActivate);
    }
    return QMainWindow::event(e);
}

void TForm1::FormActivate() {
    if (workspace_.accounts().users().empty()) {
        workspace_.accounts().newUser();
    } else {
        workspace_.accounts().chooseUser();
    }
    refresh();
}

void TForm1::bringToFront() {
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

ledgora::WindowPlacement TForm1::placement() const {
    const QRect place = placeToSave(*this);
    return {place.x(), place.y(), place.width(), place.height(), isMaximized()};
}

bool TForm1::printerAvailable() const {
    // Printing to a PDF file is always possible, so printing never lacks a printer.
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A cell still being edited is committed before the account is saved; an impossible
    // date keeps the program open with its editor.
    QWidget* editor = Grille->indexWidget(Grille->currentIndex());
    if (editor != nullptr) {
        if (RegisterDelegate::refusesToClose(editor)) {
            delegate_->refuse(editor);
            event->ignore();
            return;
        }
        emit delegate_->commitData(editor);
        emit delegate_->closeEditor(editor);
    }
    // "Annuler" at the calculator's question about its page stops the quit.
    if (calculat_->isVisible() && !calculat_->close()) {
        event->ignore();
        return;
    }
    std::unique_ptr<ProgressDialog> shown;
    if (!ledgora::WorkspaceBackup(workspace_, *backupForms_)
             .queryClose(placement(), *backupOffer_,
                         fileProgress(this, QStringLiteral("Sauvegarde"), shown))) {
        event->ignore();
        return;
    }
    Proposersauvegardeenquittant1->setChecked(!workspace_.options().noBackupPrompt);
    autoSave_->stop();
    event->accept();
}

void TForm1::refresh(bool reloadRegister) {
    auto& session = workspace_.session();
    if (reloadRegister) {
        model_->reload();
    }
    const bool open = session.isOpen();
    pages_->setCurrentIndex(open ? 1 : 0);
    ToolBar1->setVisible(open);
    statusBar()->setVisible(open);
    setWindowTitle(q(workspace_.caption()));
    if (open) {
        Euro1->setChecked(session.euros());
        Franc1->setChecked(!session.euros());
    }
    MonnaieBtn->setIcon(pictures::currency(!open || session.euros()));
    updateMenus();
    updateStatusBar();
    if (reloadRegister && open) {
        scrollToEnd();
    }
}

void TForm1::updateMenus() {
    const ledgora::MenuState m = workspace_.menuState(printerAvailable());
    Choisir1->setEnabled(m.chooseUser);
    Supprimer2->setEnabled(m.chooseUser);
    Nouveau1->setEnabled(m.newAccount);
    Ouvrir1->setEnabled(m.openAccount);
    OuvrirBtn->setEnabled(m.openAccount);
    Supprimer1->setEnabled(m.openAccount);
    Enregistrer1->setEnabled(m.accountOpen);
    Enregistrersous1->setEnabled(m.accountOpen);
    Exporter1->setEnabled(m.accountOpen);
    Faireunecopiedesauvegarde1->setEnabled(m.accountOpen);
    Aperuavantimpression1->setEnabled(m.print);
    Imprimer1->setEnabled(m.print);
    ImprimerBtn->setEnabled(m.print);
    ExporterversPalm1->setEnabled(m.handheld);
    ImporterdepuisPalm1->setEnabled(m.handheld);
    Franc1->setEnabled(m.accountOpen);
    RapprochMnu->setEnabled(m.accountOpen);
    PlanningMnu->setEnabled(m.accountOpen);
    BordereauMnu->setEnabled(m.accountOpen);
    Euro1->setEnabled(m.accountOpen);
    MonnaieBtn->setEnabled(m.accountOpen);
    Motdepasse1->setEnabled(m.password);
    for (QAction* a :
         {Alarmesbudgtaires1, AlarmesBtn, Budgetmoyen1->menuAction(), Ventilation1->menuAction(),
          Progressiondusolde1, BudgetBtn, ProgressionBtn}) {
        a->setEnabled(m.accountOpen);
    }
    Soldesdetouslescomptes1->setEnabled(m.allBalances);
    // The row rules of "&Lignes" show in the open menu (LignesMenuShow); outside it the
    // keys stay live and the commands answer for themselves (F8 on the initial balance
    // says why it refuses).
    SupprimerLigne1->setEnabled(m.accountOpen);
    Inserer1->setEnabled(m.accountOpen);
    Ajouter1->setEnabled(m.accountOpen);
    Nettoyer1->setEnabled(m.accountOpen);
    Chercher1->setEnabled(m.accountOpen);
    Suivant1->setEnabled(m.accountOpen);
    ChercherBtn->setEnabled(m.accountOpen);
    CopierBtn->setEnabled(m.accountOpen);
    updateLineButtons();
}

void TForm1::LignesMenuShow() {
    const auto& session = workspace_.session();
    const int row = currentGridRow();
    SupprimerLigne1->setEnabled(ledgora::canDeleteRow(session.isOpen(), session.grid(), row));
    Inserer1->setEnabled(ledgora::canInsertAfter(session.isOpen(), session.grid(), row));
}

int TForm1::currentGridRow() const {
    const QModelIndex current = Grille->currentIndex();
    return current.isValid() ? RegisterModel::gridRow(current) : -1;
}

void TForm1::updateLineButtons() {
    const auto& session = workspace_.session();
    const int row = currentGridRow();
    SupprimerBtn->setEnabled(ledgora::canDeleteRow(session.isOpen(), session.grid(), row));
    CollerBtn->setEnabled(session.isOpen() && !QGuiApplication::clipboard()->text().isEmpty());
}

void TForm1::updateStatusBar() {
    const auto& session = workspace_.session();
    const ledgora::Balances& b = session.balances();
    SoldePointeLabel->setText(
        amountHtml(QStringLiteral("Solde pointé :"), ledgora::centsToDouble(b.reconciled)));
    SoldeLabel->setText(amountHtml(QStringLiteral("Solde :"), ledgora::centsToDouble(b.balance)));
    MonnaieImage->setPixmap(pictures::smallCurrency(session.euros()).pixmap(16, 16));
}

QString TForm1::balanceText() const {
    return SoldeLabel->text();
}

QString TForm1::reconciledText() const {
    return SoldePointeLabel->text();
}

void TForm1::scrollToEnd() {
    const int rows = model_->rowCount();
    if (rows == 0) {
        return;
    }
    const QModelIndex last = model_->indexOf(rows, ledgora::col::Solde);
    // The widths fit once, with the last rows in sight.
    Grille->fitColumnsAfter([&] {
        Grille->setCurrentIndex(last);
        Grille->scrollToBottom();
    });
    // The register opens on its first column, whatever the cursor's.
    Grille->horizontalScrollBar()->setValue(0);
    Grille->setFocus();
}

void TForm1::GrilleClickCell(const QModelIndex& index) {
    auto& session = workspace_.session();
    const int r = RegisterModel::gridRow(index);
    const int c = RegisterModel::gridColumn(index);
    if (auto proposal = session.clickProposal(r, c)) {
        Grille->propose(index, q(*proposal));
    }
}

void TForm1::Choisir1Click() {
    workspace_.accounts().chooseUser();
    refresh();
}

void TForm1::Nouveau2Click() {
    workspace_.accounts().newUser();
    refresh();
}

void TForm1::Supprimer2Click() {
    workspace_.accounts().deleteUserCommand();
    refresh();
}

void TForm1::Nouveau1Click() {
    // The questions that follow a new account come from the workspace (see the view
    // given to setAccountCreatedView).
    workspace_.accounts().newAccount();
    refresh();
}

void TForm1::Ouvrir1Click() {
    workspace_.accounts().openAccount();
    refresh();
}

void TForm1::Supprimer1Click() {
    workspace_.accounts().deleteAccount();
    refresh();
}

void TForm1::Enregistrer1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    workspace_.session().save();
    QApplication::restoreOverrideCursor();
}

void TForm1::Enregistrersous1Click() {
    workspace_.accounts().saveAs();
    refresh(false);
}

void TForm1::ExporterversPalm1Click() {
    QtPalmUserChooser chooser(this);
    workspace_.exportToHandheld(chooser, showHourglass);
}

void TForm1::ImporterdepuisPalm1Click() {
    QtPalmUserChooser chooser(this);
    const ledgora::ExchangeOutcome outcome = workspace_.importFromHandheld(chooser, showHourglass);
    if (outcome.ended == ledgora::ExchangeOutcome::Ended::Done) {
        // The register, its currency and both lists may all have changed.
        refresh();
    }
}

void TForm1::Franc1Click() {
    workspace_.session().switchToFrancs();
    model_->sync();
    refresh(false);
}

void TForm1::Euro1Click() {
    workspace_.session().switchToEuros();
    model_->sync();
    refresh(false);
}

void TForm1::MonnaieBtnClick() {
    if (workspace_.session().euros()) {
        Franc1Click();
    } else {
        Euro1Click();
    }
}

void TForm1::Calculatrice1Click() {
    calculat_->showWorksheet();
}

void TForm1::ConvertisseurFrancsEuros1Click() {
    TConvert window([this] { Apropos1Click(); }, this);
    window.exec();
}

void TForm1::Crdits1Click() {
    TCredit window(workspace_.dialogs(), this);
    window.setBlackAndWhite([this] { return workspace_.options().bw; });
    window.exec();
}

void TForm1::Placementsintrtssimples1Click() {
    TIntSimp window(workspace_.dialogs(), this);
    window.setBlackAndWhite([this] { return workspace_.options().bw; });
    window.exec();
}

void TForm1::Placementsintrtscomposs1Click() {
    TIntComp window(workspace_.dialogs(), this);
    window.setBlackAndWhite([this] { return workspace_.options().bw; });
    window.exec();
}

void TForm1::RapprochMnuClick() {
    if (!workspace_.session().isOpen()) {
        return;
    }
    TRapproch dialog(workspace_.session(), workspace_.bankBalance(), this);
    dialog.exec();
}

void TForm1::PlanningMnuClick() {
    if (workspace_.session().isOpen()) {
        planning_->Execute();
    }
}

void TForm1::BordereauMnuClick() {
    if (workspace_.session().isOpen()) {
        bordereau_->Execute();
        // The slip's preview may have switched the black-and-white option.
        NoirEtBlanc1->setChecked(workspace_.options().bw);
    }
}

void TForm1::Motdepasse1Click() {
    workspace_.accounts().changePassword();
}

void TForm1::Sons1Click() {
    workspace_.setSounds(Sons1->isChecked());
}

void TForm1::NoirEtBlanc1Click() {
    workspace_.options().bw = NoirEtBlanc1->isChecked();
}

void TForm1::Proposersauvegardeenquittant1Click() {
    workspace_.options().noBackupPrompt = !Proposersauvegardeenquittant1->isChecked();
}

void TForm1::Enregistrementautomatique1Click() {
    ledgora::AppOptions& o = workspace_.options();
    TAutoSave dialog(this, o.minutesAutoSave, o.activeAutoSave);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    o.activeAutoSave = dialog.active();
    o.minutesAutoSave = dialog.minutes();
    autoSave_->apply(o.minutesAutoSave, o.activeAutoSave);
}

void TForm1::AutoSaveTimerTimer() {
    ledgora::autoSaveTick(workspace_.session());
}

void TForm1::showOptions() {
    const ledgora::AppOptions& o = workspace_.options();
    if (!workspace_.session().isOpen()) {
        (o.newSoldeInEuro ? Euro1 : Franc1)->setChecked(true);
    }
    Sons1->setChecked(o.sons);
    NoirEtBlanc1->setChecked(o.bw);
    Proposersauvegardeenquittant1->setChecked(!o.noBackupPrompt);
    autoSave_->apply(o.minutesAutoSave, o.activeAutoSave);
}

void TForm1::Exporter1Click() {
    auto& session = workspace_.session();
    if (!session.isOpen()) {
        return;
    }
    ledgora::AppOptions& o = workspace_.options();
    const ledgora::RegisterLook look(session.budgetLimits(), &session.spending());
    ledgora::exportRegister(
        {session.grid(), look, session.account()}, {o.cheminExport, o.exportFilterIndex},
        {workspace_.dialogs(), *exportForms_, QDir::homePath().toStdString()}, showHourglass);
}

void TForm1::withRegisterPrinter(const std::function<void(GridPrinter&)>& use) {
    const auto& session = workspace_.session();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ledgora::RegisterLook look(session.budgetLimits(), &session.spending());
    GridPrinter printer(
        session.grid(), look,
        ledgora::registerPrintSettings(workspace_.caption(), workspace_.options().bw), clock_);
    // Measuring a long register is the slow part: done once, under the wait cursor.
    printer.pageCount(printer.defaultLayout());
    QApplication::restoreOverrideCursor();
    use(printer);
}

void TForm1::Imprimer1Click() {
    if (!workspace_.session().isOpen()) {
        return;
    }
    withRegisterPrinter([this](GridPrinter& printer) { printGrid(this, printer, printDialog_); });
}

void TForm1::Aperuavantimpression1Click() {
    if (!workspace_.session().isOpen()) {
        return;
    }
    Grille->clearSelection();
    withRegisterPrinter([this](GridPrinter& printer) {
        TPagePreview preview(
            this, printer, [&] { printGrid(&preview, printer, printDialog_); },
            [this](bool on) {
                workspace_.options().bw = on;
                NoirEtBlanc1->setChecked(on);
            });
        preview.exec();
    });
}

void TForm1::Faireunecopiedesauvegarde1Click() {
    if (!workspace_.session().isOpen()) {
        return;
    }
    std::unique_ptr<ProgressDialog> shown;
    ledgora::WorkspaceBackup(workspace_, *backupForms_)
        .backup(placement(), fileProgress(this, QStringLiteral("Sauvegarde"), shown));
}

void TForm1::Restaurerunecopiedesauvegarde1Click() {
    std::unique_ptr<ProgressDialog> shown;
    const bool restored =
        ledgora::WorkspaceBackup(workspace_, *backupForms_)
            .restore(*autoSave_, fileProgress(this, QStringLiteral("Restauration"), shown));
    if (restored) {
        // The set's options and lists are now the program's; the timer follows them.
        showOptions();
    }
    refresh();
}

void TForm1::Aide1Click() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(workspace_.paths().programFile("help"), this);
    }
    help_->showPage(QStringLiteral("index.html"));
}

void TForm1::Apropos1Click() {
    TAboutBox box(this);
    box.exec();
}

void TForm1::Miseajour1Click() {
    const platform::Reply reply = workspace_.dialogs().message(
        platform::MessageKind::Information,
        "Le programme va maintenant être arrêté pour pouvoir procéder à la mise à jour.",
        platform::Buttons::OkCancel);
    if (reply != platform::Reply::Ok) {
        return;
    }
    const QString folder = q(workspace_.paths().programFolder().string());
    QProcess::startDetached(q(workspace_.paths().programFile("maj").string()), {}, folder);
    close();
}

void TForm1::SiteWeb1Click() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(version::kWebSite)));
}

void TForm1::reloadKeepingCursor(int gridRow) {
    const int column = Grille->currentIndex().isValid() ? Grille->currentIndex().column() : 0;
    model_->reload();
    const int rows = model_->rowCount();
    if (rows > 0) {
        const int row = std::clamp(gridRow, 1, rows);
        Grille->setCurrentIndex(model_->index(row - 1, column));
    }
    updateLineButtons();
}

void TForm1::Ajouter1Click() {
    workspace_.session().appendLine();
    model_->sync();
    updateLineButtons();
}

void TForm1::Inserer1Click() {
    const int row = currentGridRow();
    if (workspace_.session().insertLineAfter(row)) {
        reloadKeepingCursor(row);
    }
}

void TForm1::SupprimerLigne1Click() {
    const int row = currentGridRow();
    if (workspace_.session().deleteLine(row)) {
        reloadKeepingCursor(row);
    }
}

void TForm1::Nettoyer1Click() {
    workspace_.session().cleanUpLines();
    reloadKeepingCursor(currentGridRow());
}

bool TForm1::selectedRect(int& top, int& left, int& bottom, int& right) const {
    const QModelIndexList cells = Grille->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) {
        const QModelIndex current = Grille->currentIndex();
        if (!current.isValid()) {
            return false;
        }
        top = bottom = RegisterModel::gridRow(current);
        left = right = RegisterModel::gridColumn(current);
        return true;
    }
    top = left = INT_MAX;
    bottom = right = -1;
    for (const QModelIndex& i : cells) {
        top = std::min(top, RegisterModel::gridRow(i));
        bottom = std::max(bottom, RegisterModel::gridRow(i));
        left = std::min(left, RegisterModel::gridColumn(i));
        right = std::max(right, RegisterModel::gridColumn(i));
    }
    return true;
}

void TForm1::CopierClick() {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!workspace_.session().isOpen() || !selectedRect(top, left, bottom, right)) {
        return;
    }
    QGuiApplication::clipboard()->setText(
        q(ledgora::copyCellsText(workspace_.session().grid(), top, left, bottom, right)));
    updateLineButtons();
}

void TForm1::CouperClick() {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!workspace_.session().isOpen() || !selectedRect(top, left, bottom, right)) {
        return;
    }
    CopierClick();
    workspace_.session().clearCells(top, left, bottom, right);
    model_->sync();
    updateStatusBar();
}

void TForm1::CollerClick() {
    int top = 0, left = 0, bottom = 0, right = 0;
    const QString text = QGuiApplication::clipboard()->text();
    if (!workspace_.session().isOpen() || text.isEmpty() ||
        !selectedRect(top, left, bottom, right)) {
        return;
    }
    workspace_.session().paste(top, left, text.toStdString());
    model_->sync();
    updateStatusBar();
}

void TForm1::showFound(const std::optional<ledgora::CellPosition>& found) {
    if (!found) {
        workspace_.dialogs().inform(ledgora::kSearchMiss);
        return;
    }
    const QModelIndex cell = model_->indexOf(found->row, found->column);
    Grille->setCurrentIndex(cell);
    Grille->selectionModel()->select(
        QItemSelection(model_->indexOf(found->row, ledgora::col::Pointage),
                       model_->indexOf(found->row, ledgora::col::Solde)),
        QItemSelectionModel::ClearAndSelect);
    Grille->scrollTo(cell);
}

void TForm1::Chercher1Click() {
    auto& session = workspace_.session();
    if (!session.isOpen()) {
        return;
    }
    Tfinddlg dialog(session.search().options(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QModelIndex current = Grille->currentIndex();
    const ledgora::CellPosition at{current.isValid() ? RegisterModel::gridRow(current) : 1,
                                   current.isValid() ? RegisterModel::gridColumn(current) : 1};
    showFound(session.search().find(session.grid(), dialog.options(), at));
}

void TForm1::Suivant1Click() {
    auto& session = workspace_.session();
    if (!session.isOpen()) {
        return;
    }
    if (!session.search().hasSearched()) {
        Chercher1Click();
        return;
    }
    showFound(session.search().findNext(session.grid()));
}

void TForm1::RubriquesModes1Click() {
    TRubMod dialog(workspace_.categories(), workspace_.modes(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    workspace_.categories() = dialog.categories();
    workspace_.categories().sort();
    workspace_.modes() = dialog.modes();
    workspace_.modes().sort();
}

void TForm1::createReportActions() {
    auto action = [this](const char* name, const QString& text, auto slot) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    Alarmesbudgtaires1 = action("Alarmesbudgtaires1", QStringLiteral("&Alarmes budgétaires..."),
                                &TForm1::Alarmesbudgtaires1Click);
    AlarmesBtn = action("AlarmesBtn", QStringLiteral("Alarmes"), &TForm1::Alarmesbudgtaires1Click);
    AlarmesBtn->setIcon(pictures::icon(QStringLiteral("alarme")));
    Progressiondusolde1 = action("Progressiondusolde1", QStringLiteral("&Progression du solde..."),
                                 &TForm1::Progressiondusolde1Click);
    Soldesdetouslescomptes1 =
        action("Soldesdetouslescomptes1", QStringLiteral("&Soldes de tous les comptes..."),
               &TForm1::Soldesdetouslescomptes1Click);
    ProgressionBtn =
        action("ProgressionBtn", QStringLiteral("Progression"), &TForm1::Progressiondusolde1Click);
    ProgressionBtn->setIcon(pictures::icon(QStringLiteral("graphique")));
    BudgetBtn = action("BudgetBtn", QStringLiteral("Budget"),
                       [this] { ReportClick(ledgora::ReportId::MonthlyAverageByCategory); });
    BudgetBtn->setIcon(pictures::icon(QStringLiteral("graphique")));
}

void TForm1::createReportMenu() {
    // The alarms stand before the deposit slip in "Ou&tils".
    Outils1->insertAction(BordereauMnu, Alarmesbudgtaires1);
    Etats1 = new QMenu(QStringLiteral("&Etats et graphiques"), this);
    menuBar()->insertMenu(Options1->menuAction(), Etats1);
    // The ten reports under their group and submenu, in the order they are listed.
    std::map<std::string_view, QMenu*> groups;
    std::map<std::pair<std::string_view, std::string_view>, QMenu*> submenus;
    for (const ledgora::ReportRequest& r : ledgora::kReportRequests) {
        QMenu*& group = groups[r.group];
        if (group == nullptr) {
            group = Etats1->addMenu(QString::fromUtf8(r.group.data(), qsizetype(r.group.size())));
        }
        QMenu*& sub = submenus[{r.group, r.submenu}];
        if (sub == nullptr) {
            sub = group->addMenu(QString::fromUtf8(r.submenu.data(), qsizetype(r.submenu.size())));
        }
        QAction* item = sub->addAction(QString::fromUtf8(r.item.data(), qsizetype(r.item.size())));
        item->setObjectName(QStringLiteral("Report%1").arg(static_cast<int>(r.id)));
        const ledgora::ReportId id = r.id;
        connect(item, &QAction::triggered, this, [this, id] { ReportClick(id); });
    }
    Budgetmoyen1 = groups["&Budget moyen"];
    Ventilation1 = groups["&Ventilation"];
    Etats1->addSeparator();
    Etats1->addActions({Progressiondusolde1, Soldesdetouslescomptes1});
    connect(Etats1, &QMenu::aboutToShow, this, &TForm1::updateMenus);
}

void TForm1::Alarmesbudgtaires1Click() {
    auto& session = workspace_.session();
    if (!session.isOpen()) {
        return;
    }
    const platform::DateTime today = clock_.now();
    TAlarmes::execute({workspace_.budgets(), workspace_.categories().entries(), session.spending(),
                       today.year, today.month, session.euros(), workspace_.caption(),
                       workspace_.dialogs(), workspace_.registry(), workspace_.options().bw},
                      this);
    // The register's colours follow the maxima written.
    Grille->viewport()->update();
}

void TForm1::ReportClick(ledgora::ReportId id) {
    auto& session = workspace_.session();
    if (!session.isOpen()) {
        return;
    }
    reports_->report(id);
}

void TForm1::Progressiondusolde1Click() {
    if (workspace_.session().isOpen()) {
        reports_->progression();
    }
}

void TForm1::Soldesdetouslescomptes1Click() {
    if (workspace_.session().user().empty()) {
        return;
    }
    reports_->allBalances(workspace_.options().recapInEuro);
}

void TForm1::createPlanning() {
    auto& ws = workspace_;
    ledgora::Grid& planningGrid = ws.planning().grid();
    entry_ = std::make_unique<ledgora::AutomaticEntry>(workspace_.registry(), clock_, ws.dialogs(),
                                                       ws.transfers());
    ws.accounts().setOpenedListener([this] { enterScheduledOperations(); });

    PlanningWindowLinks links{
        ws.categories(),
        ws.modes(),
        ws.dialogs(),
        clock_,
        [this] {
            const auto& session = workspace_.session();
            return ledgora::planningCaption(session.user(), session.account(), session.euros());
        },
        [this] { return workspace_.session().euros(); },
        [this] {
            const auto& session = workspace_.session();
            return ledgora::otherAccounts(ledgora::listAccounts(workspace_.paths(), session.user()),
                                          session.account());
        },
        [this] { return workspace_.options().bw; },
        [this](bool on) {
            workspace_.options().bw = on;
            NoirEtBlanc1->setChecked(on);
        },
        [this] { Calculatrice1Click(); },
        [this](QWidget* over) {
            TConvert window([this] { Apropos1Click(); }, over);
            window.exec();
        }};
    planning_ = new TPlanning(planningGrid, std::move(links), this);
    planning_->setWindowIcon(windowIcon());
}

void TForm1::enterScheduledOperations() {
    auto& session = workspace_.session();
    int entered = 0;
    entered = entry_->run(session.user(), session.account(), workspace_.planning().grid(),
                          session.edits());
    if (entered > 0) {
        session.registerRewritten();
    }
}
