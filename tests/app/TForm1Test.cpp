// The main window's wiring, offscreen: first start, typing an operation, the currency
// switch, closing, and starting again. Questions are answered by a scripted dialogs port.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "app/TForm1.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsKeys.h"
#include "register/RegisterColumns.h"
#include "register/ui/HelpWindow.h"
#include "register/ui/RegisterModel.h"

using platform::Hive;
namespace settings = platform::settings;

class TForm1Test : public QObject {
    Q_OBJECT

private:
    platform::Paths paths() const {
        const std::string root = home_.path().toStdString();
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

    QTemporaryDir home_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};

private slots:
    void firstStartToSecondStart() {
        QVERIFY(home_.isValid());
        platform::ScriptedDialogs dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true);
        {
            TForm1 w(paths(), &dialogs, &clock_);
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
        TForm1 again(paths(), &dialogs, &clock_);
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

    void menusFollowTheState() {
        platform::ScriptedDialogs dialogs;
        dialogs.cancel(); // the chooser of the existing user is cancelled
        TForm1 w(paths(), &dialogs, &clock_);
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

    void theBuilderIsRegisteredAndCreatedAtStart() {
        // The program folder holds the registration tool and the builder library.
        const std::string program = home_.path().toStdString() + "/program";
        std::filesystem::create_directories(program);
        for (const char* file : {"regsvr", "libtrellisk.so"}) {
            std::filesystem::copy_file(std::string(LEDGORA_BIN_DIR) + "/" + file,
                                       program + "/" + file,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        // The registration tool writes the registry of its environment: this home's.
        const QByteArray saved = qgetenv("LEDGORA_HOME");
        qputenv("LEDGORA_HOME", home_.path().toLocal8Bit());
        platform::ScriptedDialogs dialogs;
        TForm1 w(paths(), &dialogs, &clock_);
        qputenv("LEDGORA_HOME", saved);
        QVERIFY(w.builder() != nullptr);
        platform::Registry registry(paths().registryFolder());
        QVERIFY(registry.keyExists(Hive::ClassesRoot, "Trellisk.Trellisk"));
    }

    void helpOpensItsContents() {
        // The help pages ship in the program folder's "help" folder.
        platform::ScriptedDialogs dialogs;
        const std::string program = home_.path().toStdString() + "/program";
        std::filesystem::create_directories(program);
        std::filesystem::remove_all(program + "/help");
        std::filesystem::copy(std::string(LEDGORA_TEST_DATA) + "/../../resources/help",
                              program + "/help", std::filesystem::copy_options::recursive);
        TForm1 w(paths(), &dialogs, &clock_);
        action(w, "Aide1")->trigger();
        QVERIFY(w.helpWindow() != nullptr && w.helpWindow()->isVisible());
        QCOMPARE(w.helpWindow()->currentPage(), QStringLiteral("index.html"));
        if (const QByteArray shot = qgetenv("LEDGORA_SCREENSHOT"); !shot.isEmpty()) {
            w.helpWindow()->grab().save(QString::fromLocal8Bit(shot));
        }
    }
};

QTEST_MAIN(TForm1Test)
#include "TForm1Test.moc"
