#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "app/Shots.h"
#include "platform/Clock.h"
#include "register/ExportFixture.h"
#include "register/RegisterColumns.h"
#include "register/ui/TAutoSave.h"
#include "register/ui/TBackupDlg.h"
#include "support/PdfText.h"
#include "ui/PrintCommand.h"
#include "ui/ProgressDialog.h"
#include "ui/TPagePreview.h"

namespace {

// Pixels whose colour is not a grey: what black and white must not print.
int colouredPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) -
                    std::min({c.red(), c.green(), c.blue()}) >
                40) {
                ++n;
            }
        }
    }
    return n;
}

bool allWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return false;
            }
        }
    }
    return true;
}

// The test register grown to `rows` operations, so that it takes several pages.
ledgora::Grid longRegister(int rows) {
    ledgora::Grid grid = ledgora::testing::exportRegister();
    const int first = grid.rowCount();
    grid.setRowCount(first + rows);
    for (int r = first; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            grid.set(r, c, grid.at(2 + r % 4, c));
        }
        grid.set(r, 0, std::to_string(r));
    }
    return grid;
}

int pdfPages(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray bytes = f.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page/") + bytes.count("/Type /Page "));
}

} // namespace

class PrintWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void previewWalksThePagesAndOneBlankPage();
    void previewsBlackAndWhiteAndPrintsThroughItsWindow();
    void printCommandPrintsTheChosenPagesOrNothing();
    void headerLinesPushTheGridDownWithinHalfThePage();
    void printedRowsReadBackWholeOnTheirLines();
    void progressCountsThePages();
    void autoSaveDialogClampsAndEdits();
    void backupOfferAtClosing();
};

void PrintWindowsTest::previewWalksThePagesAndOneBlankPage() {
    ledgora::testing::ExportWorld world;
    world.grid = longRegister(120);
    world.spending.rebuild(world.grid);
    const platform::FixedClock clock(platform::DateTime{2024, 3, 5, 10, 7, 0});
    GridPrinter printer(
        world.grid, world.look,
        ledgora::registerPrintSettings("Ledgora - Léa : compte \"Courant\" (Euros)", false), clock);
    const int pages = printer.pageCount(printer.defaultLayout());
    QVERIFY(pages >= 2);
    TPagePreview preview(nullptr, printer, {});
    preview.show();
    auto* label = preview.findChild<QLabel*>(QStringLiteral("PageLabel"));
    auto* previous = preview.findChild<QPushButton*>(QStringLiteral("Precedente"));
    auto* next = preview.findChild<QPushButton*>(QStringLiteral("Suivante"));
    QCOMPARE(label->text(), QStringLiteral("Page : 1"));
    QVERIFY(!previous->isEnabled());
    QVERIFY(colouredPixels(preview.picture()) > 0);
    saveShot(preview, "preview.png");
    for (int p = 2; p <= pages; ++p) {
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(label->text(), QStringLiteral("Page : %1").arg(p));
        QVERIFY(previous->isEnabled());
    }
    const QImage last = preview.picture();
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(preview.page(), pages + 1);
    QVERIFY(allWhite(preview.picture()));
    QVERIFY(!next->isEnabled());
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(label->text(), QStringLiteral("Page : %1").arg(pages));
    QCOMPARE(preview.picture(), last);
}

void PrintWindowsTest::previewsBlackAndWhiteAndPrintsThroughItsWindow() {
    ledgora::testing::ExportWorld world;
    const platform::FixedClock clock;
    GridPrinter printer(world.grid, world.look, ledgora::registerPrintSettings("Ledgora", false),
                        clock);
    std::vector<bool> told;
    int printed = 0;
    TPagePreview preview(
        nullptr, printer, [&] { ++printed; }, [&](bool on) { told.push_back(on); });
    auto* bw = preview.findChild<QCheckBox*>(QStringLiteral("NoirEtBlanc"));
    QVERIFY(!bw->isChecked());
    QTest::mouseClick(bw, Qt::LeftButton);
    QCOMPARE(told, std::vector<bool>{true});
    QVERIFY(printer.settings().blackAndWhite);
    QCOMPARE(colouredPixels(preview.picture()), 0);
    QTest::mouseClick(preview.findChild<QPushButton*>(QStringLiteral("Imprimer")), Qt::LeftButton);
    QCOMPARE(printed, 1);
    QTest::mouseClick(bw, Qt::LeftButton);
    QVERIFY(colouredPixels(preview.picture()) > 0);
}

void PrintWindowsTest::printCommandPrintsTheChosenPagesOrNothing() {
    ledgora::testing::ExportWorld world;
    world.grid = longRegister(200);
    world.spending.rebuild(world.grid);
    const platform::FixedClock clock;
    GridPrinter printer(world.grid, world.look, ledgora::registerPrintSettings("Ledgora", false),
                        clock);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pages.pdf"));
    int offered = 0;
    // Cancel prints nothing.
    QVERIFY(!printGrid(nullptr, printer, [&](QPrinter& p, int count) {
        offered = count;
        p.setOutputFileName(file);
        return false;
    }));
    QVERIFY(offered >= 3);
    QVERIFY(!QFile::exists(file));
    // Pages 2 to 3 of the range.
    int from = 0;
    int to = 0;
    QString job;
    QVERIFY(printGrid(nullptr, printer, [&](QPrinter& p, int count) {
        from = p.fromPage();
        to = p.toPage() == count ? count : -1;
        job = p.docName();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
        return true;
    }));
    QCOMPARE(from, 1);
    QCOMPARE(to, offered);
    QCOMPARE(job, QStringLiteral("Ledgora"));
    QCOMPARE(pdfPages(file), 2);
}

void PrintWindowsTest::headerLinesPushTheGridDownWithinHalfThePage() {
    ledgora::testing::ExportWorld world;
    world.grid = longRegister(200);
    world.spending.rebuild(world.grid);
    const platform::FixedClock clock;
    const auto rowsWith = [&](int lines) {
        ledgora::PrintSettings s = ledgora::registerPrintSettings("Ledgora", false);
        s.creditLine = false;
        s.headerLines.assign(static_cast<std::size_t>(lines), "3 rue des Lilas");
        GridPrinter printer(world.grid, world.look, s, clock);
        return printer.pages(printer.defaultLayout()).rowsPerPage();
    };
    const int none = rowsWith(0);
    QCOMPARE(rowsWith(2), none); // two lines hold in the usual header
    QVERIFY(rowsWith(6) < none);
    QVERIFY(rowsWith(10) < rowsWith(6));
    // A hostile address of a thousand lines takes half the page, no more.
    QVERIFY(rowsWith(1000) >= none / 2 - 2);
}

void PrintWindowsTest::printedRowsReadBackWholeOnTheirLines() {
    ledgora::testing::ExportWorld world;
    // The widest text of its column (digits, measured from a table) must not be cut by
    // the rounding of the page's scale; a note past the widest column is.
    world.grid.set(2, ledgora::col::Debit, "1069.08");
    world.grid.set(4, ledgora::col::Notes, "Début " + std::string(300, 'w') + " fin");
    ledgora::recomputeBalances(world.grid);
    world.spending.rebuild(world.grid);
    const platform::FixedClock clock(platform::DateTime{2024, 4, 9, 10, 7, 0});
    GridPrinter printer(world.grid, world.look, ledgora::registerPrintSettings("Ledgora", false),
                        clock);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rows.pdf"));
    QVERIFY(printer.printToPdf(file));
    pdftest::keepShot(file, "printed-rows.pdf");
    const auto lines = pdftest::lines(file);
    if (!lines) {
        QSKIP("pdftotext is not installed");
    }
    const auto lineWith = [&](const QString& start) {
        for (const QString& l : *lines) {
            if (l.contains(start)) {
                return l;
            }
        }
        return QString();
    };
    // Each row's cells on one line, in the columns' order: the glyphs of a page are drawn
    // together, so a misplaced one would land on another line or out of order.
    const struct {
        const char* start;
        const char* line;
    } rows[] = {
        {"Pointage", "Pointage Date Numéro Rubrique Notes Mode de paiement Débit Crédit Solde"},
        {"01/03/2024", "1 X 01/03/2024 Solde initial Solde initial 1000.00 1000.00"},
        {"02/03/2024", "2 02/03/2024 1041 Courses Marché \"bio\"; légumes Chèque 1069.08 -69.08"},
        {"03/03/2024", "3 X 03/03/2024 Loisirs Cinéma Pop-corn Carte de crédit 900.00 -969.08"},
        {"05/03/2024", "5 05/03/2024 vir2 Virement Prime <b>& 5 € Virement 200.00 -799.08"},
    };
    for (const auto& row : rows) {
        QCOMPARE(lineWith(QString::fromUtf8(row.start)), QString::fromUtf8(row.line));
    }
    const QString cut = lineWith(QStringLiteral("04/03/2024"));
    QVERIFY2(cut.contains(QStringLiteral("Début www")) && cut.contains(QStringLiteral("w…")) &&
                 !cut.contains(QStringLiteral("fin")) && cut.endsWith(QStringLiteral("-999.08")),
             qPrintable(cut));
}

void PrintWindowsTest::progressCountsThePages() {
    QWidget owner;
    owner.show();
    ProgressDialog progress(&owner, QStringLiteral("Impression"), QStringLiteral("Page"));
    progress.showNow();
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    progress.step(12, 1700);
    progress.step(13, 1700); // within the same few hundredths: not repainted
    QCOMPARE(progress.countText(), QStringLiteral("Page 12 sur 1700"));
    progress.step(1700, 1700);
    QCOMPARE(progress.countText(), QStringLiteral("Page 1700 sur 1700"));
}

void PrintWindowsTest::autoSaveDialogClampsAndEdits() {
    struct Case {
        int stored, shown;
    };
    for (const Case c : {Case{10, 10}, Case{100, 60}, Case{2, 5}, Case{-1, 5}}) {
        TAutoSave dialog(nullptr, c.stored, false);
        QCOMPARE(dialog.minutes(), c.shown);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("MinutesLabel"))->text(),
                 QStringLiteral("%1 minutes").arg(c.shown));
    }
    TAutoSave dialog(nullptr, 10, false);
    dialog.show();
    auto* slider = dialog.findChild<QSlider*>(QStringLiteral("Minutes"));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);
    QCOMPARE(dialog.minutes(), 15);
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(dialog.minutes(), 60);
    QTest::keyClick(slider, Qt::Key_Home);
    QCOMPARE(dialog.minutes(), 5);
    QTest::mouseClick(dialog.findChild<QCheckBox*>(QStringLiteral("Activer")), Qt::LeftButton);
    QVERIFY(dialog.active());
    saveShot(dialog, "autosave.png");
}

void PrintWindowsTest::backupOfferAtClosing() {
    TBackupDlg dialog(nullptr);
    dialog.show();
    QVERIFY(!dialog.dontShowAgain());
    QTest::mouseClick(dialog.findChild<QCheckBox*>(QStringLiteral("NePlusMontrer")),
                      Qt::LeftButton);
    saveShot(dialog, "backup-offer.png");
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Oui")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.dontShowAgain());
}

QTEST_MAIN(PrintWindowsTest)
#include "PrintWindowsTest.moc"
