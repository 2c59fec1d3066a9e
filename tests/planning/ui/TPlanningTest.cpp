// The planning window, offscreen: a French user types a day digit by digit, a mode, a
// debit with a comma, presses Escape; the totals follow, the transfer question comes with
// a transfer mode only, a click proposes the value above, the lines menu keeps the blank
// last row. With LEDGORA_SHOTS set to a folder, a picture of a filled planning is kept.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "../../app/Shots.h"
#include "planning/PlanningSheet.h"
#include "planning/TransferRules.h"
#include "planning/ui/TPlanning.h"
#include "platform/ScriptedDialogs.h"
#include "register/RegisterRows.h"
#include "register/ui/RegisterView.h"
#include "ui/GridModel.h"
#include "ui/TChooseDlg.h"
#include "ui/TPagePreview.h"

namespace pc = ledgora::planning_col;

namespace {

ledgora::Grid freshPlanning() {
    ledgora::Grid g(2, pc::Count);
    const char* captions[] = {"",      "Jour du mois", "Rubrique", "Notes",  "Mode de paiement",
                              "Débit", "Crédit",       "Deber",    "Creder", "Pointage"};
    for (int c = 0; c < pc::Count; ++c) {
        g.set(0, c, captions[c]);
    }
    ledgora::renumberRows(g);
    return g;
}

} // namespace

class TPlanningTest : public QObject {
    Q_OBJECT

    platform::ScriptedDialogs dialogs_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    ledgora::NameList categories_ = ledgora::NameList::builtInCategories();
    ledgora::NameList modes_ = ledgora::NameList::builtInPaymentModes();
    ledgora::Grid grid_;
    std::vector<std::string> others_;

    int bwAsked_ = 0;

    std::unique_ptr<TPlanning> open() {
        PlanningWindowLinks links{categories_,
                                  modes_,
                                  dialogs_,
                                  clock_,
                                  [] { return ledgora::planningCaption("Anne", "Courant", true); },
                                  [] { return true; },
                                  [this] { return others_; },
                                  [this] {
                                      ++bwAsked_;
                                      return false;
                                  },
                                  {},
                                  {},
                                  {}};
        auto w = std::make_unique<TPlanning>(grid_, std::move(links));
        w->prepare();
        w->show();
        w->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(w.get())); }();
        return w;
    }
    static QModelIndex cell(TPlanning& w, int row, int column) {
        return w.model()->indexOf(row, column);
    }
    static void typeText(const QString& text) {
        for (const QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY(target != nullptr);
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void key(Qt::Key k) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, k);
    }
    // Puts the cursor on a cell and types into it, as a user does, then Enter.
    static void typeInto(TPlanning& w, int row, int column, const QString& text) {
        w.grid()->setCurrentIndex(cell(w, row, column));
        w.grid()->setFocus();
        typeText(text);
        key(Qt::Key_Return);
    }

private slots:
    void init() {
        grid_ = freshPlanning();
        others_.clear();
        bwAsked_ = 0;
        dialogs_.clear();
    }

    void theDayIsCheckedAsTyped() {
        const struct {
            const char* typed;
            std::string kept;
            std::vector<std::string> messages;
        } cases[] = {
            {"31", "31", {ledgora::kLeapYearWarning, ledgora::kShortMonthWarning}},
            {"30", "30", {ledgora::kLeapYearWarning}},
            {"29", "29", {ledgora::kLeapYearWarning}},
            {"15", "15", {}},
            {"0", "", {ledgora::kBadEntry}},
            {"32", "", {ledgora::kBadEntry}},
        };
        for (const auto& c : cases) {
            init();
            auto w = open();
            typeInto(*w, 1, pc::Day, QString::fromLatin1(c.typed));
            QTRY_COMPARE(dialogs_.texts(), c.messages);
            QTRY_COMPARE(grid_.at(1, pc::Day), c.kept);
            // The row typed into was the last: a blank one follows it, on screen too.
            QCOMPARE(grid_.rowCount(), 3);
            QCOMPARE(w->model()->rowCount(), 2);
        }
    }

    void amountsTotalsAndEscape() {
        auto w = open();
        typeInto(*w, 1, pc::Debit, QStringLiteral("12,5"));
        QTRY_COMPARE(grid_.at(1, pc::Debit), std::string("12.50"));
        QVERIFY(w->debitsLabel()->text().contains(QStringLiteral("12.50")));
        QVERIFY(w->debitsLabel()->text().startsWith(QStringLiteral("Débits :")));
        // A row with a debit takes no credit.
        QVERIFY(!(w->model()->flags(cell(*w, 1, pc::Credit)) & Qt::ItemIsEditable));
        typeInto(*w, 2, pc::Credit, QStringLiteral("1500"));
        QTRY_COMPARE(grid_.at(2, pc::Credit), std::string("1500.00"));
        QVERIFY(w->creditsLabel()->text().contains(QStringLiteral("1500.00")));

        // Escape leaves the cell as it was.
        w->grid()->setCurrentIndex(cell(*w, 1, pc::Debit));
        w->grid()->setFocus();
        typeText(QStringLiteral("99"));
        key(Qt::Key_Escape);
        QTRY_VERIFY(w->grid()->indexWidget(cell(*w, 1, pc::Debit)) == nullptr);
        QCOMPARE(grid_.at(1, pc::Debit), std::string("12.50"));
        QVERIFY(w->isVisible());
        QVERIFY(dialogs_.shown().empty());
    }

    void aTransferModeAsksWhereItGoes() {
        others_ = {"Livret", "Joint"};
        auto w = open();
        const auto question = ledgora::transferQuestion();

        // No other transfer word: no question.
        typeInto(*w, 1, pc::Mode, QStringLiteral("Prélèvement"));
        QTRY_COMPARE(grid_.at(1, pc::Mode), std::string("Prélèvement"));
        QVERIFY(dialogs_.shown().empty());

        // "Virement mensuel", Yes, the first account offered: the notes name it.
        dialogs_.yes().choose(0);
        typeInto(*w, 2, pc::Mode, QStringLiteral("virement mensuel"));
        QTRY_COMPARE(grid_.at(2, pc::Notes), std::string("Livret"));
        QCOMPARE(grid_.at(2, pc::Mode), std::string("Virement mensuel"));
        QCOMPARE(dialogs_.texts(), std::vector<std::string>{question});
        QCOMPARE(dialogs_.prompts(), std::vector<std::string>{ledgora::kDestinationCaption});
        QCOMPARE(cell(*w, 2, pc::Notes).data().toString(), QStringLiteral("Livret"));

        // No: the outside marker, and never the question again on that row.
        dialogs_.clear();
        dialogs_.no();
        typeInto(*w, 3, pc::Notes, QStringLiteral("loyer"));
        typeInto(*w, 3, pc::Mode, QStringLiteral("Virement"));
        QTRY_COMPARE(grid_.at(3, pc::Notes), ledgora::withOutsideMarker("loyer"));
        typeInto(*w, 3, pc::Mode, QStringLiteral("Virement"));
        QTest::qWait(20);
        QCOMPARE(dialogs_.texts(), std::vector<std::string>{question});
        QCOMPARE(dialogs_.unscripted(), 0);
    }

    void aClickProposesTheValueAbove() {
        auto w = open();
        typeInto(*w, 1, pc::Day, QStringLiteral("5"));
        QTRY_COMPARE(grid_.rowCount(), 3);
        const QModelIndex below = cell(*w, 2, pc::Day);
        QTest::mouseClick(w->grid()->viewport(), Qt::LeftButton, {},
                          w->grid()->visualRect(below).center());
        QTRY_VERIFY(w->grid()->indexWidget(below) != nullptr);
        auto* editor = qobject_cast<QLineEdit*>(w->grid()->indexWidget(below));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("5"));
        QVERIFY(grid_.at(2, pc::Day).empty()); // only Enter takes it
        key(Qt::Key_Return);
        QTRY_COMPARE(grid_.at(2, pc::Day), std::string("5"));
    }

    void linesKeepTheBlankLastRow() {
        auto w = open();
        typeInto(*w, 1, pc::Rubrique, QStringLiteral("Loyer"));
        QTRY_COMPARE(grid_.rowCount(), 3);
        // F8 on the blank last row does nothing; on row 1 it asks, then removes it.
        w->grid()->setCurrentIndex(cell(*w, 2, pc::Day));
        w->Supprimer1Click();
        QCOMPARE(grid_.rowCount(), 3);
        QVERIFY(dialogs_.shown().empty());
        dialogs_.yes();
        w->grid()->setCurrentIndex(cell(*w, 1, pc::Day));
        w->Supprimer1Click();
        QCOMPARE(dialogs_.texts(),
                 std::vector<std::string>{"Voulez-vous vraiment supprimer la ligne 1 ?"});
        QCOMPARE(grid_.rowCount(), 2);
        QCOMPARE(w->model()->rowCount(), 1);
        QVERIFY(ledgora::isBlankPlanningRow(grid_, 1));
    }

    void printAndPreview() {
        grid_.setRowCount(4);
        grid_.set(1, pc::Day, "1");
        grid_.set(1, pc::Rubrique, "Loyer");
        grid_.set(1, pc::Debit, "650.00");
        grid_.set(2, pc::Day, "3");
        grid_.set(2, pc::Rubrique, "Salaire");
        grid_.set(2, pc::Credit, "2150.00");
        ledgora::renumberRows(grid_);
        auto w = open();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("planning.pdf"));
        QString job;
        w->setPrintDialog([&](QPrinter& p, int) {
            job = p.docName();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file);
            return true;
        });
        w->Imprimer1Click();
        QCOMPARE(job, w->windowTitle());
        QCOMPARE(bwAsked_, 1);
        QVERIFY(QFile(file).size() > 0);
        if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
            QFile::copy(file, QString::fromLocal8Bit(folder) + QStringLiteral("/TPlanning.pdf"));
        }

        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<TPagePreview*>(QApplication::activeModalWidget());
            seen = preview != nullptr;
            if (preview != nullptr) {
                QCOMPARE(preview->page(), 1);
                saveShot(*preview, "TPlanning-preview.png");
                preview->close();
            }
        });
        w->Apercu1Click();
        QVERIFY(seen);
        QVERIFY(w->isVisible());
    }

    void aFilledPlanningOnScreen() {
        const char* rows[][6] = {
            {"1", "Loyer", "", "Prélèvement", "650.00", ""},
            {"1", "Assurance", "habitation", "Prélèvement", "32.40", ""},
            {"3", "Salaire", "", "Virement", "", "2150.00"},
            {"5", "Epargne", "Livret", "Virement mensuel", "150.00", ""},
            {"8", "Téléphone", "mobile", "Prélèvement", "19.99", ""},
            {"10", "Electricité", "", "Prélèvement", "74.00", ""},
            {"12", "Internet", "", "Carte de crédit", "29.99", ""},
            {"15", "Impôts", "mensualisation", "Prélèvement", "212.00", ""},
            {"15", "Cantine", "enfants", "Chèque", "85.50", ""},
            {"20", "Allocations", "", "Virement", "", "131.55"},
            {"25", "Sport", "club", "Espèces", "25.00", ""},
            {"28", "Transport", "abonnement", "Carte de crédit", "75.20", ""},
        };
        grid_.setRowCount(1 + 12 + 1);
        for (int r = 0; r < 12; ++r) {
            for (int c = 0; c < 6; ++c) {
                grid_.set(r + 1, c + 1, rows[r][c]);
            }
        }
        ledgora::renumberRows(grid_);
        auto w = open();
        w->resize(900, 520);
        QCOMPARE(w->windowTitle(),
                 QStringLiteral("Ledgora - Opérations mensuelles planifiées - Anne : compte "
                                "\"Courant\" (Euros)"));
        QCOMPARE(w->model()->rowCount(), 13);
        QVERIFY(w->debitsLabel()->text().contains(QStringLiteral("1354.08")));
        QVERIFY(w->creditsLabel()->text().contains(QStringLiteral("2281.55")));
        // Hidden columns stay out of the view; the payment mode has its picture.
        QCOMPARE(w->model()->columnCount(), 6);
        QVERIFY(!cell(*w, 1, pc::Mode).data(Qt::DecorationRole).isNull());
        QVERIFY(cell(*w, 3, pc::Notes).data(Qt::DecorationRole).isNull());
        QTest::qWait(20);
        saveShot(*w, "TPlanning.png");

        // The chooser the transfer question opens, on its first account.
        TChooseDlg chooser(QString::fromUtf8(ledgora::kDestinationCaption), {"Livret", "Joint"}, 0);
        chooser.show();
        QCOMPARE(chooser.chosen(), 0);
        saveShot(chooser, "destination-chooser.png");
    }
};

QTEST_MAIN(TPlanningTest)
#include "TPlanningTest.moc"
