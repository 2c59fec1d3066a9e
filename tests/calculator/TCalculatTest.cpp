// The calculator window's wiring, offscreen: keypad, typing, "=", settings at close and
// creation, reopening the last file. Set LEDGORA_SCREENSHOT to a PNG path to keep a picture
// of a computed page.
#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <deque>
#include <memory>

#include "calculator/CalculatSettings.h"
#include "calculator/ui/TCalculat.h"
#include "platform/FileIO.h"
#include "platform/Registry.h"
#include "support/TempFolder.h"

namespace {

// Answers "No" to questions, cancels the file dialogs and records messages.
class QuietPrompts : public calculator::WorksheetPrompts, public platform::Dialogs {
public:
    std::vector<std::string> shown;
    platform::Reply message(platform::MessageKind, const std::string& text,
                            platform::Buttons buttons, const std::string&) override {
        shown.push_back(text);
        return buttons == platform::Buttons::Ok ? platform::Reply::Ok : platform::Reply::No;
    }
    std::optional<int> chooseFromList(const std::string&, const std::vector<std::string>&,
                                      int) override {
        return std::nullopt;
    }
    std::optional<std::string> askPassword(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path&) override {
        return std::nullopt;
    }
};

QPushButton* key(QWidget& window, const QString& text) {
    for (QPushButton* b : window.findChildren<QPushButton*>()) {
        if (b->text() == text) {
            return b;
        }
    }
    qFatal("no button %s", qPrintable(text));
    return nullptr;
}

QAction* action(QWidget& window, const QString& text) {
    for (QAction* a : window.findChildren<QAction*>()) {
        if (a->text() == text) {
            return a;
        }
    }
    qFatal("no action %s", qPrintable(text));
    return nullptr;
}

void press(QWidget& window, const QStringList& keys) {
    for (const QString& k : keys) {
        key(window, k)->click();
    }
}

const std::string kSection = "Software\\Orvand\\Ledgora\\Calculat";

} // namespace

class TCalculatTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ledgora::testing::TempFolder> dir_;
    std::unique_ptr<platform::Registry> registry_;
    std::unique_ptr<platform::Paths> paths_;
    QuietPrompts prompts_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};

    std::unique_ptr<TCalculat> window() {
        auto w = std::make_unique<TCalculat>(*registry_, *paths_, clock_, prompts_);
        w->setPrompts(&prompts_);
        return w;
    }
    QPlainTextEdit* memo(QWidget& w) { return w.findChild<QPlainTextEdit*>("Memo"); }
    QString status(QWidget& w) { return w.findChild<QLabel*>("Panel2")->text(); }

private slots:
    void init() {
        dir_ = std::make_unique<ledgora::testing::TempFolder>();
        const std::filesystem::path root = dir_->path().string();
        registry_ = std::make_unique<platform::Registry>(root / "registry");
        paths_ = std::make_unique<platform::Paths>(root, root / "registry", root);
    }

    void keypadTypesIntoThePageAndEqualsComputes() {
        auto w = window();
        w->showWorksheet();
        QCOMPARE(status(*w), QString("Prêt"));
        press(*w, {"2", "+", "3", "×", "4", "="});
        QCOMPARE(w->pageText(), QString("2+3×4=14,00\n"));
        QCOMPARE(status(*w), QString("ok"));

        w->findChild<QLineEdit*>("Edit1")->setText("1,5");
        press(*w, {"x =", "^", "2", "-", "SQR", "4", ")", "="});
        QCOMPARE(w->pageText(), QString("2+3×4=14,00\nx^2-SQR(4)=0,25\n"));
        press(*w, {"&R"});
        QCOMPARE(w->pageText(), QString("2+3×4=14,00\nx^2-SQR(4)=0,25\n0,25"));

        w->findChild<QLineEdit*>("Edit2")->setText("abc");
        press(*w, {"="});
        QCOMPARE(status(*w), QString("La valeur de la variable y est incorrecte."));
        press(*w, {"Toutes les variables à zéro", "&C"});
        QCOMPARE(w->pageText(), QString());
        QCOMPARE(w->findChild<QLineEdit*>("Edit1")->text(), QString("0"));

        press(*w, {"4", "÷", "0", "="});
        QCOMPARE(w->pageText(), QString("4÷0=?"));
        QCOMPARE(status(*w), QString("Erreur en ligne 1 : division par zéro."));
    }

    void everyFunctionKeyInsertsAFunctionTheEvaluatorKnows() {
        auto w = window();
        w->showWorksheet();
        const char* names[] = {"ABS", "ACH", "ACO", "ASI", "ASH", "ATH", "ATN", "CAR", "COH", "COS",
                               "CUB", "DEG", "EXP", "FAC", "FIX", "FRC", "INT", "INV", "LGN", "LOG",
                               "RAD", "RND", "SIH", "SIN", "SGN", "SQR", "TAH", "TAN"};
        for (const char* name : names) {
            QPushButton* b = key(*w, name);
            QVERIFY2(!b->toolTip().isEmpty(), name);
            press(*w, {"&C", name, "0", ",", "5", ")", "="});
            QVERIFY2(w->pageText().startsWith(QString(name) + "(0,5)="), name);
            // A name the evaluator did not know would stay in the line, unreadable.
            QVERIFY2(!status(*w).contains("expression incorrecte"), name);
        }
        QCOMPARE(key(*w, "ABS")->toolTip(), QString("valeur absolue"));
        QCOMPARE(key(*w, "RAD")->toolTip(), QString("conversion degrés -> radians)"));
    }

    void theWindowComesBackWhereItWasLeft() {
        QPoint frame;
        {
            auto w = window();
            w->showWorksheet();
            w->move(60, 70);
            QTRY_COMPARE(w->pos(), QPoint(60, 70));
            frame = w->pos();
            QVERIFY(w->close());
        }
        for (int start = 2; start <= 3; ++start) {
            auto w = window();
            w->showWorksheet();
            QTRY_COMPARE(w->pos(), frame);
            QVERIFY(w->close());
        }
    }

    void theCaretsPlaceAndBlanksAroundAVariable() {
        auto w = window();
        // Filled from the start, before the caret ever moves.
        QCOMPARE(w->findChild<QLabel*>("PosLabel")->text(), QString("Ligne : 1 - Colonne : 1"));
        w->showWorksheet();
        w->findChild<QLineEdit*>("Edit1")->setText("-2 ");
        press(*w, {"x =", "^", "2", "="});
        QCOMPARE(status(*w), QString("ok"));
        QCOMPARE(w->pageText(), QString("x^2=4,00\n"));
    }

    void typingFollowsTheKeyFilterAndTheSwitchMakesATape() {
        auto w = window();
        w->showWorksheet();
        QPlainTextEdit* page = memo(*w);
        QTest::keyClicks(page, "4 * 2.5");
        QCOMPARE(w->pageText(), QString("4×2,5"));
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(w->pageText(), QString("4×2,5=10,00\n"));
        QCOMPARE(w->findChild<QLabel*>("PosLabel")->text(), QString("Ligne : 2 - Colonne : 1"));

        w->findChild<QSlider*>("KSFlick")->setValue(1);
        QCOMPARE(w->pageText(), QString("4\n×2,5\n=10,00"));
        press(*w, {"&C"});
        QTest::keyClicks(page, "2+3=");
        QCOMPARE(w->pageText(), QString("2\n+3\n=5,00\n"));

        QTest::keyClicks(w->findChild<QLineEdit*>("Edit3"), "1.5");
        QCOMPARE(w->findChild<QLineEdit*>("Edit3")->text(), QString("01,5"));
    }

    void settingsAreWrittenAtCloseAndReadAtCreation() {
        {
            auto w = window();
            w->showWorksheet();
            action(*w, "&Flottante")->trigger();
            w->findChild<QSlider*>("KSFlick")->setValue(1);
            action(*w, "&Ouvrir au démarrage le dernier fichier utilisé")->setChecked(false);
            registry_->writeString(platform::Hive::CurrentUser, kSection, "Stale", "x");
            QVERIFY(w->close());
        }
        const auto user = platform::Hive::CurrentUser;
        QCOMPARE(registry_->readString(user, kSection, "Flottante"), std::string("1"));
        QCOMPARE(registry_->readString(user, kSection, "d2"), std::string("0"));
        QCOMPARE(registry_->readString(user, kSection, "Ruban"), std::string("1"));
        QCOMPARE(registry_->readString(user, kSection, "Open"), std::string("0"));
        QCOMPARE(registry_->readString(user, kSection, "w"), std::string("640"));
        QVERIFY(!registry_->value(user, kSection, "Stale").has_value());

        registry_->writeString(user, kSection, "d2", "1");
        auto again = window();
        QVERIFY(action(*again, "&Flottante")->isChecked());
        QVERIFY(action(*again, "2")->isChecked());
        QCOMPARE(again->findChild<QSlider*>("KSFlick")->value(), 1);
        QVERIFY(!action(*again, "&Ouvrir au démarrage le dernier fichier utilisé")->isChecked());
    }

    void theLastFileIsReopenedWhenAsked() {
        const std::filesystem::path file = dir_->path().string() + "/page.CLC";
        platform::writeFileAtomically(
            file,
            platform::readFile(std::string(LEDGORA_TEST_DATA) + "/calculator/page.CLC").value());
        registry_->writeString(platform::Hive::CurrentUser, kSection, "DernierFichier",
                               file.string());
        auto w = window();
        QCOMPARE(w->pageText(), QString("2+3=5,00\n1÷3=0,33\nx^2=4,00\n"));
        QCOMPARE(w->windowTitle(), QString("Calculatrice : fichier page.CLC"));
        QCOMPARE(w->findChild<QLineEdit*>("Edit10")->text(), QString("1,5"));
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);

        // A modified page is asked about at close; "No" closes without saving.
        press(*w, {"7"});
        QVERIFY(w->close());
        QCOMPARE(prompts_.shown.back(),
                 std::string("page.CLC a été modifié. Voulez-vous l'enregistrer ?"));
        QCOMPARE(registry_->readString(platform::Hive::CurrentUser, kSection, "DernierFichier"),
                 file.string());
    }

    void screenshotOfAComputedPage() {
        const QByteArray target = qgetenv("LEDGORA_SCREENSHOT");
        if (target.isEmpty()) {
            QSKIP("LEDGORA_SCREENSHOT not set");
        }
        // At the default size; with an icon theme when one is named (the program chooses it).
        if (!qEnvironmentVariableIsEmpty("LEDGORA_ICON_THEME")) {
            QIcon::setThemeSearchPaths({"/usr/share/icons"});
            QIcon::setThemeName(qEnvironmentVariable("LEDGORA_ICON_THEME"));
        }
        auto w = window();
        w->showWorksheet();
        w->findChild<QLineEdit*>("Edit1")->setText("2");
        w->findChild<QLineEdit*>("Edit2")->setText("1,5");
        QTest::keyClicks(memo(*w), "2+3*4\r1/3*3\rx^2+y\rFAC(10)\rSQR(2)\r1000*19,6%\r");
        QTest::keyClicks(memo(*w), "4/(2-2");
        QTest::keyClick(memo(*w), Qt::Key_Return);
        QTest::qWait(50);
        QVERIFY(w->grab().save(QString::fromLocal8Bit(target)));
    }
};

QTEST_MAIN(TCalculatTest)
#include "TCalculatTest.moc"
