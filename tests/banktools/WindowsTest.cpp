// The bank tools' windows offscreen, typed into as a French user types.
#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "TestWorld.h"
#include "app/Shots.h"
#include "banktools/BankBalancePart.h"
#include "banktools/ui/TBordereau.h"
#include "banktools/ui/TRapproch.h"
#include "banktools/ui/TRenseignements.h"
#include "money/Amount.h"
#include "register/RegisterColumns.h"
#include "support/PdfText.h"
#include "support/TestMachine.h"
#include "ui/GridView.h"
#include "ui/TFloatEdit.h"
#include "ui/TPagePreview.h"
#include "ui/Tfinddlg.h"
#include "workspace/Workspace.h"

using ledgora::col::Credit;
using ledgora::col::Debit;
using ledgora::col::Pointage;

namespace {

// An open account whose ticked operations come to `reconciled`, with its statement balance.
struct World : ledgora::testing::TestWorld {
    ledgora::BankBalancePart bank{registry};
    explicit World(double reconciled, bool euros = true) {
        session.addPart(&bank);
        session.create("Courant", reconciled, euros);
        session.grid().set(1, Pointage, std::string(ledgora::kTicked));
        session.recompute();
    }
};

// The program's state around the slip window: an account with cheques received and paid.
struct SlipWorld : ledgora::testing::TestMachine {
    ledgora::Workspace workspace{registry, paths, clock, dialogs, dialogs, sounds};

    explicit SlipWorld(bool withCheques = true) {
        std::filesystem::create_directories(paths.userFolder("Anne"));
        workspace.session().setUser("Anne");
        workspace.session().create("Courant", 0, true);
        ledgora::Grid& reg = workspace.session().grid();
        reg.setRowCount(6);
        const char* rows[][5] = {
            {"05/03/2024", "Chèque", "Salaire", "", "100.00"},
            {"01/03/2024", "Espèces", "Divers", "chèque de Paul", "50.50"},
            {"02/03/2024", "Chèque", "Courses", "", ""},
            {"03/03/2024", "CHEQUE", "Divers", "", "30.00"},
        };
        for (int i = 0; i < (withCheques ? 4 : 0); ++i) {
            const int r = i + 2;
            reg.set(r, ledgora::col::Date, rows[i][0]);
            reg.set(r, ledgora::col::ModePaiement, rows[i][1]);
            reg.set(r, ledgora::col::Rubrique, rows[i][2]);
            reg.set(r, ledgora::col::Notes, rows[i][3]);
            reg.set(r, ledgora::col::Credit, rows[i][4]);
            reg.set(r, ledgora::col::Debit, rows[i][4][0] == 0 ? "12.00" : "");
        }
        workspace.session().recompute();
    }
};

// Clicks the "A remettre" box of slip row `row`.
void tick(TBordereau& w, int row) {
    QTableView* view = w.grid();
    const QRect cell = view->visualRect(view->model()->index(row - 1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

// Runs `answer` on the next modal dialog of type `Dialog` to open (waiting for it while
// another is on top, as the details dialog before the preview).
template <typename Dialog, typename F> void whenOpened(F answer, int tries = 200) {
    QTimer::singleShot(tries == 200 ? 0 : 10, [answer, tries] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (d == nullptr && tries > 0) {
            whenOpened<Dialog>(answer, tries - 1);
            return;
        }
        QVERIFY(d != nullptr);
        answer(*d);
    });
}

QRgb textColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText).rgb();
}

// Pixels of the printed title's red.
int redPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 160 && c.green() < 110 && c.blue() < 110 ? 1 : 0;
        }
    }
    return n;
}

// Types the details as a user would, the address on two lines.
void typeDetails(TRenseignements& d) {
    QTest::keyClicks(d.numberField(), "0123 456");
    QTest::keyClicks(d.nameField(), "Anne Martin");
    QTest::keyClicks(d.addressField(), "3 rue des Lilas");
    QTest::keyClick(d.addressField(), Qt::Key_Return);
    QTest::keyClicks(d.addressField(), "75001 Paris");
    d.accept();
}

// A print dialog that prints to the PDF file `file`, counting its calls.
PrintDialogRun toPdf(const QString& file, int& asked) {
    return [&asked, file](QPrinter& printer, int) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    };
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void reconciliationStatesTypedDigitByDigit() {
        World world(100.0);
        TRapproch w(world.session, world.bank);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Rapprochement automatique"));
        QCOMPARE(w.reconciledLabel()->text(), QStringLiteral("100.00 Euros"));
        // A stored 0 is not shown, and nothing is computed.
        QCOMPARE(w.statementField()->text(), QString());
        QVERIFY(!w.calculateButton()->isEnabled());
        QCOMPARE(w.resultLabel()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), w.statementField());

        struct Case {
            const char* typed;
            const char* result;
            QRgb colour;
            const char* shot;
        };
        const Case cases[] = {
            {"50", "50.00 Euros en faveur de la banque", qRgb(255, 0, 0), "TRapproch-banque.png"},
            {"150,00", "50.00 Euros en votre faveur", qRgb(0, 0, 255), "TRapproch-faveur.png"},
            {"100", "0.00 Euros - Bravo !", qRgb(0, 0, 0), "TRapproch-bravo.png"},
        };
        for (const Case& c : cases) {
            w.statementField()->clear();
            QVERIFY(!w.calculateButton()->isEnabled());
            QTest::keyClicks(w.statementField(), c.typed);
            QVERIFY(w.calculateButton()->isEnabled());
            QCOMPARE(w.resultLabel()->text(), QString());
            QTest::keyClick(w.statementField(), Qt::Key_Return);
            QVERIFY(w.isVisible()); // Enter computes and goes no further
            QCOMPARE(w.resultLabel()->text(), QString::fromUtf8(c.result));
            QCOMPARE(textColour(w.resultLabel()), c.colour);
            QCOMPARE(QApplication::focusWidget(), w.statementField());
            saveShot(w, c.shot);
        }
        // Letters never reach the field; any change clears the result.
        QTest::keyClicks(w.statementField(), "a ");
        QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("€"));
        QApplication::sendEvent(w.statementField(), &euro);
        QCOMPARE(w.statementField()->text(), QStringLiteral("100"));
        QTest::keyClick(w.statementField(), Qt::Key_Backspace);
        QCOMPARE(w.resultLabel()->text(), QString());
        w.calculateButton()->click();
        QCOMPARE(w.resultLabel()->text(), QStringLiteral("90.00 Euros en faveur de la banque"));
        // A lone sign reads 0.
        w.statementField()->clear();
        QTest::keyClicks(w.statementField(), "-");
        QTest::keyClick(w.statementField(), Qt::Key_Enter);
        QCOMPARE(w.resultLabel()->text(), QStringLiteral("100.00 Euros en faveur de la banque"));
    }

    // A paste the field could not have typed is refused over the window, the balance and
    // the result kept; one it could goes in and computes as typed.
    void reconciliationPastes() {
        World world(100.0);
        TRapproch w(world.session, world.bank);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClicks(w.statementField(), "50");
        QTest::keyClick(w.statementField(), Qt::Key_Return);
        const QString result = w.resultLabel()->text();
        QString told;
        whenOpened<QMessageBox>([&](QMessageBox& box) {
            saveShot(w, "TRapproch-collage-refuse.png");
            saveShot(box, "TRapproch-collage-message.png");
            told = box.text();
            box.accept();
        });
        QGuiApplication::clipboard()->setText(QStringLiteral("1 234,56 €"));
        w.statementField()->selectAll();
        QTest::keyClick(w.statementField(), Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(told, QStringLiteral("Saisie incorrecte."));
        QCOMPARE(w.statementField()->text(), QStringLiteral("50"));
        QCOMPARE(w.resultLabel()->text(), result);

        QGuiApplication::clipboard()->setText(QStringLiteral("150,00"));
        w.statementField()->setFocus();
        w.statementField()->selectAll();
        QTest::keyClick(w.statementField(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.resultLabel()->text(), QString()); // a change clears the result
        QTest::keyClick(w.statementField(), Qt::Key_Return);
        QCOMPARE(w.resultLabel()->text(), QStringLiteral("50.00 Euros en votre faveur"));
    }

    void fermerStoresAndReopeningComputesAtOnce() {
        World world(-20.5, false);
        {
            TRapproch w(world.session, world.bank);
            w.show();
            QTest::keyClicks(w.statementField(), "-20,5");
            w.closeButton()->click();
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(ledgora::formatAmount(world.bank.balance()), std::string("-20.50"));
        TRapproch again(world.session, world.bank);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.statementField()->text(), QStringLiteral("-20.50"));
        QCOMPARE(again.resultLabel()->text(), QStringLiteral("0.00 Francs - Bravo !"));
        QCOMPARE(QApplication::focusWidget(), again.closeButton());
        // Escape leaves the stored balance as it was.
        again.statementField()->setFocus();
        QTest::keyClicks(again.statementField(), "9");
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QCOMPARE(ledgora::formatAmount(world.bank.balance()), std::string("-20.50"));
    }

    // The statement balance through the window, both currencies and a save.
    void francsAndBackRestoreTheStatementBalance() {
        World world(0.0, false);
        const auto closeWith = [&](const char* typed) {
            TRapproch w(world.session, world.bank);
            w.show();
            if (typed != nullptr) {
                w.statementField()->clear();
                QTest::keyClicks(w.statementField(), typed);
            }
            const QString shown = w.statementField()->text();
            w.closeButton()->click();
            return shown;
        };
        closeWith("100");
        world.session.switchToEuros();
        QCOMPARE(closeWith(nullptr), QStringLiteral("15.24")); // kept as it was
        QVERIFY(world.session.save());
        QVERIFY(world.session.load("Courant"));
        world.session.switchToFrancs();
        QCOMPARE(closeWith(nullptr), QStringLiteral("100.00"));

        // A new amount typed in euros goes to francs without the old amount's remainder.
        world.session.switchToEuros();
        closeWith("15,25");
        world.session.switchToFrancs();
        QCOMPARE(closeWith(nullptr), QStringLiteral("100.03"));
        world.session.switchToEuros();
        QCOMPARE(closeWith(nullptr), QStringLiteral("15.25"));
    }

    void depositSlipListsTicksTotalsAndSorts() {
        SlipWorld world;
        TBordereau w(world.workspace);
        QVERIFY(w.prepare());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(
            w.windowTitle(),
            QStringLiteral(
                "Ledgora - Bordereau de remise de chèques - Anne : compte \"Courant\" (Euros)"));
        QAbstractItemModel* m = w.grid()->model();
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("A remettre"));
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("01/03/2024"));
        QCOMPARE(m->index(0, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(m->index(0, 5).data(Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(0, 0, 255));
        QCOMPARE(w.totalLabel()->text(), QStringLiteral("Total remis : 0.00"));

        tick(w, 1);
        tick(w, 2);
        QCOMPARE(w.totalLabel()->text(), QStringLiteral("Total remis : 150.50"));
        QCoreApplication::processEvents(); // the layout follows the longer total
        saveShot(w, "TBordereau.png");
        tick(w, 1);
        QCOMPARE(w.totalLabel()->text(), QStringLiteral("Total remis : 100.00"));

        // Notes are typed over in the slip only.
        QTableView* view = w.grid();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        view->setCurrentIndex(m->index(1, 4));
        QTest::keyClick(view, 'R'); // typing over the cell opens its editor
        QTest::keyClicks(QApplication::focusWidget(), "emis le 6");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(m->index(1, 4).data().toString(), QStringLiteral("Remis le 6"));
        QCOMPARE(world.workspace.session().grid().at(2, ledgora::col::Notes), std::string());
        // Nothing but the notes takes text.
        view->setCurrentIndex(m->index(1, 5));
        QTest::keyClicks(view, "9");
        QCOMPARE(m->index(1, 5).data().toString(), QStringLiteral("100.00"));

        // A click on "Montant" sorts by amount, ticks and all.
        const QHeaderView* header = view->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(5) + 5, 5));
        QCOMPARE(m->index(0, 5).data().toString(), QStringLiteral("50.50"));
        QCOMPARE(m->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
        QCOMPARE(m->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }

    void depositSlipWithoutChequesStaysClosed() {
        SlipWorld world(false);
        TBordereau w(world.workspace);
        w.Execute();
        QVERIFY(!w.isVisible());
        QCOMPARE(world.dialogs.texts(),
                 std::vector<std::string>{"Aucun chèque à remettre trouvé."});
    }

    void depositSlipSearch() {
        SlipWorld world;
        TBordereau w(world.workspace);
        QVERIFY(w.prepare());
        w.show();
        whenOpened<Tfinddlg>([](Tfinddlg& d) {
            d.findChild<QLineEdit*>()->setText(QStringLiteral("salaire"));
            d.accept();
        });
        w.Chercher1Click();
        QCOMPARE(w.grid()->currentIndex().row(), 1);
        QVERIFY(w.grid()->selectionModel()->isRowSelected(1, {}));
        w.Suivant1Click();
        QCOMPARE(world.dialogs.texts(), std::vector<std::string>{"Recherche infructueuse."});
    }

    void depositSlipPrintAsksTheDetailsOnce() {
        SlipWorld world;
        TBordereau w(world.workspace);
        QVERIFY(w.prepare());
        w.show();
        w.Imprimer1Click();
        QCOMPARE(world.dialogs.texts(),
                 std::vector<std::string>{"Vous n'avez sélectionné aucun chèque à remettre !"});
        QVERIFY(!w.lastPrintJob());

        tick(w, 1);
        tick(w, 2);
        whenOpened<TRenseignements>([](TRenseignements& d) {
            QCOMPARE(d.windowTitle(),
                     QStringLiteral("Renseignements à faire figurer sur le bordereau"));
            QCOMPARE(d.focusWidget(), d.numberField());
            QTest::keyClicks(d.numberField(), "0123 456");
            QTest::keyClicks(d.nameField(), "Anne Martin");
            QTest::keyClicks(d.addressField(), "3 rue des Lilas");
            QTest::keyClick(d.addressField(), Qt::Key_Return); // a new line, not OK
            QTest::keyClicks(d.addressField(), "75001 Paris");
            QVERIFY(d.isVisible());
            saveShot(d, "TRenseignements.png");
            whenOpened<TPagePreview>([](TPagePreview& p) { p.accept(); });
            d.accept();
        });
        w.Apercu1Click();
        QVERIFY(w.lastPrintJob());
        QCOMPARE(w.lastPrintJob()->title, std::string("Total remis : 150.50 Euros"));
        QCOMPARE(w.lastPrintJob()->header,
                 (std::vector<std::string>{"Bordereau de remise de chèques - Compte n° 0123 456",
                                           "Anne Martin - 3 rue des Lilas", "75001 Paris"}));
        QCOMPARE(w.lastPrintJob()->grid.rowCount(), 3);

        // Next time: prefilled, and "Annuler" prints nothing.
        whenOpened<TRenseignements>([](TRenseignements& d) {
            QCOMPARE(d.nameField()->text(), QStringLiteral("Anne Martin"));
            QCOMPARE(d.addressField()->toPlainText(),
                     QStringLiteral("3 rue des Lilas\n75001 Paris"));
            d.reject();
        });
        w.Imprimer1Click();
        QVERIFY(!w.lastPrintJob());
    }

    // The slip on paper: the red title, the two header lines (the address's line break
    // kept), the ticked cheques, the date at the bottom and nothing else in the margins.
    void depositSlipPrintsItsPage() {
        SlipWorld world;
        const platform::FixedClock clock(platform::DateTime{2024, 3, 7, 9, 41, 0});
        TBordereau w(world.workspace);
        w.setClock(clock);
        QVERIFY(w.prepare());
        w.show();
        tick(w, 1);
        tick(w, 2);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("bordereau.pdf"));
        int asked = 0;
        w.setPrintDialog(toPdf(file, asked));
        whenOpened<TRenseignements>(typeDetails);
        w.Imprimer1Click();
        QCOMPARE(asked, 1);
        pdftest::keepShot(file, "bordereau.pdf");
        if (const auto page = pdftest::firstPage(file)) {
            QVERIFY(redPixels(*page) > 20); // the title
        }
        const auto lines = pdftest::lines(file);
        if (!lines) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QVERIFY2(lines->size() >= 6, qPrintable(lines->join('\n')));
        QCOMPARE(lines->at(0), QStringLiteral("Total remis : 150.50 Euros"));
        QCOMPARE(lines->at(1),
                 QStringLiteral("Bordereau de remise de chèques - Compte n° 0123 456"));
        QCOMPARE(lines->at(2), QStringLiteral("Anne Martin - 3 rue des Lilas"));
        QCOMPARE(lines->at(3), QStringLiteral("75001 Paris"));
        QCOMPARE(lines->at(4), QStringLiteral("Date Numéro Rubrique Notes Montant"));
        QVERIFY(lines->at(5).startsWith(QStringLiteral("1 01/03/2024")));
        QVERIFY(lines->at(5).endsWith(QStringLiteral("50.50")));
        QVERIFY(lines->at(6).endsWith(QStringLiteral("100.00")));
        QCOMPARE(lines->last(), QStringLiteral("07/03/2024"));
        const QString all = lines->join('\n');
        for (const char* absent : {"09:41", "page", "Imprimé avec"}) {
            QVERIFY2(!all.contains(QString::fromUtf8(absent)), absent);
        }
    }

    // The preview: the title red, black once "Noir et blanc" is ticked (the main window's
    // option follows), and "Imprimer" prints the page shown without asking again.
    void depositSlipPreviewInColourAndBlackAndWhite() {
        SlipWorld world;
        TBordereau w(world.workspace);
        QVERIFY(w.prepare());
        w.show();
        tick(w, 2);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("apercu.pdf"));
        int asked = 0;
        w.setPrintDialog(toPdf(file, asked));
        int colour = -1;
        int blackAndWhite = -1;
        whenOpened<TRenseignements>([&](TRenseignements& d) {
            whenOpened<TPagePreview>([&](TPagePreview& p) {
                colour = redPixels(p.picture());
                p.picture().save(dir.filePath(QStringLiteral("colour.png")));
                saveShot(p, "bordereau-apercu.png");
                QTest::mouseClick(p.findChild<QCheckBox*>(QStringLiteral("NoirEtBlanc")),
                                  Qt::LeftButton);
                blackAndWhite = redPixels(p.picture());
                saveShot(p, "bordereau-apercu-nb.png");
                QTest::mouseClick(p.findChild<QPushButton*>(QStringLiteral("Imprimer")),
                                  Qt::LeftButton);
                p.accept();
            });
            typeDetails(d);
        });
        w.Apercu1Click();
        QVERIFY2(colour > 20, qPrintable(QString::number(colour)));
        QCOMPARE(blackAndWhite, 0);
        QVERIFY(world.workspace.options().bw);
        QCOMPARE(asked, 1);
        QVERIFY(QFileInfo(file).size() > 0);
        pdftest::keepShot(file, "bordereau-nb.pdf");
        if (const auto lines = pdftest::lines(file)) {
            QCOMPARE(lines->at(0), QStringLiteral("Total remis : 100.00 Euros"));
        }
        if (const auto page = pdftest::firstPage(file)) {
            QCOMPARE(pdftest::colouredPixels(*page), 0); // printed in black and white
        }
    }

    void detailsDialogFocusAndRefusal() {
        platform::ScriptedDialogs dialogs;
        TRenseignements d({"123", "Anne", ""}, dialogs);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.focusWidget(), d.addressField());
        d.nameField()->setText(QStringLiteral("Ő"));
        d.accept();
        QVERIFY(d.isVisible());
        QCOMPARE(
            dialogs.texts(),
            std::vector<std::string>{
                "Ce renseignement contient des caractères qui ne peuvent pas être enregistrés."});
        QCOMPARE(d.focusWidget(), d.nameField());
        d.nameField()->setText(QStringLiteral("Anne Œuvre"));
        d.accept();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.details().name, std::string("Anne Œuvre"));
    }
};

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
