// The main window's "&Etats et graphiques" menu, its toolbar buttons and the alarms item,
// offscreen: each opens its window over the open account, the messages stand in for an
// empty report, the budget question follows a new account and the recap's currency is
// kept as "RecapInEuro".
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "AppWindow.h"
#include "Shots.h"
#include "app/TForm1.h"
#include "planning/BudgetTable.h"
#include "planning/ui/TAlarmes.h"
#include "register/RegisterColumns.h"
#include "register/ScriptedAccountForms.h"
#include "register/ui/RegisterModel.h"
#include "reports/ui/TBudget.h"
#include "reports/ui/TLines.h"
#include "reports/ui/TRecap.h"

class ReportMenuTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};

    platform::Paths paths() const {
        const std::string root = home_.path().toStdString();
        return platform::Paths(root, root + "/registry", root + "/program");
    }
    static QAction* action(TForm1& w, const QString& name) { return w.findChild<QAction*>(name); }
    // Runs `check` on the next modal window once it shows, then closes it.
    template <typename Window, typename Check> static void onNextModal(bool& seen, Check check) {
        QTimer::singleShot(0, [&seen, check] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            seen = window != nullptr;
            if (window != nullptr) {
                check(*window);
                window->close();
            }
        });
    }

private slots:
    void menuOpensTheReportsOfTheOpenAccount() {
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs, clock_);
        w.show();
        w.activateWindow();
        auto& session = w.workspace().session();
        QTRY_VERIFY(session.isOpen());

        QMenu* etats = nullptr;
        for (QAction* a : w.menuBar()->actions()) {
            if (a->text() == QStringLiteral("&Etats et graphiques")) {
                etats = a->menu();
            }
        }
        QVERIFY(etats != nullptr);
        for (int i = 0; i < 10; ++i) {
            QVERIFY(action(w, QStringLiteral("Report%1").arg(i)) != nullptr);
        }
        for (const char* name : {"BudgetBtn", "ProgressionBtn", "AlarmesBtn", "Alarmesbudgtaires1",
                                 "Progressiondusolde1", "Soldesdetouslescomptes1"}) {
            QVERIFY2(action(w, QString::fromLatin1(name))->isEnabled(), name);
        }

        // Only the initial balance: no category to report.
        dialogs.clear();
        action(w, QStringLiteral("BudgetBtn"))->trigger();
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"Aucune rubrique trouvée."});

        // Two operations typed out of date order: the report shows them, and the
        // register stays sorted by date afterwards.
        const auto put = [&](int row, const char* date, const char* category, const char* debit) {
            session.validateCell(row, ledgora::col::Date, date);
            session.validateCell(row, ledgora::col::Rubrique, category);
            session.validateCell(row, ledgora::col::Debit, debit);
        };
        put(2, "20/03/2024", "Courses", "30");
        put(3, "02/03/2024", "Essence", "45,5");
        w.model()->reload();
        bool seen = false;
        onNextModal<TBudget>(seen, [](TBudget& report) {
            QCOMPARE(report.windowTitle(),
                     QStringLiteral("Budget mensuel moyen par rubriques (Euros)"));
            QCOMPARE(report.expenses()->text(), QStringLiteral("Dépenses : -75.50"));
        });
        action(w, QStringLiteral("Report0"))->trigger();
        QVERIFY(seen);
        // The initial balance is dated today, 05/03/2024.
        QCOMPARE(session.grid().at(1, ledgora::col::Date), std::string("02/03/2024"));
        QCOMPARE(session.grid().at(3, ledgora::col::Date), std::string("20/03/2024"));
        QCOMPARE(w.model()->indexOf(1, ledgora::col::Rubrique).data().toString(),
                 QStringLiteral("Essence"));

        onNextModal<TLines>(seen, [](TLines& lines) {
            QCOMPARE(lines.windowTitle(),
                     QStringLiteral(
                         "Ledgora - Anne : compte \"Courant\" (Euros) - Progression du solde"));
            QCOMPARE(lines.pages().pageCount(), 1);
        });
        action(w, QStringLiteral("ProgressionBtn"))->trigger();
        QVERIFY(seen);

        // The recap ends in francs: "RecapInEuro" takes it.
        QVERIFY(w.workspace().options().recapInEuro);
        onNextModal<TRecap>(seen, [](TRecap& recap) {
            QTest::mouseClick(recap.francs(), Qt::LeftButton);
            QCOMPARE(recap.recap().rows.size(), std::size_t{1});
            // 100.00 - 30.00 - 45.50 euros, row by row: 655.96 - 196.79 - 298.46 francs.
            QCOMPARE(*recap.recap().rows[0].balance, ledgora::Cents(16071));
        });
        action(w, QStringLiteral("Soldesdetouslescomptes1"))->trigger();
        QVERIFY(seen);
        QVERIFY(!w.workspace().options().recapInEuro);

        // A new account: "Non" to the planning question, then the budget question, "Oui"
        // opens the alarms window.
        dialogs.clear();
        dialogs.fill({"Livret", "0"}, true).no().yes();
        onNextModal<TAlarmes>(seen, [](TAlarmes& alarms) {
            QCOMPARE(alarms.windowTitle(), QStringLiteral("Alarmes budgétaires (Euros)"));
            saveShot(alarms, "TAlarmes-after-new-account.png");
        });
        action(w, QStringLiteral("Nouveau1"))->trigger();
        QVERIFY(seen);
        QCOMPARE(dialogs.texts().back(), std::string(ledgora::kBudgetQuestion));
        QCOMPARE(session.account(), std::string("Livret"));
    }
};

QTEST_MAIN(ReportMenuTest)
#include "ReportMenuTest.moc"
