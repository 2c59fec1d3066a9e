// The alarms window, offscreen: a French user types maxima into the grid (a comma, a
// sign, 0, typing over a filled cell, Escape), "OK" writes them, "Annuler" does not, and
// without any category the window does not open.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "planning/BudgetTable.h"
#include "planning/ui/TAlarmes.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sounds.h"
#include "register/NameList.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "support/PdfText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

namespace {

void saveShot(QWidget& w, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        w.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QString::fromUtf8(name));
    }
}

} // namespace

class TAlarmesTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    std::string root_ = home_.path().toStdString();
    platform::Paths paths_{root_, root_ + "/registry", root_ + "/program"};
    std::unique_ptr<platform::Registry> registry_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingSounds sounds_;
    std::unique_ptr<ledgora::BudgetAlarm> alarm_;
    ledgora::MonthlySpending spending_;
    const std::vector<std::string> categories_ = {"Loyer", "Courses", "Essence", "Électricité"};

    AlarmesContext context(bool euros = true) {
        return {*alarm_, categories_,      spending_, 2024,      3,
                euros,   "Ledgora - Anne", dialogs_,  *registry_};
    }

    static QModelIndex cell(TAlarmes& w, int row, int column) {
        return w.grid()->gridModel()->indexOf(row, column);
    }
    // The grid row of a category (rows are sorted by name).
    static int rowOf(TAlarmes& w, const std::string& category) {
        const ledgora::Grid& g = w.table().grid();
        for (int r = 1; r < g.rowCount(); ++r) {
            if (g.at(r, ledgora::budget_col::Category) == category) {
                return r;
            }
        }
        return -1;
    }
    static QLineEdit* openEditor(TAlarmes& w, int row) {
        const QModelIndex index = cell(w, row, ledgora::budget_col::Maximum);
        w.grid()->setCurrentIndex(index);
        w.grid()->edit(index);
        return qobject_cast<QLineEdit*>(w.grid()->indexWidget(index));
    }
    static void typeMaximum(TAlarmes& w, int row, const QString& text) {
        QLineEdit* editor = openEditor(w, row);
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(0); // the delegate commits on the next turn of the loop
    }
    static QString shown(TAlarmes& w, int row) {
        return cell(w, row, ledgora::budget_col::Maximum).data().toString();
    }

private slots:
    void init() {
        registry_ = std::make_unique<platform::Registry>(paths_.registryFolder());
        dialogs_.clear();
        alarm_ = std::make_unique<ledgora::BudgetAlarm>(*registry_, paths_, sounds_, dialogs_,
                                                        [] { return false; });
        alarm_->setAccount("Anne", "Courant");
        alarm_->replaceAll({{"Courses", "100.00", ""}, {"Loyer", "", ""}});
        ledgora::Grid reg = ledgora::makeRegister(3);
        reg.set(1, ledgora::col::Date, "02/03/2024");
        reg.set(1, ledgora::col::Rubrique, "Courses");
        reg.set(1, ledgora::col::Debit, "120.00");
        spending_.rebuild(reg);
    }

    void showsTheStoredMaximaSortedWithTheCurrency() {
        TAlarmes w(context(false));
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Alarmes budgétaires (Francs)"));
        GridModel* model = w.grid()->gridModel();
        QCOMPARE(model->columnCount(), 2); // the remainder stays out of sight
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Budget mensuel maximum à ne pas dépasser"));
        const ledgora::Grid& g = w.table().grid();
        QCOMPARE(g.at(1, 0), std::string("Courses"));
        QCOMPARE(g.at(4, 0), std::string("Loyer"));
        QCOMPARE(shown(w, rowOf(w, "Courses")), QStringLiteral("100.00"));
        QCOMPARE(shown(w, rowOf(w, "Loyer")), QString());
        // Over budget this month: the category's name in red and bold, its maximum in red.
        const QModelIndex name = cell(w, rowOf(w, "Courses"), 0);
        QCOMPARE(name.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QVERIFY(name.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(cell(w, rowOf(w, "Courses"), 1).data(Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(255, 0, 0));
        QVERIFY(!cell(w, rowOf(w, "Essence"), 0).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(cell(w, 1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(223, 255, 223));
        QCOMPARE(cell(w, 2, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
                 QColor(198, 255, 198));
        QVERIFY(!(model->flags(cell(w, 1, 0)) & Qt::ItemIsEditable));
        saveShot(w, "TAlarmes.png");
    }

    // The program's own category list at the window's default size: the rows scroll, the
    // two columns never do.
    void theBuiltInCategoriesFitTheirColumns() {
        AlarmesContext c = context();
        c.categories = ledgora::NameList::builtInCategories().entries();
        c.categories.push_back("Assurance habitation et responsabilité civile");
        TAlarmes w(c);
        w.show();
        QTest::qWait(0);
        saveShot(w, "TAlarmes-built-in-categories.png");
        QVERIFY(!w.grid()->horizontalScrollBar()->isVisible());
    }

    void typedMaximaAreNormalised_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("comma") << "12,5"
                               << "12.50";
        QTest::newRow("negative") << "-50"
                                  << "50.00";
        QTest::newRow("zero removes it") << "0"
                                         << "";
        QTest::newRow("zero with decimals") << "0,00"
                                            << "";
        QTest::newRow("letters refused by the box") << "4a5"
                                                    << "45.00";
        QTest::newRow("rounded") << "33,335"
                                 << "33.34";
    }
    void typedMaximaAreNormalised() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        TAlarmes w(context());
        w.show();
        const int row = rowOf(w, "Courses"); // filled: typing replaces 100.00
        typeMaximum(w, row, typed);
        QCOMPARE(shown(w, row), kept);
    }

    // As a French user types into the grid: straight over the selected cell (its maximum
    // replaced), Enter to go on to the next category, or a paste. What the box could never
    // have let through is refused with "Saisie incorrecte." and the cell kept.
    void typedOverTheCellOrPasted_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("refused");
        QTest::newRow("comma over the filled cell") << "12,5"
                                                    << ""
                                                    << "12.50" << false;
        QTest::newRow("a sign dropped") << "-50"
                                        << ""
                                        << "50.00" << false;
        QTest::newRow("0 removes it") << "0"
                                      << ""
                                      << "" << false;
        QTest::newRow("a figure pasted") << ""
                                         << "80,5"
                                         << "80.50" << false;
        QTest::newRow("blanks around a paste") << ""
                                               << " 80 "
                                               << "80.00" << false;
        QTest::newRow("thousands pasted with a space") << ""
                                                       << "1 234,56"
                                                       << "100.00" << true;
        QTest::newRow("a currency pasted") << ""
                                           << "80 €"
                                           << "100.00" << true;
        QTest::newRow("words pasted") << ""
                                      << "beaucoup"
                                      << "100.00" << true;
        QTest::newRow("too large to be an amount") << "9999999999999999"
                                                   << ""
                                                   << "100.00" << true;
        QTest::newRow("two separators typed") << "1,2,3"
                                              << ""
                                              << "100.00" << true;
        QTest::newRow("two separators pasted") << ""
                                               << "1,2,3"
                                               << "100.00" << true;
    }
    void typedOverTheCellOrPasted() {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        QFETCH(bool, refused);
        TAlarmes w(context());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const int row = rowOf(w, "Courses");
        w.grid()->setCurrentIndex(cell(w, row, ledgora::budget_col::Maximum));
        w.grid()->setFocus();
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QLineEdit* editor = openEditor(w, row);
            QVERIFY(editor != nullptr);
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
            QTest::qWait(0);
            // The box refuses a paste it could not have typed as it comes, the maximum kept;
            // one it takes goes in without the blanks around it.
            QCOMPARE(editor->text(), refused ? QStringLiteral("100.00") : pasted.trimmed());
        }
        // The first key opens the editor over the cell; the others go where the focus is.
        for (const QChar c : typed) {
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(0);
        QCOMPARE(shown(w, row), kept);
        QVERIFY(w.isVisible()); // Enter in the cell never closes the window
        if (refused) {
            QCOMPARE(dialogs_.texts(), std::vector<std::string>{"Saisie incorrecte."});
            QCOMPARE(dialogs_.shown()[0].kind, platform::MessageKind::Error);
            // A refused entry stays to be typed again; after a refused paste, Enter takes
            // the maximum the box kept.
            QCOMPARE(w.grid()->currentIndex(),
                     cell(w, pasted.isEmpty() ? row : row + 1, ledgora::budget_col::Maximum));
        } else {
            QVERIFY(dialogs_.shown().empty());
            QCOMPARE(w.grid()->currentIndex(), cell(w, row + 1, ledgora::budget_col::Maximum));
        }
    }

    void okWithARefusedValueStaysOpen() {
        TAlarmes w(context());
        w.show();
        QLineEdit* editor = openEditor(w, rowOf(w, "Essence"));
        QVERIFY(editor != nullptr);
        editor->setText(QStringLiteral("80 €"));
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(w.isVisible());
        QCOMPARE(dialogs_.texts(), std::vector<std::string>{"Saisie incorrecte."});
        QTest::qWait(0); // told once, not again when the loop turns
        QCOMPARE(dialogs_.texts().size(), std::size_t{1});
        QCOMPARE(alarm_->monthlyMaximum("Essence"), ledgora::Cents(0));
    }

    void escapeLeavesTheCellAsItWas() {
        TAlarmes w(context());
        w.show();
        const int row = rowOf(w, "Courses");
        QLineEdit* editor = openEditor(w, row);
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("999"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTest::qWait(0);
        QCOMPARE(shown(w, row), QStringLiteral("100.00"));
        QVERIFY(w.isVisible()); // the editor's Escape is not the window's "Annuler"
    }

    void okWritesEveryRowAndAnnulerNothing() {
        {
            TAlarmes w(context());
            w.show();
            typeMaximum(w, rowOf(w, "Essence"), QStringLiteral("80"));
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Annuler")), Qt::LeftButton);
        }
        QCOMPARE(alarm_->monthlyMaximum("Essence"), ledgora::Cents(0));
        {
            TAlarmes w(context());
            w.show();
            typeMaximum(w, rowOf(w, "Essence"), QStringLiteral("80"));
            // A value still in its editor is taken by "OK" too.
            QLineEdit* editor = openEditor(w, rowOf(w, "Courses"));
            editor->selectAll();
            QTest::keyClicks(editor, QStringLiteral("150,25"));
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        QCOMPARE(alarm_->monthlyMaximum("Essence"), ledgora::Cents(8000));
        QCOMPARE(alarm_->monthlyMaximum("Courses"), ledgora::Cents(15025));
        QCOMPARE(alarm_->monthlyMaximum("Électricité"), ledgora::Cents(0));
        QVERIFY(dialogs_.shown().empty());
    }

    void sortsOnACaptionClick() {
        TAlarmes w(context());
        w.show();
        typeMaximum(w, rowOf(w, "Essence"), QStringLiteral("80"));
        emit w.grid()->horizontalHeader()->sectionClicked(1);
        // Maxima as numbers, the empty ones first.
        const ledgora::Grid& g = w.table().grid();
        QCOMPARE(g.at(3, 1), std::string("80.00"));
        QCOMPARE(g.at(4, 1), std::string("100.00"));
    }

    // "Imprimer": the table through the print dialog, the logo at the header's left before
    // the credit line, colours unless black and white; Cancel prints nothing.
    void printsTheTableWithTheLogo_data() {
        QTest::addColumn<bool>("blackAndWhite");
        QTest::newRow("colour") << false;
        QTest::newRow("black and white") << true;
    }
    void printsTheTableWithTheLogo() {
        QFETCH(bool, blackAndWhite);
        AlarmesContext c = context();
        c.blackAndWhite = blackAndWhite;
        TAlarmes w(c);
        const platform::FixedClock clock(platform::DateTime{2024, 3, 7, 9, 41, 0});
        w.setClock(clock);
        w.show();
        auto* imprimer = w.findChild<QPushButton*>(QStringLiteral("Imprimer"));
        QVERIFY(imprimer != nullptr);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("alarmes.pdf"));
        QString job;
        w.setPrintDialog([&](QPrinter& p, int) {
            job = p.docName();
            return false;
        });
        QTest::mouseClick(imprimer, Qt::LeftButton);
        QCOMPARE(job, QStringLiteral("Ledgora - Alarmes budgétaires (Euros)"));
        QVERIFY(!QFile::exists(file));
        int printed = 0;
        w.setPrintDialog([&](QPrinter& p, int) {
            ++printed;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file);
            return true;
        });
        QTest::mouseClick(imprimer, Qt::LeftButton);
        // Enter is "OK"'s, never the print's.
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(printed, 1);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        pdftest::keepShot(file, blackAndWhite ? "alarmes-nb.pdf" : "alarmes.pdf");
        const auto lines = pdftest::lines(file);
        if (!lines) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        const QString text = lines->join('\n');
        QVERIFY2(lines->at(0).contains(QStringLiteral("09:41")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Ledgora - Anne - Alarmes budgétaires (Euros)")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("07/03/2024")));
        QVERIFY(lines->contains(QStringLiteral("Imprimé avec Ledgora")));
        QVERIFY(lines->contains(QStringLiteral("Courses 100.00")));
        QCOMPARE(lines->last(), QStringLiteral("page 1"));
        const auto page = pdftest::firstPage(file);
        if (!page) {
            return;
        }
        // At 50 dots an inch the 10 mm margin is 20 dots and the header 30 high.
        const QRect logo(18, 18, 20, 34);
        if (blackAndWhite) {
            QCOMPARE(pdftest::colouredPixels(*page), 0);
        } else {
            QVERIFY(pdftest::colouredPixels(*page, logo) > 30);
            // The red of "Courses", over its maximum, below the header.
            QVERIFY(pdftest::colouredPixels(*page, QRect(0, 52, page->width(), 80)) > 0);
        }
    }

    void noCategoryOpensNothing() {
        AlarmesContext none = context();
        none.categories.clear();
        QVERIFY(!TAlarmes::execute(none, nullptr));
        QCOMPARE(dialogs_.texts(),
                 std::vector<std::string>{"Aucune rubrique n'est définie. Pour créer des "
                                          "rubriques, cliquez sur Options|Rubriques et modes de "
                                          "paiement."});
        QCOMPARE(dialogs_.shown()[0].kind, platform::MessageKind::Warning);
    }
};

QTEST_MAIN(TAlarmesTest)
#include "TAlarmesTest.moc"
