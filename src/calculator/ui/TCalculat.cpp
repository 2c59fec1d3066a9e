#include "calculator/ui/TCalculat.h"

#include "ui/FrenchFileDialog.h"
#include "ui/HelpWindow.h"
#include "ui/WindowPlace.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <numbers>

#include "calculator/CalculatorFunction.h"
#include "platform/Registry.h"

namespace {

using calculator::DecimalsSetting;
using calculator::DisplayMode;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string s(const QString& text) {
    return text.toStdString();
}

constexpr const char* kKeypadHint =
    "Les fonctions doivent être écrites en MAJUSCULES et les variables en minuscules";

// A Windows colour reference (0x00BBGGRR).
QColor fromColourRef(int ref) {
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}

QIcon themeIcon(const char* name) {
    return QIcon::fromTheme(QString::fromLatin1(name));
}

} // namespace

TCalculat::TCalculat(platform::Registry& registry, const platform::Paths& paths,
                     const platform::Clock& clock, platform::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint), registry_(registry),
      paths_(paths), clock_(clock), dialogs_(dialogs),
      document_(sheet_, dialogs, *this, paths.dataFolder()) {
    setObjectName("Calculat");
    setWindowTitle("Calculatrice");

    Memo = new QPlainTextEdit;
    Memo->setObjectName("Memo");
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setTabChangesFocus(true);
    Memo->installEventFilter(this);
    Memo->viewport()->installEventFilter(this);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Memo, 1);
    layout->addWidget(buildKeypad());
    setCentralWidget(central);

    Panel2 = new QLabel;
    Panel2->setObjectName("Panel2");
    statusBar()->addWidget(Panel2, 1);

    buildMenus();
    buildToolBar();

    connect(Memo, &QPlainTextEdit::textChanged, this, &TCalculat::MemoChange);
    connect(Memo, &QPlainTextEdit::cursorPositionChanged, this, &TCalculat::updatePosition);
    connect(Memo, &QPlainTextEdit::copyAvailable, CouperButton, &QAction::setEnabled);
    connect(Memo, &QPlainTextEdit::copyAvailable, CopierButton, &QAction::setEnabled);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        const bool hasText = !QApplication::clipboard()->text().isEmpty();
        CollerButton->setEnabled(hasText);
        emit pasteAvailable(hasText);
    });
    CouperButton->setEnabled(false);
    CopierButton->setEnabled(false);
    CollerButton->setEnabled(!QApplication::clipboard()->text().isEmpty());

    const calculator::CalculatSettings settings = calculator::CalculatSettings::read(registry_);
    applySettings(settings);
    sheet_.zeroVariables();
    document_.startUp(settings.lastFile, settings.reopenLastFile);
    showDocument();
    setStatus({});
    updatePosition();
}

TCalculat::~TCalculat() {
    // Signals from the page must not reach a half-destroyed window.
    Memo->disconnect(this);
}

QString TCalculat::pageText() const {
    return Memo->toPlainText();
}

// ---- Building the window ----

void TCalculat::buildMenus() {
    QMenu* fichier = menuBar()->addMenu("&Fichier");
    fichier->addAction("&Nouveau", this, &TCalculat::Nouveau1Click);
    fichier->addAction("&Ouvrir...", this, &TCalculat::Ouvrir1Click);
    fichier->addAction("&Enregistrer", this, &TCalculat::Enregistrer1Click);
    fichier->addAction("Enregistrer &sous...", this, &TCalculat::Enregistrersous1Click);
    fichier->addAction("&Imprimer...", this, &TCalculat::Imprimer1Click);
    fichier->addSeparator();
    fichier->addAction("&Fermer", QKeySequence("Alt+X"), this, &QWidget::close);

    Edition1 = menuBar()->addMenu("&Edition");
    Couper1 = Edition1->addAction("&Couper", QKeySequence("Ctrl+X"), Memo, &QPlainTextEdit::cut);
    Copier1 = Edition1->addAction("Co&pier", QKeySequence("Ctrl+C"), Memo, &QPlainTextEdit::copy);
    Coller1 = Edition1->addAction("C&oller", QKeySequence("Ctrl+V"), Memo, &QPlainTextEdit::paste);
    Supprimer1 = Edition1->addAction("&Supprimer", QKeySequence("Ctrl+D"), this,
                                     [this] { Memo->textCursor().removeSelectedText(); });
    Edition1->addSeparator();
    Edition1->addAction("&Tout sélectionner", QKeySequence("Ctrl+T"), Memo,
                        &QPlainTextEdit::selectAll);
    connect(Edition1, &QMenu::aboutToShow, this, &TCalculat::Edition1Show);

    QMenu* options = menuBar()->addMenu("&Options");
    options->addAction("&Police...", this, &TCalculat::Police1Click);
    QMenu* decimales = options->addMenu("&Décimales");
    decimalsItems_[DecimalsSetting::kNone] = decimales->addAction("&Aucune");
    decimalsItems_[DecimalsSetting::kFloating] = decimales->addAction("&Flottante");
    QMenu* fixe = decimales->addMenu("Fi&xe");
    for (int n = 1; n <= 15; ++n) {
        decimalsItems_[static_cast<std::size_t>(n + 1)] = fixe->addAction(QString::number(n));
    }
    for (int i = 0; i < DecimalsSetting::kCount; ++i) {
        QAction* item = decimalsItems_[static_cast<std::size_t>(i)];
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { chooseDecimals(i); });
    }
    options->addSeparator();
    Ouvrirdemarrage1 = options->addAction("&Ouvrir au démarrage le dernier fichier utilisé");
    Ouvrirdemarrage1->setCheckable(true);
    Prevenir1 = options->addAction("Prévenir en fermant si la page de calculs a été modifiée");
    Prevenir1->setCheckable(true);

    QMenu* help = menuBar()->addMenu("&?");
    help->addAction("&Aide...", this, &TCalculat::Aide1Click);
}

void TCalculat::buildToolBar() {
    QToolBar* bar = addToolBar("Outils");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonFollowStyle);
    const auto button = [&](const char* icon, const QString& text, const QString& hint, auto slot) {
        QAction* action = bar->addAction(themeIcon(icon), text);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    button("document-new", "Nouveau", "Nouveau", &TCalculat::Nouveau1Click);
    button("document-open", "Ouvrir", "Ouvrir", &TCalculat::Ouvrir1Click);
    button("document-save", "Enregistrer", "Enregistrer", &TCalculat::Enregistrer1Click);
    button("document-print", "Imprimer", "Imprimer", &TCalculat::Imprimer1Click);
    bar->addSeparator();
    CouperButton = button("edit-cut", "Couper", "Couper", [this] {
        Memo->cut();
        emit pasteAvailable(!QApplication::clipboard()->text().isEmpty());
    });
    CopierButton = button("edit-copy", "Copier", "Copier", [this] {
        Memo->copy();
        emit pasteAvailable(!QApplication::clipboard()->text().isEmpty());
    });
    CollerButton = button("edit-paste", "Coller", "Coller", [this] { Memo->paste(); });
    bar->addSeparator();
    button("", "→ €", "Convertir le résultat en Euros", &TCalculat::EurosClick);
    button("", "→ F", "Convertir le résultat en Francs", &TCalculat::FrancsClick);

    // The display switch, the position, help and close, on a second row: the position
    // label alone is too wide to share the first one.
    addToolBarBreak();
    QToolBar* view = addToolBar("Affichage");
    view->setObjectName("ToolBar2");
    view->setMovable(false);
    auto* flick = new QWidget;
    auto* flickLayout = new QHBoxLayout(flick);
    flickLayout->setContentsMargins(6, 0, 6, 0);
    flickLayout->addWidget(new QLabel("Page"));
    KSFlick = new QSlider(Qt::Horizontal);
    KSFlick->setObjectName("KSFlick");
    KSFlick->setRange(0, 1);
    KSFlick->setPageStep(1);
    KSFlick->setFixedWidth(44);
    KSFlick->setToolTip("Mode d'affichage");
    KSFlick->setStyleSheet("QSlider::groove:horizontal { height: 14px; border: 1px solid #888;"
                           " background: white; border-radius: 7px; }"
                           "QSlider::sub-page:horizontal { background: rgb(230,255,255);"
                           " border-radius: 7px; }"
                           "QSlider::handle:horizontal { width: 18px; margin: -2px 0;"
                           " background: #6a8caf; border-radius: 9px; }");
    flickLayout->addWidget(KSFlick);
    flickLayout->addWidget(new QLabel("Ruban"));
    flick->setToolTip("Mode d'affichage");
    flick->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    view->addWidget(flick);
    connect(KSFlick, &QSlider::valueChanged, this, &TCalculat::KSFlickChange);
    view->addSeparator();

    PosLabel = new QLabel;
    PosLabel->setObjectName("PosLabel");
    PosLabel->setMinimumWidth(170);
    PosLabel->setContentsMargins(6, 0, 6, 0);
    PosLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    view->addWidget(PosLabel);
    view->addSeparator();
    for (QAction* action : {view->addAction(themeIcon("help-browser"), "Aide"),
                            view->addAction(themeIcon("window-close"), "Fermer")}) {
        action->setToolTip(action->text());
    }
    connect(view->actions().at(view->actions().size() - 2), &QAction::triggered, this,
            &TCalculat::Aide1Click);
    connect(view->actions().back(), &QAction::triggered, this, &QWidget::close);
}

QPushButton* TCalculat::keypadButton(const QString& caption, const QString& hint) {
    auto* b = new QPushButton(caption);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(34);
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return b;
}

QWidget* TCalculat::buildKeypad() {
    auto* panel = new QFrame;
    panel->setObjectName("Keypad");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setToolTip(kKeypadHint);
    panel->setMaximumWidth(310);
    auto* column = new QVBoxLayout(panel);
    column->setSpacing(6);

    // Characters, "=", "&C", "&R", "&e", "&p".
    auto* keys = new QGridLayout;
    keys->setSpacing(3);
    const struct {
        const char* text;
        const char* hint;
        int row, col;
    } characters[] = {
        {"7", "", 0, 0},         {"8", "", 0, 1},
        {"9", "", 0, 2},         {"÷", "Division", 0, 3},
        {"(", "", 0, 4},         {")", "", 0, 5},
        {"4", "", 1, 0},         {"5", "", 1, 1},
        {"6", "", 1, 2},         {"×", "Multiplication", 1, 3},
        {"(", "", 1, 4},         {")", "", 1, 5},
        {"1", "", 2, 0},         {"2", "", 2, 1},
        {"3", "", 2, 2},         {"-", "", 2, 3},
        {"^", "Exposant", 2, 4}, {"\\", "Modulo", 2, 5},
        {"0", "", 3, 0},         {",", "", 3, 1},
        {"%", "", 3, 2},         {"+", "", 3, 3},
    };
    for (const auto& c : characters) {
        QString hint = q(c.hint);
        if (QString(c.text) == ")") {
            hint = "N'oubliez pas de refermer les parenthèses ouvertes !";
        }
        QPushButton* b = keypadButton(q(c.text), hint);
        const std::string text = c.text;
        connect(b, &QPushButton::clicked, this, [this, text] { insertFromKeypad(text); });
        keys->addWidget(b, c.row, c.col);
    }
    QPushButton* equals =
        keypadButton("=", "Calcule (vous pouvez également utiliser la touche Entrée)");
    equals->setObjectName("Egal");
    equals->setStyleSheet("font-weight: bold;");
    connect(equals, &QPushButton::clicked, this, &TCalculat::EgalClick);
    keys->addWidget(equals, 3, 4, 1, 2);

    QPushButton* clear = keypadButton("&C", "Efface la page de calculs");
    connect(clear, &QPushButton::clicked, this, &TCalculat::CClick);
    keys->addWidget(clear, 4, 0);
    QPushButton* previous =
        keypadButton("&R", "Insère le résultat du calcul précédent à la position du curseur");
    connect(previous, &QPushButton::clicked, this, &TCalculat::RClick);
    keys->addWidget(previous, 4, 1);
    QPushButton* e = keypadButton("&e", "e");
    connect(e, &QPushButton::clicked, this,
            [this] { insertFromKeypad(sheet_.formatResult(std::numbers::e)); });
    keys->addWidget(e, 4, 2);
    QPushButton* pi = keypadButton("&p", "pi");
    connect(pi, &QPushButton::clicked, this,
            [this] { insertFromKeypad(sheet_.formatResult(std::numbers::pi)); });
    keys->addWidget(pi, 4, 3);
    column->addLayout(keys);

    // The 28 functions.
    auto* functions = new QGridLayout;
    functions->setSpacing(3);
    int index = 0;
    for (const calculator::CalculatorFunction& f : calculator::calculatorFunctions()) {
        QPushButton* b = keypadButton(QString::fromUtf8(f.name.data(), f.name.size()),
                                      QString::fromUtf8(f.hint.data(), f.hint.size()));
        const std::string text = std::string(f.name) + "(";
        connect(b, &QPushButton::clicked, this, [this, text] { insertFromKeypad(text); });
        functions->addWidget(b, index / 7, index % 7);
        ++index;
    }
    column->addLayout(functions);

    // The ten variables, in two columns.
    auto* variables = new QGridLayout;
    variables->setHorizontalSpacing(4);
    variables->setVerticalSpacing(2);
    for (int i = 0; i < 10; ++i) {
        const char letter = calculator::Worksheet::kLetters[static_cast<std::size_t>(i)];
        auto* label = new QPushButton(QString("%1 =").arg(QChar(letter)));
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setFlat(true);
        label->setFocusPolicy(Qt::NoFocus);
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        label->setMinimumWidth(34);
        connect(label, &QPushButton::clicked, this,
                [this, letter] { insertFromKeypad(std::string(1, letter)); });
        auto* edit = new QLineEdit("0");
        edit->setObjectName(QString("Edit%1").arg(i + 1));
        edit->setMaximumWidth(90);
        edit->installEventFilter(this);
        Edit[static_cast<std::size_t>(i)] = edit;
        variables->addWidget(label, i % 5, (i / 5) * 2);
        variables->addWidget(edit, i % 5, (i / 5) * 2 + 1);
    }
    column->addLayout(variables);
    QPushButton* zero = new QPushButton("Toutes les variables à zéro");
    zero->setFocusPolicy(Qt::NoFocus);
    connect(zero, &QPushButton::clicked, this, &TCalculat::ZeroClick);
    column->addWidget(zero);
    column->addStretch(1);
    return panel;
}

// ---- Settings ----

void TCalculat::applySettings(const calculator::CalculatSettings& settings) {
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    resize(settings.width, settings.height);
    move(settings.x.value_or(screen.x() + (screen.width() - 640) / 2),
         settings.y.value_or(screen.y() + (screen.height() - 480) / 2));
    if (settings.maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    Ouvrirdemarrage1->setChecked(settings.reopenLastFile);
    Prevenir1->setChecked(settings.promptOnClose);
    sheet_.decimals() = settings.decimals;
    sheet_.setMode(settings.tape ? DisplayMode::Tape : DisplayMode::Page);

    QFont font(q(settings.fontName));
    font.setPointSize(settings.fontSize > 0 ? settings.fontSize : 12);
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    font.setUnderline(settings.underline);
    font.setStrikeOut(settings.strikeOut);
    Memo->setFont(font);
    fontColourRef_ = settings.fontColour;
    fontHeight_ = settings.fontHeight;
    QPalette palette = Memo->palette();
    palette.setColor(QPalette::Text, fromColourRef(fontColourRef_));
    Memo->setPalette(palette);
}

void TCalculat::saveSettings() {
    calculator::CalculatSettings settings;
    settings.lastFile = document_.lastFileSetting();
    settings.maximised = isMaximized();
    const QRect place = placeToSave(*this);
    settings.x = place.x();
    settings.y = place.y();
    settings.width = place.width();
    settings.height = place.height();
    settings.reopenLastFile = Ouvrirdemarrage1->isChecked();
    settings.promptOnClose = Prevenir1->isChecked();
    settings.tape = sheet_.mode() == DisplayMode::Tape;
    settings.decimals = sheet_.decimals();
    const QFont font = Memo->font();
    settings.fontName = s(font.family());
    settings.fontColour = fontColourRef_;
    settings.fontHeight = fontHeight_;
    settings.fontSize = font.pointSize();
    settings.bold = font.bold();
    settings.italic = font.italic();
    settings.underline = font.underline();
    settings.strikeOut = font.strikeOut();
    settings.write(registry_);
}

void TCalculat::chooseDecimals(int item) {
    sheet_.decimals().choose(item);
    syncDecimalsMenu();
    EgalClick();
}

void TCalculat::syncDecimalsMenu() {
    for (int i = 0; i < DecimalsSetting::kCount; ++i) {
        decimalsItems_[static_cast<std::size_t>(i)]->setChecked(sheet_.decimals().ticked(i));
    }
}

// ---- Model and view ----

void TCalculat::pullPage() {
    const QTextCursor cursor = Memo->textCursor();
    sheet_.setPage(s(Memo->toPlainText()));
    sheet_.setCaret(cursor.blockNumber(), cursor.positionInBlock());
}

void TCalculat::pullVariables() {
    for (std::size_t i = 0; i < Edit.size(); ++i) {
        sheet_.variables()[i] = s(Edit[i]->text());
    }
}

void TCalculat::showPage() {
    updating_ = true;
    const QString text = q(sheet_.page());
    if (Memo->toPlainText() != text) {
        Memo->setPlainText(text);
    }
    const QTextBlock block = Memo->document()->findBlockByNumber(sheet_.caretLine());
    QTextCursor cursor(Memo->document());
    cursor.setPosition(block.position() + std::min(sheet_.caretColumn(), block.length() - 1));
    Memo->setTextCursor(cursor);
    updating_ = false;
}

void TCalculat::showVariables() {
    for (std::size_t i = 0; i < Edit.size(); ++i) {
        Edit[i]->setText(q(sheet_.variables()[i]));
    }
}

void TCalculat::showMode() {
    const bool tape = sheet_.mode() == DisplayMode::Tape;
    KSFlick->blockSignals(true);
    KSFlick->setValue(tape ? 1 : 0);
    KSFlick->blockSignals(false);
    QTextOption option = Memo->document()->defaultTextOption();
    option.setAlignment(tape ? Qt::AlignRight : Qt::AlignLeft);
    Memo->document()->setDefaultTextOption(option);
    // A tape is read down its right edge: no horizontal scrolling.
    Memo->setLineWrapMode(tape ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(tape ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void TCalculat::showDocument() {
    showPage();
    showVariables();
    showMode();
    syncDecimalsMenu();
    setWindowTitle(q(document_.caption()));
}

void TCalculat::setStatus(const calculator::StatusLine& status) {
    Panel2->setText(q(status.text));
    Panel2->setStyleSheet(status.error ? "color: rgb(200,0,0); font-weight: bold;"
                                       : "color: rgb(0,128,0); font-weight: bold;");
}

void TCalculat::insertFromKeypad(const std::string& text) {
    const QTextCursor cursor = Memo->textCursor();
    const int length = cursor.block().length() - 1;
    if (const auto warning =
            calculator::Worksheet::insertionWarning(length, cursor.blockNumber() + 1)) {
        dialogs_.warn(*warning);
        return;
    }
    Memo->insertPlainText(
        q(calculator::Worksheet::keypadText(text, sheet_.mode(), cursor.positionInBlock())));
    Memo->setFocus();
}

void TCalculat::afterFileCommand() {
    showDocument();
    setStatus(document_.status());
    Memo->setFocus();
}

// ---- Commands ----

void TCalculat::showWorksheet() {
    show();
    raise();
    activateWindow();
    QTextCursor cursor = Memo->textCursor();
    cursor.movePosition(QTextCursor::Start);
    Memo->setTextCursor(cursor);
    Memo->setFocus();
    setStatus({});
}

void TCalculat::EgalClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busy_ = true;
    pullPage();
    pullVariables();
    const int firstVisible = Memo->verticalScrollBar()->value();
    const QString before = Memo->toPlainText();
    const calculator::ComputeOutcome outcome = sheet_.compute();
    showPage();
    showVariables();
    if (Memo->toPlainText() != before) {
        document_.setModified(true);
    }
    setStatus(outcome.status);
    if (outcome.beep) {
        QApplication::beep();
    }
    if (outcome.badVariable >= 0) {
        QLineEdit* box = Edit[static_cast<std::size_t>(outcome.badVariable)];
        box->setFocus();
        box->selectAll();
    } else {
        if (outcome.errorLine >= 0) {
            const QTextBlock block = Memo->document()->findBlockByNumber(outcome.errorLine);
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            Memo->setTextCursor(cursor);
        } else if (outcome.restoreScroll) {
            Memo->verticalScrollBar()->setValue(firstVisible);
        }
        Memo->setFocus();
    }
    busy_ = false;
    QApplication::restoreOverrideCursor();
    updatePosition();
}

void TCalculat::CClick() {
    Memo->clear();
    setStatus({});
    Memo->setFocus();
}

void TCalculat::RClick() {
    pullPage();
    if (const auto result = sheet_.previousResult()) {
        insertFromKeypad(*result);
    }
}

void TCalculat::EurosClick() {
    pullPage();
    if (const auto warning = sheet_.insertionWarning()) {
        dialogs_.warn(*warning);
        return;
    }
    if (sheet_.convertResult(calculator::Currency::Euros)) {
        showPage();
        document_.setModified(true);
    }
}

void TCalculat::FrancsClick() {
    pullPage();
    if (const auto warning = sheet_.insertionWarning()) {
        dialogs_.warn(*warning);
        return;
    }
    if (sheet_.convertResult(calculator::Currency::Francs)) {
        showPage();
        document_.setModified(true);
    }
}

void TCalculat::ZeroClick() {
    for (QLineEdit* edit : Edit) {
        edit->setText("0");
    }
}

void TCalculat::KSFlickChange(int position) {
    pullPage();
    if (sheet_.switchMode(position == 1 ? DisplayMode::Tape : DisplayMode::Page)) {
        showPage();
        showMode();
    }
    Memo->setFocus();
}

void TCalculat::Nouveau1Click() {
    pullPage();
    pullVariables();
    if (document_.newPage()) {
        afterFileCommand();
    }
}

void TCalculat::Ouvrir1Click() {
    pullPage();
    pullVariables();
    document_.open();
    afterFileCommand();
}

void TCalculat::Enregistrer1Click() {
    pullPage();
    pullVariables();
    document_.save();
    setWindowTitle(q(document_.caption()));
}

void TCalculat::Enregistrersous1Click() {
    pullPage();
    pullVariables();
    document_.saveAs();
    setWindowTitle(q(document_.caption()));
}

void TCalculat::Imprimer1Click() {
    QPrinter printer;
    printer.setDocName(q(document_.printTitle()));
    QPrintDialog dialog(&printer, this);
    const bool selected = Memo->textCursor().hasSelection();
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selected);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    pullPage();
    std::optional<std::string> selection;
    if (selected && printer.printRange() == QPrinter::Selection) {
        selection = s(Memo->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n'));
    }
    const std::vector<std::string> lines = document_.printout(clock_.now(), selection);
    // One printout per copy, each from a new page.
    const int copies = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs_.fail("Impression impossible.");
        return;
    }
    painter.setFont(QFont(Memo->font(), painter.device()));
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const int pageHeight = painter.viewport().height();
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0) {
            printer.newPage();
        }
        int y = lineHeight;
        for (const std::string& line : lines) {
            if (y > pageHeight) {
                printer.newPage();
                y = lineHeight;
            }
            painter.drawText(0, y, q(line));
            y += lineHeight;
        }
    }
    painter.end();
}

void TCalculat::Police1Click() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, Memo->font(), this, "Police");
    if (ok) {
        Memo->setFont(font);
    }
}

void TCalculat::Aide1Click() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(paths_.programFile("help"), this);
    }
    help_->showPage(QStringLiteral("calculatrice.html"));
}

void TCalculat::Edition1Show() {
    const bool selected = Memo->textCursor().hasSelection();
    Couper1->setEnabled(selected);
    Copier1->setEnabled(selected);
    Supprimer1->setEnabled(selected);
    Coller1->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

void TCalculat::MemoChange() {
    if (!updating_) {
        document_.setModified(true);
    }
    updatePosition();
}

void TCalculat::updatePosition() {
    if (busy_) {
        return;
    }
    const QTextCursor cursor = Memo->textCursor();
    PosLabel->setText(QString("Ligne : %1 - Colonne : %2")
                          .arg(cursor.blockNumber() + 1)
                          .arg(cursor.positionInBlock() + 1));
}

void TCalculat::closeEvent(QCloseEvent* event) {
    pullPage();
    pullVariables();
    if (!document_.queryClose(Prevenir1->isChecked())) {
        event->ignore();
        return;
    }
    saveSettings();
    event->accept();
}

bool TCalculat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease) {
        updatePosition();
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QString text = key->text();
    const char32_t typed = enter ? U'\r' : (text.size() == 1 ? text.at(0).unicode() : 0);
    if (typed == 0 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    if (watched == Memo) {
        const calculator::KeyDecision decision = calculator::Worksheet::filterKey(
            typed, sheet_.mode(), Memo->textCursor().positionInBlock());
        switch (decision.kind) {
        case calculator::KeyDecision::Kind::Refuse:
            return true;
        case calculator::KeyDecision::Kind::Compute:
            EgalClick();
            return true;
        case calculator::KeyDecision::Kind::Insert:
            if (q(decision.text) == text) {
                return false;
            }
            Memo->insertPlainText(q(decision.text));
            return true;
        }
    }
    for (QLineEdit* edit : Edit) {
        if (watched == edit) {
            const calculator::KeyDecision decision =
                calculator::Worksheet::filterVariableKey(typed);
            if (decision.kind == calculator::KeyDecision::Kind::Compute) {
                EgalClick();
                return true;
            }
            if (q(decision.text) != text) {
                edit->insert(q(decision.text));
                return true;
            }
            return false;
        }
    }
    return false;
}

// ---- File dialogs ----

std::optional<std::filesystem::path>
TCalculat::chooseFileToOpen(const std::filesystem::path& folder) {
    if (prompts_) {
        return prompts_->chooseFileToOpen(folder);
    }
    const QString name = FrenchFileDialog::openFileName(this, "Ouvrir", q(folder.string()),
                                                        "Calculatrice (*.CLC *.clc)");
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(name.toStdString());
}

std::optional<std::filesystem::path>
TCalculat::chooseFileToSave(const std::filesystem::path& folder) {
    if (prompts_) {
        return prompts_->chooseFileToSave(folder);
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    FrenchFileDialog dialog(this, "Enregistrer sous", q(folder.string()), "Calculatrice (*.CLC)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("CLC");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}
