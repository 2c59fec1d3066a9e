// Typing into the register as a French user does, offscreen: dates typed whole, a key
// typed over a cell's text, click-fill proposals, and the column widths at opening. With
// LEDGORA_SHOTS set to a folder, pictures of the register are kept there.
#include <memory>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "Shots.h"

#include "AppWindow.h"
#include "DeclinedBackup.h"
#include "app/TForm1.h"
#include "money/DateText.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "register/ScriptedAccountForms.h"
#include "register/ui/RegisterModel.h"
#include "support/TempFolder.h"
#include "ui/DateCellEdit.h"

namespace col = ledgora::col;

class RegisterEditingTest : public QObject {
    Q_OBJECT

private:
    platform::Paths paths() const {
        const std::string root = home_->path().string();
        return platform::Paths(root, root + "/registry", root + "/program");
    }
    // A window with an open account: the initial balance, a rent and the blank row.
    std::unique_ptr<TForm1> openWindow(ledgora::ScriptedAccountForms& dialogs,
                                       const std::string& note = "loyer de mars") {
        dialogs.fill({"Anne", ""}).fill({"Courant", "1000"}, true).no().no();
        auto w = std::make_unique<AppWindow>(paths(), dialogs, clock_);
        w->setBackupOffer(&declined_);
        w->resize(900, 500);
        w->show();
        w->activateWindow();
        auto& session = w->workspace().session();
        [&] { QTRY_VERIFY(session.isOpen()); }();
        session.validateCell(2, col::Rubrique, "Loyer");
        session.validateCell(2, col::Notes, note);
        session.validateCell(2, col::Debit, "700");
        w->model()->sync();
        [&] { QVERIFY(QTest::qWaitForWindowActive(w.get())); }();
        dialogs.clear();
        return w;
    }
    static QModelIndex cell(TForm1& w, int gridRow, int gridColumn) {
        return w.model()->indexOf(gridRow, gridColumn);
    }
    static int blankRow(TForm1& w) { return w.workspace().session().grid().rowCount() - 1; }
    // Sends `text` one character at a time to whatever has the focus, as a keyboard does.
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
    static void click(TForm1& w, const QModelIndex& index) {
        QTableView* grid = w.grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    }
    static QWidget* editorOf(TForm1& w, const QModelIndex& index) {
        return w.grid()->indexWidget(index);
    }

    std::unique_ptr<ledgora::testing::TempFolder> home_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    DeclinedBackup declined_;

private slots:
    void init() { home_ = std::make_unique<ledgora::testing::TempFolder>(); }

    void datesAreTypedWhole() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        auto& grid = w->workspace().session().grid();
        const QModelIndex date = cell(*w, 2, col::Date);

        // Typed digit by digit over the cell's date, then Enter: 2024 is a leap year.
        w->grid()->setCurrentIndex(date);
        w->grid()->setFocus();
        typeText(QStringLiteral("29022024"));
        auto* editor = qobject_cast<DateCellEdit*>(editorOf(*w, date));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("29022024"));
        key(Qt::Key_Return);
        QTRY_COMPARE(grid.at(2, col::Date), std::string("29/02/2024"));
        QVERIFY(dialogs.shown().empty());

        // An impossible date is refused with a word; the editor keeps what was typed.
        w->grid()->setCurrentIndex(date);
        w->grid()->setFocus();
        typeText(QStringLiteral("31022024"));
        key(Qt::Key_Return);
        QCOMPARE(dialogs.texts(), std::vector<std::string>{ledgora::kBadTypedDate});
        QTest::qWait(20);
        editor = qobject_cast<DateCellEdit*>(editorOf(*w, date));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("31022024"));
        QCOMPARE(grid.at(2, col::Date), std::string("29/02/2024"));
        saveShot(*w, "register-impossible-date-kept.png");
        // Tab and a click on another cell do not take it either.
        key(Qt::Key_Tab);
        click(*w, cell(*w, 2, col::Notes));
        QCOMPARE(dialogs.texts().size(), std::size_t{3});
        QCOMPARE(editorOf(*w, date), static_cast<QWidget*>(editor));
        QCOMPARE(grid.at(2, col::Date), std::string("29/02/2024"));

        // Corrected in place: the date goes in as the user meant it.
        editor->selectAll();
        typeText(QStringLiteral("1/3/2024"));
        key(Qt::Key_Return);
        QTRY_COMPARE(grid.at(2, col::Date), std::string("01/03/2024"));

        // Escape leaves the cell as it was.
        w->grid()->setCurrentIndex(date);
        w->grid()->setFocus();
        typeText(QStringLiteral("3102"));
        key(Qt::Key_Escape);
        QTRY_VERIFY(editorOf(*w, date) == nullptr);
        QCOMPARE(grid.at(2, col::Date), std::string("01/03/2024"));
    }

    void aDateOpensAsItIs() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        auto& session = w->workspace().session();
        // A date from a file in the short form, and a text that is no date at all.
        session.setValidating(false);
        session.validateCell(2, col::Date, "5/3/24");
        session.validateCell(1, col::Date, "bientôt");
        session.setValidating(true);
        const struct {
            int row;
            const char* shown;
        } cases[] = {{2, "05/03/2024"}, {1, "bientôt"}};
        for (const auto& c : cases) {
            const QModelIndex date = cell(*w, c.row, col::Date);
            w->grid()->setCurrentIndex(date);
            QTest::keyClick(w->grid(), Qt::Key_F2);
            auto* editor = qobject_cast<DateCellEdit*>(editorOf(*w, date));
            QVERIFY(editor != nullptr);
            QCOMPARE(editor->text(), QString::fromUtf8(c.shown)); // never today
            if (c.row == 2) {
                // F4 drops the calendar down at the cell's date; a day picked is typed in.
                QTest::keyClick(editor, Qt::Key_F4);
                QTRY_VERIFY(editor->calendar()->isVisible());
                QCOMPARE(editor->calendar()->selectedDate(), QDate(2024, 3, 5));
                saveShot(*editor->calendar()->window(), "date-calendar.png");
                emit editor->calendar()->clicked(QDate(2024, 3, 12));
                QVERIFY(!editor->calendar()->isVisible());
                QCOMPARE(editor->text(), QStringLiteral("12/03/2024"));
            }
            QTest::keyClick(editor, Qt::Key_Escape);
            QTRY_VERIFY(editorOf(*w, date) == nullptr);
        }
        QCOMPARE(session.grid().at(1, col::Date), std::string("bientôt"));
    }

    void typingReplacesAndF2EditsInPlace() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        auto& grid = w->workspace().session().grid();
        const QModelIndex rubrique = cell(*w, 2, col::Rubrique);

        w->grid()->setCurrentIndex(rubrique);
        w->grid()->setFocus();
        typeText(QStringLiteral("Pharmacie"));
        key(Qt::Key_Return);
        QTRY_COMPARE(grid.at(2, col::Rubrique), std::string("Pharmacie"));

        // F2 keeps the text whole, the caret at its end.
        w->grid()->setCurrentIndex(rubrique);
        QTest::keyClick(w->grid(), Qt::Key_F2);
        auto* combo = qobject_cast<QComboBox*>(editorOf(*w, rubrique));
        QVERIFY(combo != nullptr);
        QVERIFY(!combo->lineEdit()->hasSelectedText());
        typeText(QStringLiteral(" de garde"));
        key(Qt::Key_Return);
        QTRY_COMPARE(grid.at(2, col::Rubrique), std::string("Pharmacie de garde"));

        // So does Enter on a cell.
        const QModelIndex notes = cell(*w, 2, col::Notes);
        w->grid()->setCurrentIndex(notes);
        w->grid()->setFocus();
        key(Qt::Key_Return);
        auto* line = qobject_cast<QLineEdit*>(editorOf(*w, notes));
        QVERIFY(line != nullptr);
        QCOMPARE(line->cursorPosition(), line->text().size());
        typeText(QStringLiteral(" (payé)"));
        key(Qt::Key_Return);
        QTRY_COMPARE(grid.at(2, col::Notes), std::string("loyer de mars (payé)"));
    }

    void clickFillIsAProposal() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        auto& session = w->workspace().session();
        auto& grid = session.grid();
        const int blank = blankRow(*w);
        const QModelIndex rubrique = cell(*w, blank, col::Rubrique);

        // Clicked: the editor holds the proposal, selected; nothing is in the grid yet.
        click(*w, rubrique);
        auto* combo = qobject_cast<QComboBox*>(editorOf(*w, rubrique));
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->currentText(), QStringLiteral("Loyer"));
        QCOMPARE(combo->lineEdit()->selectedText(), QStringLiteral("Loyer"));
        QVERIFY(ledgora::isBlankRow(grid, blank));

        // Escape: the row stays blank and undated.
        key(Qt::Key_Escape);
        QTRY_VERIFY(editorOf(*w, rubrique) == nullptr);
        QVERIFY(ledgora::isBlankRow(grid, blank));
        QCOMPARE(grid.at(blank, col::Date), std::string());

        // Clicking "Numéro" then "Rubrique" of the blank row leaves it blank too.
        session.validateCell(2, col::Numero, "41");
        w->model()->sync();
        click(*w, cell(*w, blank, col::Numero));
        QTRY_VERIFY(editorOf(*w, cell(*w, blank, col::Numero)) != nullptr);
        click(*w, rubrique);
        QTRY_VERIFY(editorOf(*w, cell(*w, blank, col::Numero)) == nullptr);
        key(Qt::Key_Escape);
        QTRY_VERIFY(editorOf(*w, rubrique) == nullptr);
        QVERIFY(ledgora::isBlankRow(grid, blank));
        QCOMPARE(grid.rowCount(), blank + 1);

        // Enter keeps the proposal: validated, dated, and a new blank row follows.
        click(*w, cell(*w, blank, col::Numero));
        QTRY_VERIFY(editorOf(*w, cell(*w, blank, col::Numero)) != nullptr);
        key(Qt::Key_Return);
        QTRY_COMPARE(grid.at(blank, col::Numero), std::string("42"));
        QCOMPARE(grid.at(blank, col::Date), std::string("05/03/2024"));
        QCOMPARE(grid.rowCount(), blank + 2);
    }

    void typingOverAProposedCategory() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        auto& grid = w->workspace().session().grid();
        const int blank = blankRow(*w);
        const QModelIndex rubrique = cell(*w, blank, col::Rubrique);
        click(*w, rubrique);
        QTRY_VERIFY(editorOf(*w, rubrique) != nullptr);
        typeText(QStringLiteral("Méde"));
        auto* combo = qobject_cast<QComboBox*>(editorOf(*w, rubrique));
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->currentText(), QStringLiteral("Médecin")); // completed from the list
        saveShot(*w, "register-typing-over-proposed-category.png");
        key(Qt::Key_Tab);
        QTRY_COMPARE(grid.at(blank, col::Rubrique), std::string("Médecin"));
        QVERIFY(!w->workspace().categories().contains("LoyerMéde"));
        QCOMPARE(grid.at(blank, col::Date), std::string("05/03/2024"));
        saveShot(*w, "register-after-typing-over-proposed-category.png");
    }

    void columnsStayWithinTheView() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs, std::string(400, 'n') + " fin");
        w->close();
        dialogs.clear();
        dialogs.choose(0).choose(0);
        AppWindow again(paths(), dialogs, clock_);
        again.setBackupOffer(&declined_);
        again.resize(900, 500);
        again.show();
        again.activateWindow();
        QTRY_VERIFY(again.workspace().session().isOpen());
        QTableView* grid = again.grid();
        const int view = grid->viewport()->width();
        int total = 0;
        for (int c = 0; c < again.model()->columnCount(); ++c) {
            QVERIFY2(grid->columnWidth(c) <= view, qPrintable(QString::number(c)));
            total += grid->columnWidth(c);
        }
        // "Notes" takes what the others leave: the columns fill the view exactly.
        QCOMPARE(total, view);
        QCOMPARE(grid->horizontalScrollBar()->value(), 0);
        QVERIFY(grid->columnWidth(col::Notes - 1) > grid->columnWidth(col::Date - 1));
        saveShot(again, "register-long-note.png");

        // Wider window, wider notes; once a column is sized by hand, the others stay.
        again.resize(1100, 500);
        QTRY_COMPARE(grid->horizontalHeader()->length(), grid->viewport()->width());
        grid->setColumnWidth(col::Rubrique - 1, 200);
        const int notes = grid->columnWidth(col::Notes - 1);
        again.resize(1000, 500);
        QTest::qWait(20);
        QCOMPARE(grid->columnWidth(col::Notes - 1), notes);
    }
    // What the account announces of its own reaches the view as that much and no more: an amount's
    // edit repaints its cell and the balance column from its row on, a new row is
    // inserted, and nothing resets the table.
    void anAnnouncedEditRepaintsOnlyWhatChanged() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        RegisterModel& model = *w->model();
        auto& session = w->workspace().session();
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy balances(&model, &RegisterModel::balancesChanged);

        session.validateCell(2, col::Debit, "650");
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed[0][0].toModelIndex(), cell(*w, 2, col::Debit));
        QCOMPARE(changed[0][1].toModelIndex(), cell(*w, 2, col::Debit));
        QCOMPARE(changed[1][0].toModelIndex(), cell(*w, 2, col::Solde));
        QCOMPARE(changed[1][1].toModelIndex(), cell(*w, blankRow(*w), col::Solde));
        QCOMPARE(balances.count(), 1);
        QCOMPARE(cell(*w, 2, col::Solde).data().toString(), QStringLiteral("350.00"));
        QVERIFY(w->balanceText().contains(QStringLiteral("350.00")));

        const int rows = model.rowCount();
        session.appendLine();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted[0][1].toInt(), rows);
        QCOMPARE(model.rowCount(), rows + 1);
        QCOMPARE(reset.count(), 0);
    }
};

QTEST_MAIN(RegisterEditingTest)
#include "RegisterEditingTest.moc"
