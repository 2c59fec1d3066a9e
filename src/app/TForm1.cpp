#include "app/TForm1.h"

#include <filesystem>

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
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
#include "calculator/ui/TCalculat.h"
#include "platform/Paths.h"
#include "register/Amount.h"
#include "register/CellRules.h"
#include "register/RegisterColumns.h"
#include "register/ui/HelpWindow.h"
#include "register/ui/Pictures.h"
#include "register/ui/RegisterDelegate.h"
#include "register/ui/RegisterModel.h"

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

} // namespace

TForm1::TForm1(platform::Paths paths, platform::Dialogs* dialogs, const platform::Clock* clock)
    : paths_(std::move(paths)), registry_(paths_.registryFolder()), qtDialogs_(this) {
    Q_INIT_RESOURCE(icons); // the pictures are linked in from a static library
    workspace_ = std::make_unique<ledgora::Workspace>(
        registry_, paths_, clock != nullptr ? *clock : systemClock_,
        dialogs != nullptr ? *dialogs : static_cast<platform::Dialogs&>(qtDialogs_), sounds_);
    setWindowIcon(pictures::logo());
    resize(640, 480);

    createActions();
    createMenus();
    createToolBar();
    createGrid();
    createStatusBar();

    workspace_->start();
    const ledgora::AppOptions& o = workspace_->options();
    (o.newSoldeInEuro ? Euro1 : Franc1)->setChecked(true);
    Sons1->setChecked(o.sons);
    NoirEtBlanc1->setChecked(o.bw);
    const auto maj = paths_.programFile("maj");
    Miseajour1->setVisible(QFileInfo(q(maj.string())).isExecutable());

    calculat_ = new TCalculat(registry_, paths_, this);
    refresh();
}

TForm1::~TForm1() {
    // An editor still open would commit into the model while the window is destroyed.
    if (Grille != nullptr) {
        Grille->setModel(nullptr);
    }
}

void TForm1::createActions() {
    auto action = [this](const QString& text, auto slot, const QKeySequence& key = {}) {
        auto* a = new QAction(text, this);
        if (!key.isEmpty()) {
            a->setShortcut(key);
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    Choisir1 = action(QStringLiteral("&Choisir..."), &TForm1::Choisir1Click);
    Nouveau2 = action(QStringLiteral("&Nouveau..."), &TForm1::Nouveau2Click);
    Supprimer2 = action(QStringLiteral("&Supprimer..."), &TForm1::Supprimer2Click);
    Nouveau1 =
        action(QStringLiteral("&Nouveau..."), &TForm1::Nouveau1Click, QKeySequence("Ctrl+N"));
    Ouvrir1 = action(QStringLiteral("&Ouvrir..."), &TForm1::Ouvrir1Click, QKeySequence("Ctrl+O"));
    Supprimer1 = action(QStringLiteral("&Supprimer..."), &TForm1::Supprimer1Click);
    Enregistrer1 =
        action(QStringLiteral("&Enregistrer"), &TForm1::Enregistrer1Click, QKeySequence("Ctrl+S"));
    Enregistrersous1 =
        action(QStringLiteral("En&registrer sous..."), &TForm1::Enregistrersous1Click);
    Quitter1 = action(QStringLiteral("&Quitter"), &QWidget::close);
    Franc1 = action(QStringLiteral("&Franc"), &TForm1::Franc1Click, QKeySequence("F11"));
    Euro1 = action(QStringLiteral("&Euro"), &TForm1::Euro1Click, QKeySequence("F12"));
    auto* currency = new QActionGroup(this);
    for (QAction* a : {Franc1, Euro1}) {
        a->setCheckable(true);
        currency->addAction(a);
    }
    Calculatrice1 = action(QStringLiteral("&Calculatrice..."), &TForm1::Calculatrice1Click);
    Calculatrice1->setIcon(pictures::icon(QStringLiteral("calculatrice")));
    Motdepasse1 = action(QStringLiteral("&Mot de passe..."), &TForm1::Motdepasse1Click);
    Sons1 = action(QStringLiteral("&Sons"), &TForm1::Sons1Click);
    Sons1->setCheckable(true);
    NoirEtBlanc1 = action(QStringLiteral("Imprimer en noir et &blanc"), &TForm1::NoirEtBlanc1Click);
    NoirEtBlanc1->setCheckable(true);
    Aide1 = action(QStringLiteral("&Aide..."), &TForm1::Aide1Click);
    Apropos1 = action(QStringLiteral("A &propos..."), &TForm1::Apropos1Click);
    Miseajour1 = action(QStringLiteral("&Mise à jour par Internet..."), &TForm1::Miseajour1Click);
    SiteWeb1 =
        action(QStringLiteral("&Connexion au site web %1").arg(q(std::string(platform::kVendor))),
               &TForm1::SiteWeb1Click);

    OuvrirBtn = action(QStringLiteral("Ouvrir"), &TForm1::Ouvrir1Click);
    OuvrirBtn->setIcon(pictures::icon(QStringLiteral("ouvrir")));
    MonnaieBtn = action(QStringLiteral("Monnaie"), &TForm1::MonnaieBtnClick);
    AideBtn = action(QStringLiteral("Aide"), &TForm1::Aide1Click);
    AideBtn->setIcon(pictures::icon(QStringLiteral("aide")));
    QuitterBtn = action(QStringLiteral("Quitter"), &QWidget::close);
    QuitterBtn->setIcon(pictures::icon(QStringLiteral("quitter")));

    const std::pair<QAction*, const char*> names[] = {{Choisir1, "Choisir1"},
                                                      {Nouveau2, "Nouveau2"},
                                                      {Supprimer2, "Supprimer2"},
                                                      {Nouveau1, "Nouveau1"},
                                                      {Ouvrir1, "Ouvrir1"},
                                                      {Supprimer1, "Supprimer1"},
                                                      {Enregistrer1, "Enregistrer1"},
                                                      {Enregistrersous1, "Enregistrersous1"},
                                                      {Quitter1, "Quitter1"},
                                                      {Franc1, "Franc1"},
                                                      {Euro1, "Euro1"},
                                                      {Calculatrice1, "Calculatrice1"},
                                                      {Motdepasse1, "Motdepasse1"},
                                                      {Sons1, "Sons1"},
                                                      {NoirEtBlanc1, "NoirEtBlanc1"},
                                                      {Aide1, "Aide1"},
                                                      {Apropos1, "Apropos1"},
                                                      {Miseajour1, "Miseajour1"},
                                                      {SiteWeb1, "SiteWeb1"},
                                                      {OuvrirBtn, "OuvrirBtn"},
                                                      {MonnaieBtn, "MonnaieBtn"},
                                                      {AideBtn, "AideBtn"},
                                                      {QuitterBtn, "QuitterBtn"}};
    for (const auto& [a, name] : names) {
        a->setObjectName(QString::fromLatin1(name));
    }
}

void TForm1::createMenus() {
    Compte1 = menuBar()->addMenu(QStringLiteral("&Compte"));
    QMenu* utilisateur = Compte1->addMenu(QStringLiteral("&Utilisateur"));
    utilisateur->addActions({Choisir1, Nouveau2, Supprimer2});
    Compte1->addSeparator();
    Compte1->addActions({Nouveau1, Ouvrir1, Supprimer1});
    Compte1->addSeparator();
    Compte1->addActions({Enregistrer1, Enregistrersous1});
    Compte1->addSeparator();
    Compte1->addAction(Quitter1);

    Monnaie1 = menuBar()->addMenu(QStringLiteral("&Monnaie"));
    Monnaie1->addActions({Franc1, Euro1});

    Outils1 = menuBar()->addMenu(QStringLiteral("Ou&tils"));
    Outils1->addAction(Calculatrice1);

    Options1 = menuBar()->addMenu(QStringLiteral("&Options"));
    Options1->addAction(Motdepasse1);
    Options1->addSeparator();
    Options1->addActions({Sons1, NoirEtBlanc1});

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    help->addActions({Aide1, Apropos1});
    help->addSeparator();
    help->addActions({Miseajour1, SiteWeb1});

    // The state of the commands is worked out when a menu opens.
    for (QMenu* menu : {Compte1, Monnaie1, Outils1, Options1}) {
        connect(menu, &QMenu::aboutToShow, this, &TForm1::updateMenus);
    }
}

void TForm1::createToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("Barre d'outils"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->addAction(OuvrirBtn);
    ToolBar1->addSeparator();
    ToolBar1->addAction(MonnaieBtn);
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
    auto& ws = *workspace_;
    model_ = new RegisterModel(ws.session(), this);
    Grille = new QTableView(this);
    Grille->setObjectName(QStringLiteral("Grille"));
    Grille->setModel(model_);
    Grille->setItemDelegate(new RegisterDelegate(ws.categories(), ws.modes(), Grille));
    Grille->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    Grille->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Grille->setAlternatingRowColors(false);
    Grille->verticalHeader()->setMinimumWidth(40);
    Grille->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    Grille->verticalHeader()->setDefaultSectionSize(Grille->fontMetrics().height() + 8);
    Grille->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    Grille->setStyleSheet(QStringLiteral("QTableView { background: rgb(255,255,233); }"));
    connect(Grille, &QTableView::clicked, this, &TForm1::GrilleClickCell);
    connect(Grille->horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            &TForm1::GrilleRightClickCell);
    connect(model_, &RegisterModel::balancesChanged, this, &TForm1::updateStatusBar);

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
    const ledgora::WindowPlacement& p = workspace_->placement();
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
    if (workspace_->accounts().users().empty()) {
        workspace_->accounts().newUser();
    } else {
        workspace_->accounts().chooseUser();
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
    const QRect g = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    return {g.x(), g.y(), g.width(), g.height(), isMaximized()};
}

bool TForm1::printerAvailable() const {
    // Printing to a PDF file is always possible, so printing never lacks a printer.
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A cell still being edited is committed before the account is saved.
    QWidget* editor = QApplication::focusWidget();
    if (editor != nullptr && editor != Grille && Grille->isAncestorOf(editor)) {
        emit Grille->itemDelegate()->commitData(editor);
        emit Grille->itemDelegate()->closeEditor(editor);
    }
    if (calculat_ != nullptr && calculat_->isVisible()) {
        calculat_->close();
    }
    workspace_->saveSettings(placement());
    auto& ws = *workspace_;
    registry_.update(platform::Hive::CurrentUser, [&](platform::RegistryTree& t) {
        ledgora::writeBackupOptions(t, ws.options());
    });
    event->accept();
}

void TForm1::refresh(bool reloadRegister) {
    auto& session = workspace_->session();
    if (reloadRegister) {
        model_->reload();
    }
    const bool open = session.isOpen();
    pages_->setCurrentIndex(open ? 1 : 0);
    ToolBar1->setVisible(open);
    statusBar()->setVisible(open);
    setWindowTitle(q(workspace_->caption()));
    (session.euros() ? Euro1 : Franc1)->setChecked(open ? true : Euro1->isChecked());
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
    const ledgora::MenuState m = workspace_->menuState(printerAvailable());
    Choisir1->setEnabled(m.chooseUser);
    Supprimer2->setEnabled(m.chooseUser);
    Nouveau1->setEnabled(m.newAccount);
    Ouvrir1->setEnabled(m.openAccount);
    OuvrirBtn->setEnabled(m.openAccount);
    Supprimer1->setEnabled(m.openAccount);
    Enregistrer1->setEnabled(m.accountOpen);
    Enregistrersous1->setEnabled(m.accountOpen);
    Franc1->setEnabled(m.accountOpen);
    Euro1->setEnabled(m.accountOpen);
    MonnaieBtn->setEnabled(m.accountOpen);
    Motdepasse1->setEnabled(m.password);
}

void TForm1::updateStatusBar() {
    const auto& session = workspace_->session();
    const ledgora::Balances& b = session.balances();
    SoldePointeLabel->setText(amountHtml(QStringLiteral("Solde pointé :"), b.reconciled));
    SoldeLabel->setText(amountHtml(QStringLiteral("Solde :"), b.balance));
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
    Grille->resizeColumnsToContents();
    for (int c = 0; c < model_->columnCount(); ++c) {
        Grille->setColumnWidth(c, Grille->columnWidth(c) + 20);
    }
    const QModelIndex last = model_->indexOf(rows, ledgora::col::Solde);
    Grille->scrollToBottom();
    Grille->setCurrentIndex(last);
    Grille->setFocus();
}

void TForm1::GrilleClickCell(const QModelIndex& index) {
    auto& session = workspace_->session();
    const int r = RegisterModel::gridRow(index);
    const int c = RegisterModel::gridColumn(index);
    if (auto fill = ledgora::clickFill(session.grid(), r, c)) {
        session.grid().set(r, c, *fill);
        model_->sync();
    }
}

void TForm1::GrilleRightClickCell(const QPoint& pos) {
    const int column = Grille->horizontalHeader()->logicalIndexAt(pos);
    if (column >= 0) {
        Grille->resizeColumnToContents(column);
    }
}

void TForm1::Choisir1Click() {
    workspace_->accounts().chooseUser();
    refresh();
}

void TForm1::Nouveau2Click() {
    workspace_->accounts().newUser();
    refresh();
}

void TForm1::Supprimer2Click() {
    workspace_->accounts().deleteUserCommand();
    refresh();
}

void TForm1::Nouveau1Click() {
    workspace_->accounts().newAccount();
    refresh();
}

void TForm1::Ouvrir1Click() {
    workspace_->accounts().openAccount();
    refresh();
}

void TForm1::Supprimer1Click() {
    workspace_->accounts().deleteAccount();
    refresh();
}

void TForm1::Enregistrer1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    workspace_->session().save();
    QApplication::restoreOverrideCursor();
}

void TForm1::Enregistrersous1Click() {
    workspace_->accounts().saveAs();
    refresh(false);
}

void TForm1::Franc1Click() {
    workspace_->session().switchToFrancs();
    model_->sync();
    refresh(false);
}

void TForm1::Euro1Click() {
    workspace_->session().switchToEuros();
    model_->sync();
    refresh(false);
}

void TForm1::MonnaieBtnClick() {
    if (workspace_->session().euros()) {
        Franc1Click();
    } else {
        Euro1Click();
    }
}

void TForm1::Calculatrice1Click() {
    calculat_->showWorksheet();
}

void TForm1::Motdepasse1Click() {
    workspace_->accounts().changePassword();
}

void TForm1::Sons1Click() {
    workspace_->setSounds(Sons1->isChecked());
}

void TForm1::NoirEtBlanc1Click() {
    workspace_->options().bw = NoirEtBlanc1->isChecked();
}

void TForm1::Aide1Click() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(paths_.programFile("help"), this);
    }
    help_->showPage(QStringLiteral("index.html"));
}

void TForm1::Apropos1Click() {
    TAboutBox box(this);
    box.exec();
}

void TForm1::Miseajour1Click() {
    const platform::Reply reply = workspace_->dialogs().message(
        platform::MessageKind::Information,
        "Le programme va maintenant être arrêté pour pouvoir procéder à la mise à jour.",
        platform::Buttons::OkCancel);
    if (reply != platform::Reply::Ok) {
        return;
    }
    const QString folder = q(paths_.programFolder().string());
    QProcess::startDetached(q(paths_.programFile("maj").string()), {}, folder);
    close();
}

void TForm1::SiteWeb1Click() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(version::kWebSite)));
}
