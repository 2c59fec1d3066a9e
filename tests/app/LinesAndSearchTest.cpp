// The "&Lignes" and "&Recherche" commands, the clipboard keys and the list editor, through
// the main window, offscreen.
#include <memory>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "AppWindow.h"
#include "DeclinedBackup.h"
#include "app/TForm1.h"
#include "platform/FileIO.h"
#include "register/RegisterColumns.h"
#include "register/ScriptedAccountForms.h"
#include "register/ui/RegisterModel.h"
#include "register/ui/TRubMod.h"
#include "support/TempFolder.h"
#include "ui/Tfinddlg.h"

class LinesAndSearchTest : public QObject {
    Q_OBJECT

private:
    platform::Paths paths() const {
        const std::string root = home_->path().string();
        return platform::Paths(root, root + "/registry", root + "/program");
    }
    static QAction* action(TForm1& w, const char* name) {
        return w.findChild<QAction*>(QString::fromLatin1(name));
    }
    // Answers the next modal dialog of type D with `answer`.
    template <typename D, typename F> static void whenShown(F answer) {
        QTimer::singleShot(0, [answer] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            QVERIFY(d != nullptr);
            answer(*d);
        });
    }
    // A window with an open account of a few operations.
    std::unique_ptr<TForm1> openWindow(ledgora::ScriptedAccountForms& dialogs) {
        dialogs.fill({"Anne", ""}).fill({"Courant", "100"}, true).no().no();
        auto w = std::make_unique<AppWindow>(paths(), dialogs, clock_);
        w->setBackupOffer(&declined_);
        w->show();
        w->activateWindow();
        auto& session = w->workspace().session();
        [&] { QTRY_VERIFY(session.isOpen()); }();
        const char* categories[] = {"Loyer", "Courses", "Essence"};
        for (int r = 2; r <= 4; ++r) {
            session.validateCell(r, ledgora::col::Rubrique, categories[r - 2]);
            session.validateCell(r, ledgora::col::Debit, std::to_string(r * 10));
        }
        w->model()->sync();
        return w;
    }

    std::unique_ptr<ledgora::testing::TempFolder> home_;
    platform::FixedClock clock_{platform::DateTime{2024, 3, 5, 10, 0, 0}};
    DeclinedBackup declined_;

    // Keys reach the window's shortcuts only while it is the active window.
    static void activate(QWidget& w) {
        w.activateWindow();
        QTRY_VERIFY(w.isActiveWindow());
    }

private slots:
    void init() { home_ = std::make_unique<ledgora::testing::TempFolder>(); }

    void findSelectsTheRow() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        w->grid()->setCurrentIndex(w->model()->indexOf(1, ledgora::col::Date));
        whenShown<Tfinddlg>([](Tfinddlg& d) {
            d.findChild<QLineEdit*>()->setText(QStringLiteral("cour"));
            d.accept();
        });
        activate(*w);
        QTest::keySequence(w.get(), QKeySequence("Ctrl+F"));
        const QModelIndex current = w->grid()->currentIndex();
        QCOMPARE(RegisterModel::gridRow(current), 3);
        QCOMPARE(RegisterModel::gridColumn(current), ledgora::col::Rubrique);
        const QModelIndexList selected = w->grid()->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 9);
        for (const QModelIndex& i : selected) {
            QCOMPARE(RegisterModel::gridRow(i), 3);
        }
        activate(*w);
        QTest::keyClick(w.get(), Qt::Key_F3); // no other match
        QVERIFY(!dialogs.texts().empty());
        QCOMPARE(dialogs.texts().back(), std::string("Recherche infructueuse."));
        activate(*w);
        QTest::keyClick(w.get(), Qt::Key_F3); // from the top again
        QCOMPARE(RegisterModel::gridRow(w->grid()->currentIndex()), 3);
    }

    void linesMenu() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        auto& grid = w->workspace().session().grid();
        w->grid()->setCurrentIndex(w->model()->indexOf(1, ledgora::col::Notes));
        QVERIFY(!action(*w, "SupprimerBtn")->isEnabled());
        activate(*w);
        QTest::keyClick(w.get(), Qt::Key_F8);
        QCOMPARE(dialogs.texts().back(),
                 std::string("Il n'est pas permis de supprimer la ligne \"Solde initial\"."));

        w->grid()->setCurrentIndex(w->model()->indexOf(3, ledgora::col::Notes));
        QVERIFY(action(*w, "SupprimerBtn")->isEnabled());
        dialogs.yes();
        activate(*w);
        QTest::keyClick(w.get(), Qt::Key_F8);
        QCOMPARE(dialogs.texts().back(),
                 std::string("Voulez-vous vraiment supprimer la ligne 3 ?"));
        QCOMPARE(grid.at(3, ledgora::col::Rubrique), std::string("Essence"));
        QCOMPARE(w->model()->rowCount(), 4);
        QCOMPARE(RegisterModel::gridRow(w->grid()->currentIndex()), 3);

        activate(*w);
        QTest::keyClick(w.get(), Qt::Key_F7); // insert after row 3
        QCOMPARE(grid.at(4, ledgora::col::Rubrique), std::string());
        QCOMPARE(w->model()->rowCount(), 5);
        QTest::keyClick(w.get(), Qt::Key_F6);
        QCOMPARE(w->model()->rowCount(), 6);
        QTest::keyClick(w.get(), Qt::Key_F9);
        QCOMPARE(w->model()->rowCount(), 4);
        QCOMPARE(grid.at(4, ledgora::col::Number), std::string("4"));

        // On the final blank row F8 and F7 do what the menu allows there: nothing.
        const std::size_t asked = dialogs.texts().size();
        w->grid()->setCurrentIndex(w->model()->indexOf(4, ledgora::col::Notes));
        activate(*w);
        QTest::keyClick(w.get(), Qt::Key_F8);
        QTest::keyClick(w.get(), Qt::Key_F7);
        QCOMPARE(w->model()->rowCount(), 4);
        QCOMPARE(dialogs.texts().size(), asked);
        QVERIFY(!action(*w, "SupprimerBtn")->isEnabled());
    }

    void clipboardKeysInTheRegister() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        auto* grid = w->grid();
        activate(*w);
        grid->setFocus();
        grid->setCurrentIndex(w->model()->indexOf(2, ledgora::col::Rubrique));
        grid->selectionModel()->select(
            QItemSelection(w->model()->indexOf(2, ledgora::col::Rubrique),
                           w->model()->indexOf(3, ledgora::col::Notes)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keySequence(grid, QKeySequence("Ctrl+C"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Loyer\t\r\nCourses\t"));
        QVERIFY(action(*w, "CollerBtn")->isEnabled());

        QApplication::clipboard()->setText(QStringLiteral("Pharmacie\tDoliprane\t\t8,5\r\n"));
        grid->setCurrentIndex(w->model()->indexOf(5, ledgora::col::Rubrique));
        activate(*w);
        grid->setFocus();
        QTest::keySequence(grid, QKeySequence("Shift+Insert"));
        auto& session = w->workspace().session();
        QCOMPARE(session.grid().at(5, ledgora::col::Debit), std::string("8.50"));
        QCOMPARE(w->model()->rowCount(), 6); // the pasted row was the last: one more
        QVERIFY(w->balanceText().contains(QStringLiteral("1.50")));
    }

    void listEditorReachesTheFileAtTheNextSave() {
        ledgora::ScriptedAccountForms dialogs;
        auto w = openWindow(dialogs);
        whenShown<TRubMod>([](TRubMod& d) {
            auto* group = d.findChildren<QGroupBox*>().front(); // "Rubriques"
            group->findChild<QLineEdit*>()->setText(QStringLiteral("zoologie"));
            emit group->findChild<QLineEdit*>()->textEdited(QStringLiteral("zoologie"));
            for (QPushButton* b : group->findChildren<QPushButton*>()) {
                if (b->text() == QStringLiteral("Ajouter")) {
                    b->click();
                }
            }
            QCOMPARE(group->findChild<QListWidget*>()->currentItem()->text(),
                     QStringLiteral("Zoologie"));
            d.accept();
        });
        action(*w, "RubriquesModes1")->trigger();
        QVERIFY(w->workspace().categories().contains("Zoologie"));
        w->close();
        const auto file = paths().dataFile("Rubriques.txt");
        const auto bytes = platform::readFile(file);
        QVERIFY(bytes.has_value());
        QVERIFY(bytes->find("Zoologie\r\n") != std::string::npos);
    }
};

QTEST_MAIN(LinesAndSearchTest)
#include "LinesAndSearchTest.moc"
