// The main window's side of the planning, offscreen: the "Ou&tils" item between the
// reconciliation and the alarms, the planning question after a new account, the scheduled
// operations proposed after an opening with their planned transfer's twin, and the
// register's linked row (locked, with its hint, its twin going with it).
#include <memory>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "AppWindow.h"
#include "Shots.h"
#include "app/TForm1.h"
#include "planning/AutomaticEntry.h"
#include "planning/BudgetTable.h"
#include "planning/PlanningSheet.h"
#include "planning/TransferRules.h"
#include "planning/ui/TPlanning.h"
#include "register/CellRules.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "register/ScriptedAccountForms.h"
#include "register/ui/RegisterModel.h"

namespace col = ledgora::col;
namespace pc = ledgora::planning_col;

class PlanningWiringTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};

    platform::Paths paths() const {
        const std::string root = home_->path().toStdString();
        return platform::Paths(root, root + "/registry", root + "/program");
    }
    static QAction* action(TForm1& w, const char* name) {
        return w.findChild<QAction*>(QString::fromLatin1(name));
    }
    static int rowWith(const ledgora::Grid& g, int column, const std::string& text) {
        for (int r = 1; r < g.rowCount(); ++r) {
            if (g.at(r, column) == text) {
                return r;
            }
        }
        return -1;
    }
    ledgora::Grid livret() const {
        ledgora::Grid g;
        ledgora::loadGridFile(paths().accountFile("Anne", "Livret"), g);
        return g;
    }

private slots:
    void init() { home_ = std::make_unique<QTemporaryDir>(); }

    void theMenuItemAndTheQuestionAfterANewAccount() {
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs, clock_);
        w.show();
        w.activateWindow();
        QTRY_VERIFY(w.workspace().session().isOpen());

        QMenu* outils = nullptr;
        for (QAction* a : w.menuBar()->actions()) {
            if (a->text() == QStringLiteral("Ou&tils")) {
                outils = a->menu();
            }
        }
        QVERIFY(outils != nullptr);
        QStringList names;
        for (QAction* a : outils->actions()) {
            names << a->objectName();
        }
        const qsizetype at = names.indexOf(QStringLiteral("PlanningMnu"));
        QVERIFY(at > 0);
        QCOMPARE(names[at - 1], QStringLiteral("RapprochMnu"));
        QCOMPARE(names[at + 1], QStringLiteral("Alarmesbudgtaires1"));
        QCOMPARE(action(w, "PlanningMnu")->text(),
                 QStringLiteral("&Opérations mensuelles planifiées..."));
        emit outils->aboutToShow();
        QVERIFY(action(w, "PlanningMnu")->isEnabled());

        // A new account: "Oui" to the planning question opens the window on its empty
        // planning; "Non" to the budget question.
        dialogs.clear();
        dialogs.fill({"Livret", "0"}, true).yes().no();
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<TPlanning*>(QApplication::activeModalWidget());
            seen = window != nullptr;
            if (window != nullptr) {
                QCOMPARE(window->windowTitle(),
                         QStringLiteral("Ledgora - Opérations mensuelles planifiées - Anne : "
                                        "compte \"Livret\" (Euros)"));
                QCOMPARE(window->model()->rowCount(), 1);
                window->OKClick();
            }
        });
        action(w, "Nouveau1")->trigger();
        QVERIFY(seen);
        QVERIFY(!w.planningWindow()->isVisible());
        QCOMPARE(dialogs.texts(),
                 (std::vector<std::string>{ledgora::kPlanningQuestion, ledgora::kBudgetQuestion}));
        QVERIFY(dialogs.allAnswered());
    }

    void theQuestionsAfterTheFirstAccountOfANewUser() {
        // The first start makes the user, then their first account: the same two
        // questions as after "&Nouveau...", "Oui" to the planning opening its window.
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).yes().no();
        QString shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto* window = qobject_cast<TPlanning*>(QApplication::activeModalWidget())) {
                shown = window->windowTitle();
                window->OKClick();
            }
        });
        poll.start(10);
        AppWindow w(paths(), dialogs, clock_);
        w.show();
        w.activateWindow();
        QTRY_VERIFY(dialogs.allAnswered());
        QTRY_VERIFY(!shown.isEmpty());
        poll.stop();
        QVERIFY(w.workspace().session().isOpen());
        QCOMPARE(dialogs.prompts(),
                 (std::vector<std::string>{"Nouvel utilisateur", "Nouveau compte"}));
        QCOMPARE(dialogs.texts(),
                 (std::vector<std::string>{ledgora::kPlanningQuestion, ledgora::kBudgetQuestion}));
        QCOMPARE(shown, QStringLiteral("Ledgora - Opérations mensuelles planifiées - Anne : "
                                       "compte \"Courant\" (Euros)"));
        QCOMPARE(dialogs.unscripted(), 0);
        saveShot(w, "first-account.png");
    }

    void scheduledOperationsAfterOpeningAndTheLinkedRow() {
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs, clock_);
        w.show();
        w.activateWindow();
        auto& session = w.workspace().session();
        QTRY_VERIFY(session.isOpen());

        // Courant's planning: a rent on the 1st, a saving transfer on the 2nd, a row due
        // on the 20th only.
        ledgora::Grid& planning = w.workspace().planning().grid();
        planning.setRowCount(5);
        const char* planned[][6] = {{"1", "Loyer", "", "Prélèvement", "500.00", ""},
                                    {"2", "Epargne", "Livret", "Virement", "100.00", ""},
                                    {"20", "Cantine", "", "Chèque", "80.00", ""}};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 6; ++c) {
                planning.set(r + 1, c + 1, planned[r][c]);
            }
        }
        ledgora::renumberRows(planning);
        const std::vector<std::string> expected = {ledgora::entryQuestion(planning, 1, 5),
                                                   ledgora::entryQuestion(planning, 2, 5),
                                                   ledgora::kTransferDone};
        // Livret made (Courant saved with its planning), then Courant opened again.
        dialogs.fill({"Livret", "0"}, true).no().no();
        action(w, "Nouveau1")->trigger();
        QCOMPARE(session.account(), std::string("Livret"));
        dialogs.clear();
        dialogs.choose(0).yes().yes();
        action(w, "Ouvrir1")->trigger();
        QCOMPARE(session.account(), std::string("Courant"));
        QCOMPARE(dialogs.texts(), expected);
        QVERIFY(dialogs.allAnswered());

        const ledgora::Grid& reg = session.grid();
        const int rent = rowWith(reg, col::Rubrique, "Loyer");
        const int saving = rowWith(reg, col::Rubrique, "Epargne");
        QVERIFY(rent > 0 && saving > 0);
        QCOMPARE(reg.at(rent, col::Date), std::string("01/03/2024"));
        QCOMPARE(reg.at(saving, col::Numero), std::string("vir1"));
        QCOMPARE(w.workspace().planning().grid().at(1, pc::Entered), std::string(ledgora::kTicked));
        QVERIFY(w.workspace().planning().grid().at(3, pc::Entered).empty());
        const ledgora::Grid other = livret();
        const int twin = rowWith(other, col::Numero, "vir1");
        QVERIFY(twin > 0);
        QCOMPARE(other.at(twin, col::Notes), std::string("Courant"));
        QCOMPARE(other.at(twin, col::Credit), std::string("100.00"));

        // The linked row: its number and notes are locked and say why; the rent is not.
        RegisterModel& model = *w.model();
        for (int c : {col::Numero, col::Notes}) {
            const QModelIndex locked = model.indexOf(saving, c);
            QCOMPARE(locked.data(Qt::ToolTipRole).toString(),
                     QString::fromUtf8(ledgora::kLockedByTransferHint));
            QVERIFY(!(model.flags(locked) & Qt::ItemIsEditable));
            QVERIFY(model.indexOf(rent, c).data(Qt::ToolTipRole).isNull());
            QVERIFY(model.flags(model.indexOf(rent, c)) & Qt::ItemIsEditable);
        }
        saveShot(w, "register-after-automatic-entry.png");

        // Deleting it takes its twin out of Livret.
        dialogs.clear();
        dialogs.yes();
        w.grid()->setCurrentIndex(model.indexOf(saving, col::Date));
        action(w, "SupprimerLigne1")->trigger();
        QCOMPARE(dialogs.texts(),
                 (std::vector<std::string>{"Voulez-vous vraiment supprimer la ligne " +
                                               std::to_string(saving) + " ?",
                                           ledgora::kTransferDeleted}));
        QCOMPARE(rowWith(livret(), col::Numero, "vir1"), -1);
        QCOMPARE(rowWith(session.grid(), col::Rubrique, "Epargne"), -1);

        // Reopened the same month: both rows were proposed, nothing is asked again.
        dialogs.clear();
        dialogs.choose(0);
        action(w, "Ouvrir1")->trigger();
        QVERIFY(dialogs.texts().empty());
    }

    void aTransferTypedIntoTheRegister() {
        ledgora::ScriptedAccountForms dialogs;
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        AppWindow w(paths(), dialogs, clock_);
        w.show();
        w.activateWindow();
        auto& session = w.workspace().session();
        QTRY_VERIFY(session.isOpen());
        dialogs.fill({"Livret", "0"}, false).no().no();
        action(w, "Nouveau1")->trigger();
        dialogs.clear();
        dialogs.choose(0);
        action(w, "Ouvrir1")->trigger();
        QCOMPARE(session.account(), std::string("Courant"));

        // As the register's editor commits it: the question, the chooser, the twin.
        dialogs.yes().choose(0);
        const int row = session.grid().rowCount() - 1;
        QVERIFY(w.model()->setData(w.model()->indexOf(row, col::Debit), QStringLiteral("100"),
                                   Qt::EditRole));
        QVERIFY(w.model()->setData(w.model()->indexOf(row, col::ModePaiement),
                                   QStringLiteral("Virement"), Qt::EditRole));
        QCOMPARE(dialogs.texts(),
                 (std::vector<std::string>{ledgora::transferQuestion(), ledgora::kTransferDone}));
        QCOMPARE(dialogs.prompts().back(), std::string(ledgora::kDestinationCaption));
        QCOMPARE(session.grid().at(row, col::Notes), std::string("Livret"));
        QCOMPARE(w.model()->indexOf(row, col::Notes).data().toString(), QStringLiteral("Livret"));
        // Livret is in francs: 100.00 euros are 655.96 there.
        const int twin = rowWith(livret(), col::Numero, session.grid().at(row, col::Numero));
        QVERIFY(twin > 0);
        QCOMPARE(livret().at(twin, col::Credit), std::string("655.96"));
    }
};

QTEST_MAIN(PlanningWiringTest)
#include "PlanningWiringTest.moc"
