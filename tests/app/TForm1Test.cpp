// The main window's wiring, offscreen: first start, typing an operation, the currency
// switch, closing (or not: a failed save, "Annuler" at the calculator's question) and
// starting again at the same place. Questions are answered by a scripted dialogs port.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "Shots.h"
#include <QWindow>

#include <filesystem>
#include <memory>

#include "AppWindow.h"
#include "DeclinedBackup.h"
#include "app/TForm1.h"
#include "calculator/ui/TCalculat.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "register/ScriptedAccountForms.h"
#include "register/ui/RegisterModel.h"
#include "support/TempFolder.h"
#include "ui/HelpWindow.h"

using platform::Hive;
namespace settings = platform::settings;

class TForm1Test : public QObject {
    Q_OBJECT

private:
    platform::Paths paths() const {
        const std::string root = home_.path().string();
        return platform::Paths(root, root + "/registry", root + "/program");
    }
    static QAction* action(TForm1& w, const char* name) {
        return w.findChild<QAction*>(QString::fromLatin1(name));
    }
    static void typeInto(TForm1& w, int gridRow, int gridColumn, const QString& text) {
        QTableView* grid = w.grid();
        const QModelIndex index = w.model()->indexOf(gridRow, gridColumn);
        grid->setCurrentIndex(index);
        grid->edit(index);
        QWidget* editor = grid->indexWidget(index);
        if (editor == nullptr) {
            editor = QApplication::focusWidget();
        }
        QVERIFY(editor != nullptr);
        auto* line = qobject_cast<QLineEdit*>(editor);
        QVERIFY(line != nullptr);
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    }

    // A home of its own, for a test that must start from nothing.
    platform::Paths freshHome() {
        fresh_ = std::make_unique<ledgora::testing::TempFolder>();
        const std::string root = fresh_->path().string();
        return platform::Paths(root, root + "/registry", root + "/program");
    }

    ledgora::testing::TempFolder home_;
    std::unique_ptr<ledgora::testing::TempFolder> fresh_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    DeclinedBackup declined_;

private slots:
    void firstStartToSecondStart() {
        QVERIFY(std::filesystem::is_directory(home_.path()));
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        {
            AppWindow w(paths(), dialogs, clock_);
            w.setBackupOffer(&declined_);
            w.show();
            w.activateWindow();
            auto& session = w.workspace().session();
            QTRY_VERIFY(session.isOpen());
            QCOMPARE(dialogs.prompts(),
                     (std::vector<std::string>{"Nouvel utilisateur", "Nouveau compte"}));
            QCOMPARE(w.windowTitle(),
                     QStringLiteral("Ledgora - Anne : compte \"Courant\" (Euros)"));
            QCOMPARE(w.model()->rowCount(), 2);
            QCOMPARE(w.model()->indexOf(1, ledgora::col::Notes).data().toString(),
                     QStringLiteral("Solde initial"));
            QVERIFY(w.balanceText().contains(QStringLiteral("100.00")));
            QVERIFY(w.grid()->isVisible());

            // A debit typed in the blank row: normalised, balanced, a new blank row.
            typeInto(w, 2, ledgora::col::Debit, QStringLiteral("130,5"));
            QTRY_COMPARE(session.grid().at(2, ledgora::col::Debit), std::string("130.50"));
            QCOMPARE(session.grid().at(2, ledgora::col::Date), std::string("05/03/2024"));
            QCOMPARE(w.model()->rowCount(), 3);
            QVERIFY(w.balanceText().contains(QStringLiteral("-30.50")));
            QVERIFY(w.balanceText().contains(QStringLiteral("rgb(255,0,0)")));
            QVERIFY(w.reconciledText().contains(QStringLiteral("rgb(0,0,0)")));

            // Ticking the debit's mark changes the reconciled balance only.
            w.model()->setData(w.model()->indexOf(2, ledgora::col::Pointage), Qt::Checked,
                               Qt::CheckStateRole);
            QVERIFY(w.reconciledText().contains(QStringLiteral("-30.50")));

            action(w, "Franc1")->trigger();
            QVERIFY(!session.euros());
            QCOMPARE(session.grid().at(1, ledgora::col::Credit), std::string("655.96"));
            QVERIFY(w.windowTitle().endsWith(QStringLiteral("(Francs)")));
            QVERIFY(action(w, "Franc1")->isChecked());

            w.showNormal();
            w.setGeometry(30, 40, 700, 500);
            w.close();
            QCOMPARE(declined_.offers, 1); // the backup offered at closing
        }
        platform::Registry registry(paths().registryFolder());
        QCOMPARE(registry.valueNames(Hive::CurrentUser, settings::mainWindowKey()),
                 (std::vector<std::string>{"x", "y", "w", "h", "Maxi"}));
        QCOMPARE(registry.readInteger(Hive::CurrentUser, settings::mainWindowKey(), "w", 0), 700);
        QCOMPARE(registry.readString(Hive::CurrentUser, settings::mainWindowKey(), "Maxi"),
                 std::string("0"));
        QCOMPARE(registry.valueNames(Hive::CurrentUser, settings::optionsKey()).size(),
                 std::size_t{12});
        QCOMPARE(
            registry.readString(Hive::CurrentUser, settings::accountKey("Anne", "Courant"), "Euro"),
            std::string("0"));

        // Second start: the user chooser, then the account chooser.
        dialogs.clear();
        dialogs.choose(0).choose(0);
        AppWindow again(paths(), dialogs, clock_);
        again.setBackupOffer(&declined_);
        again.showAsSaved();
        again.activateWindow();
        QTRY_VERIFY(again.workspace().session().isOpen());
        QCOMPARE(dialogs.prompts(),
                 (std::vector<std::string>{"Choisir un utilisateur", "Ouvrir un compte existant"}));
        QCOMPARE(again.size(), QSize(700, 500));
        QVERIFY(!again.workspace().session().euros());
        QCOMPARE(again.workspace().session().grid().at(2, ledgora::col::Debit),
                 std::string("856.02"));
        QCOMPARE(again.model()->rowCount(), 3);
        QCOMPARE(again.grid()->currentIndex(), again.model()->indexOf(3, ledgora::col::Solde));
        QCOMPARE(dialogs.unscripted(), 0);
    }

    void theWindowComesBackWhereItWasLeft() {
        const platform::Paths home = freshHome();
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "0"}, true).no().no();
        QPoint frame;
        QRect inside;
        {
            AppWindow w(home, dialogs, clock_);
            w.setBackupOffer(&declined_);
            w.showAsSaved();
            w.showNormal();
            w.resize(700, 500);
            w.move(100, 120);
            QTRY_COMPARE(w.pos(), QPoint(100, 120));
            frame = w.pos();
            inside = w.geometry();
            w.close();
        }
        // Each later start shows it at the very same place, the second as the third.
        for (int start = 2; start <= 3; ++start) {
            dialogs.clear();
            AppWindow w(home, dialogs, clock_);
            w.setBackupOffer(&declined_);
            w.showAsSaved();
            QTRY_VERIFY(w.isVisible());
            QTRY_COMPARE(w.pos(), frame);
            QCOMPARE(w.geometry(), inside);
            if (start == 3) {
                saveShot(w, "main-window-third-start.png");
            }
            w.close();
        }
    }

    void aNewUserIsShownBeforeTheirFirstAccount() {
        const platform::Paths home = freshHome();
        // Records what the window shows when the account chooser or form opens.
        struct Watching : ledgora::ScriptedAccountForms {
            TForm1* window = nullptr;
            QStringList seen;
            void look() {
                seen << window->windowTitle() +
                            (window->grid()->isVisible() ? " + register" : " (no register)");
            }
            std::optional<int> chooseFromList(const std::string& caption,
                                              const std::vector<std::string>& items,
                                              int selected) override {
                look();
                return ScriptedDialogs::chooseFromList(caption, items, selected);
            }
            std::optional<ledgora::NameForm>
            newAccountForm(bool canCancel, bool euros,
                           const ledgora::NameFormCheck& check) override {
                look();
                return ScriptedAccountForms::newAccountForm(canCancel, euros, check);
            }
        } dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "0"}, true).no().no();
        AppWindow w(home, dialogs, clock_);
        w.setBackupOffer(&declined_);
        dialogs.window = &w;
        w.show();
        w.activateWindow();
        QTRY_VERIFY(w.workspace().session().isOpen());
        dialogs.fill({"Bob", ""}).fill({"Livret", "0"}, true).no().no();
        action(w, "Nouveau2")->trigger();
        dialogs.choose(0).choose(0); // back to Anne and her account
        action(w, "Choisir1")->trigger();
        QCOMPARE(dialogs.seen,
                 (QStringList{"Ledgora - Anne (no register)", "Ledgora - Bob (no register)",
                              "Ledgora - Anne (no register)"}));
        QCOMPARE(w.windowTitle(), QStringLiteral("Ledgora - Anne : compte \"Courant\" (Euros)"));
        QVERIFY(w.grid()->isVisible());
    }

    void aFailedSaveKeepsTheProgramOpen() {
        const platform::Paths home = freshHome();
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "0"}, true).no().no();
        AppWindow w(home, dialogs, clock_);
        w.setBackupOffer(&declined_);
        w.show();
        w.activateWindow();
        auto& session = w.workspace().session();
        QTRY_VERIFY(session.isOpen());
        session.validateCell(2, ledgora::col::Debit, "12");
        const std::filesystem::path file = home.accountFile("Anne", "Courant");
        std::filesystem::remove(file);
        std::filesystem::create_directories(file / "in the way");
        dialogs.clear();
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"Cannot Create " + file.string()});
        std::filesystem::remove_all(file); // space freed: closing again saves
        QVERIFY(w.close());
        ledgora::Grid saved;
        QVERIFY(!ledgora::readAccountFile(file, saved));
        QCOMPARE(saved.at(2, ledgora::col::Debit), std::string("12.00"));
    }

    void cancelAtTheCalculatorsQuestionKeepsTheProgram() {
        const platform::Paths home = freshHome();
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "0"}, true).no().no();
        AppWindow w(home, dialogs, clock_);
        w.setBackupOffer(&declined_);
        w.show();
        w.activateWindow();
        QTRY_VERIFY(w.workspace().session().isOpen());
        TCalculat* calculator = w.calculator();
        dialogs.clear();
        dialogs.cancel(); // the calculator's question about its page
        action(w, "Calculatrice1")->trigger();
        QVERIFY(calculator->isVisible());
        // Above every application's windows: a window of its own that asks to stay on top.
        QVERIFY(calculator->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(calculator->windowHandle()->transientParent() == nullptr);
        QTest::keyClicks(calculator->findChild<QPlainTextEdit*>("Memo"), "12+3");

        QVERIFY(!w.close());
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"La page de calculs a été modifiée. "
                                                           "Voulez-vous l'enregistrer ?"});
        QCOMPARE(dialogs.shown().back().buttons, platform::Buttons::YesNoCancel);
        QVERIFY(w.isVisible());
        QVERIFY(calculator->isVisible());
        QCOMPARE(calculator->pageText(), QStringLiteral("12+3"));

        dialogs.no();
        QVERIFY(w.close());
    }

    void menusFollowTheState() {
        ledgora::ScriptedAccountForms dialogs;
        dialogs.cancel(); // the chooser of the existing user is cancelled
        AppWindow w(paths(), dialogs, clock_);
        w.setBackupOffer(&declined_);
        w.show();
        w.activateWindow();
        QTRY_COMPARE(dialogs.prompts().size(), std::size_t{1});
        QVERIFY(!w.workspace().session().isOpen());
        QVERIFY(action(w, "Choisir1")->isEnabled());
        QVERIFY(!action(w, "Nouveau1")->isEnabled());
        QVERIFY(!action(w, "Enregistrer1")->isEnabled());
        QVERIFY(!action(w, "Euro1")->isEnabled());
        QVERIFY(!w.grid()->isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Ledgora"));
        QVERIFY(!action(w, "Miseajour1")->isVisible()); // no "maj" beside the program
    }

    void theToolsMenuOpensTheCalculatorsWithoutAnAccount() {
        ledgora::ScriptedAccountForms dialogs;
        dialogs.cancel(); // the chooser of the existing user is cancelled
        AppWindow w(paths(), dialogs, clock_);
        w.setBackupOffer(&declined_);
        w.show();
        w.activateWindow();
        QTRY_COMPARE(dialogs.prompts().size(), std::size_t{1});
        const std::pair<const char*, QString> items[] = {
            {"ConvertisseurFrancsEuros1",
             QStringLiteral("Sorvia - Convertisseur Francs <-> Euros")},
            {"Crdits1", QStringLiteral("Plan d'amortissement d'un crédit")},
            {"Placementsintrtssimples1", QStringLiteral("Placement à intérêts simples")},
            {"Placementsintrtscomposs1", QStringLiteral("Placement à intérêts composés")},
        };
        for (const auto& [name, caption] : items) {
            QVERIFY(action(w, name)->isEnabled());
            QString opened;
            QTimer closer;
            connect(&closer, &QTimer::timeout, this, [&] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    opened = modal->windowTitle();
                    modal->close();
                }
            });
            closer.start(20);
            action(w, name)->trigger(); // returns once the modal window is closed
            QCOMPARE(opened, caption);
        }
    }

    void theBuilderIsRegisteredAndCreatedAtStart() {
        // The program folder holds the registration tool and the builder library.
        const std::string program = home_.path().string() + "/program";
        std::filesystem::create_directories(program);
        for (const char* file : {"regsvr", "libtrellisk.so"}) {
            std::filesystem::copy_file(std::string(LEDGORA_BIN_DIR) + "/" + file,
                                       program + "/" + file,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        // The registration tool writes the registry of its environment: this home's.
        const QByteArray saved = qgetenv("LEDGORA_HOME");
        qputenv("LEDGORA_HOME", QByteArray::fromStdString(home_.path().string()));
        ledgora::ScriptedAccountForms dialogs;
        AppWindow w(paths(), dialogs, clock_);
        w.setBackupOffer(&declined_);
        qputenv("LEDGORA_HOME", saved);
        QVERIFY(w.builder() != nullptr);
        platform::Registry registry(paths().registryFolder());
        QVERIFY(registry.keyExists(Hive::ClassesRoot, "Trellisk.Trellisk"));
    }

    void helpOpensItsContents() {
        // The help pages ship in the program folder's "help" folder.
        ledgora::ScriptedAccountForms dialogs;
        const std::string program = home_.path().string() + "/program";
        std::filesystem::create_directories(program);
        std::filesystem::remove_all(program + "/help");
        std::filesystem::copy(std::string(LEDGORA_TEST_DATA) + "/../../resources/help",
                              program + "/help", std::filesystem::copy_options::recursive);
        AppWindow w(paths(), dialogs, clock_);
        w.setBackupOffer(&declined_);
        action(w, "Aide1")->trigger();
        QVERIFY(w.helpWindow() != nullptr && w.helpWindow()->isVisible());
        QCOMPARE(w.helpWindow()->currentPage(), QStringLiteral("index.html"));
        saveShot(*w.helpWindow(), "help-window.png");
    }
};

QTEST_MAIN(TForm1Test)
#include "TForm1Test.moc"
