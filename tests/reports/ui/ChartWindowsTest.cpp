// The chart windows, offscreen: the progression's pages and buttons, the pies' tabs and
// "3D", the bar chart, the month chooser, and what each prints.
#include <memory>

#include <QCheckBox>
#include <QImage>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "reports/PeriodChoice.h"
#include "reports/Progression.h"
#include "reports/Recap.h"
#include "reports/ReportPies.h"
#include "reports/ui/ChartPainter.h"
#include "reports/ui/ChartView.h"
#include "reports/ui/TChooseMonthOrYear.h"
#include "reports/ui/THisto.h"
#include "reports/ui/TLines.h"
#include "reports/ui/TPies.h"
#include "support/PdfText.h"

namespace {

void saveShot(QWidget& w, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        w.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QString::fromUtf8(name));
    }
}

QPushButton* button(QWidget& w, const char* name) {
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Points of a balance that goes below zero in the middle of the second page.
std::vector<ledgora::ProgressionPoint> points(int count) {
    std::vector<ledgora::ProgressionPoint> out;
    for (int i = 0; i < count; ++i) {
        const int day = i % 28 + 1;
        const int month = i / 28 + 1;
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/2024", day, month);
        const ledgora::Cents balance = (i < 34 || i > 40 ? 50000 - i * 700 : -12000 - i * 300);
        out.push_back({date, balance});
    }
    return out;
}

ledgora::BudgetReport expensesAndReceipts() {
    ledgora::BudgetReport report;
    report.caption = "Ventilation de tout le compte par rubriques (Euros)";
    report.lines = {{"Courses", -42050}, {"Essence", -12000}, {"Loyer", -65000},
                    {"Loisirs", -8075},  {"Salaire", 185000}, {"Remboursement", 0},
                    {"Intérêts", 1250}};
    return report;
}

// How many pixels of `image` are not white: a chart drawn is far from blank.
int inkOf(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (image.pixelColor(x, y) != Qt::white) {
                ++ink;
            }
        }
    }
    return ink;
}

// The chart as drawn: at the size its window gives it, or its own when not shown.
QImage drawn(ChartView& view) {
    if (!view.isVisible()) {
        view.resize(view.sizeHint());
    }
    return view.grab().toImage();
}

// The whole account of a household over some years: many categories, a few small ones,
// long names.
ledgora::BudgetReport householdReport() {
    ledgora::BudgetReport report;
    report.caption = "Ventilation de tout le compte par rubriques (Euros)";
    report.lines = {{"Alimentation", -1254320},
                    {"Assurance habitation et responsabilité civile", -84512},
                    {"Cadeaux", -23050},
                    {"Cinéma", -4120},
                    {"Eau", -31200},
                    {"Électricité", -96540},
                    {"Essence", -312075},
                    {"Impôts", -453000},
                    {"Loyer", -2160000},
                    {"Pharmacie", -12040},
                    {"Restaurant", -88800},
                    {"Téléphone", -64300},
                    {"Vêtements", -150000},
                    {"Allocations", 96000},
                    {"Intérêts", 3120},
                    {"Remboursement", 0},
                    {"Salaire", 5400000}};
    return report;
}

} // namespace

class ChartWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void progressionPagesAndButtons() {
        TLines w("Ledgora - Anne : compte \"Courant\" (Euros) - Progression du solde", true,
                 points(45), QStringLiteral("Ledgora - Progression"));
        w.show();
        QCOMPARE(
            w.windowTitle(),
            QStringLiteral("Ledgora - Anne : compte \"Courant\" (Euros) - Progression du solde"));
        QCOMPARE(w.pages().pageCount(), 2);
        QVERIFY(w.threeD()->isChecked());
        struct Step {
            const char* press;
            int page;
            bool first, previous, next, last;
        };
        const Step steps[] = {
            {nullptr, 0, false, false, true, true},     {"Suivant", 1, true, true, false, false},
            {"Precedent", 0, false, false, true, true}, {"Fin", 1, true, true, false, false},
            {"Debut", 0, false, false, true, true},
        };
        for (const Step& s : steps) {
            if (s.press != nullptr) {
                QTest::mouseClick(button(w, s.press), Qt::LeftButton);
            }
            QCOMPARE(w.pages().page(), s.page);
            QCOMPARE(button(w, "Debut")->isEnabled(), s.first);
            QCOMPARE(button(w, "Precedent")->isEnabled(), s.previous);
            QCOMPARE(button(w, "Suivant")->isEnabled(), s.next);
            QCOMPARE(button(w, "Fin")->isEnabled(), s.last);
        }
        QTest::mouseClick(button(w, "Fin"), Qt::LeftButton);
        QCOMPARE(w.pages().firstPoint(), 30);
        QCOMPARE(w.pages().endPoint(), 45);
        saveShot(w, "TLines-3D-page2.png");
        w.threeD()->click();
        saveShot(w, "TLines-flat-page2.png");
    }

    void oneShortPageHasNoMoves() {
        TLines w("Progression", false, points(12), {});
        for (const char* name : {"Debut", "Precedent", "Suivant", "Fin"}) {
            QVERIFY2(!button(w, name)->isEnabled(), name);
        }
        TLines empty("Progression", false, {}, {});
        QCOMPARE(empty.pages().pageCount(), 1);
        QVERIFY(inkOf(drawn(*empty.chart())) > 0); // the axes, without points
    }

    void negativePointsAreRed() {
        // One falling point alone on the page: the chart carries its red, and no green.
        TLines w("Progression", true, {{"01/02/2024", -5000}}, {});
        const QImage image = drawn(*w.chart());
        bool red = false;
        bool green = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red = red || (c.red() > 230 && c.green() < 30 && c.blue() < 30);
                green =
                    green || (c.green() > 110 && c.green() < 140 && c.red() < 20 && c.blue() < 20);
            }
        }
        QVERIFY(red);
        QVERIFY(!green);
    }

    void piesOnTwoTabs() {
        TPies w(ledgora::reportPies(expensesAndReceipts()), QStringLiteral("Ledgora - Pies"));
        w.show();
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Ventilation de tout le compte par rubriques (Euros)"));
        QCOMPARE(w.pages()->count(), 2);
        QCOMPARE(w.pages()->tabText(0), QStringLiteral("Dépenses"));
        QCOMPARE(w.pages()->tabText(1), QStringLiteral("Recettes"));
        QVERIFY(w.threeD()->isChecked());
        QCOMPARE(w.shownChart(), w.expensesChart());
        saveShot(w, "TPies-depenses-3D.png");
        const QImage tilted = drawn(*w.expensesChart());
        w.threeD()->click();
        saveShot(w, "TPies-depenses-flat.png");
        const QImage flat = drawn(*w.expensesChart());
        QVERIFY(tilted != flat);
        w.pages()->setCurrentIndex(1);
        QCOMPARE(w.shownChart(), w.receiptsChart());
        saveShot(w, "TPies-recettes-flat.png");
        w.threeD()->click();
        saveShot(w, "TPies-recettes-3D.png");
    }

    // A report of many categories at the window's default size: every slice labelled, the
    // labels apart and inside the chart.
    void piesOfAHousehold() {
        TPies w(ledgora::reportPies(householdReport()), {});
        w.show();
        saveShot(w, "TPies-household-depenses-3D.png");
        w.threeD()->click();
        saveShot(w, "TPies-household-depenses-flat.png");
        w.pages()->setCurrentIndex(1);
        saveShot(w, "TPies-household-recettes-flat.png");
        w.threeD()->click();
        saveShot(w, "TPies-household-recettes-3D.png");
    }

    // Every category of the program's list spent on: the labels share the height.
    void pieOfFortyCategories() {
        ledgora::BudgetReport report;
        report.caption = "Ventilation de l'année 2024 par rubriques (Euros)";
        for (int i = 0; i < 40; ++i) {
            report.lines.push_back(
                {"Rubrique " + std::to_string(i + 1), -(i * 3771 % 50000 + 500)});
        }
        TPies w(ledgora::reportPies(report), {});
        w.show();
        saveShot(w, "TPies-forty-3D.png");
        w.threeD()->click();
        saveShot(w, "TPies-forty-flat.png");
    }

    void emptyPieDrawsItsTitleOnly() {
        ledgora::BudgetReport report;
        report.caption = "Budget";
        report.lines = {{"Salaire", 1000}};
        TPies w(ledgora::reportPies(report), {});
        QVERIFY(w.expensesChart() != nullptr);
        QVERIFY(inkOf(drawn(*w.expensesChart())) > 0); // no crash, the title shows
    }

    void barsOfAllBalances() {
        ledgora::BarChart chart{"Anne - Soldes de tous les comptes",
                                "Euros",
                                {{"Courant", 152034}, {"Livret", 820000}, {"Joint", -23050}}};
        THisto w(chart, QStringLiteral("Ledgora - Anne - Soldes de tous les comptes"));
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Anne - Soldes de tous les comptes"));
        QVERIFY(w.threeD()->isChecked());
        saveShot(w, "THisto-3D.png");
        const QImage deep = drawn(*w.chart());
        w.threeD()->click();
        saveShot(w, "THisto-flat.png");
        QVERIFY(deep != drawn(*w.chart()));
    }

    void chartsPrintToAFile() {
        QTemporaryDir dir;
        THisto w({"Soldes", "Francs", {{"Courant", 1000}}}, {});
        w.show();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString file = dir.filePath(QStringLiteral("histo.pdf"));
        printer.setOutputFileName(file);
        w.chart()->print(printer);
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.size() > 1000);
        QVERIFY(pdf.read(5) == "%PDF-");
    }

    // "Imprimer" of each chart window: the chart shown (for the pies, the tab shown) on
    // the printer the dialog chose, the job named as the window says; Cancel prints nothing.
    void imprimerPrintsTheChartShown_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("absent");
        QTest::newRow("TPies, Recettes")
            << 0 << "Ventilation de tout le compte par rubriques (Euros) - Recettes"
            << "Dépenses";
        QTest::newRow("TLines") << 1 << "Ledgora - Anne - Progression du solde"
                                << "";
        QTest::newRow("THisto") << 2 << "Anne - Soldes de tous les comptes"
                                << "";
    }
    void imprimerPrintsTheChartShown() {
        QFETCH(int, window);
        QFETCH(QString, title);
        QFETCH(QString, absent);
        const QString job = QStringLiteral("Ledgora - ") + title;
        std::unique_ptr<QDialog> w;
        std::vector<ChartView*> charts;
        if (window == 0) {
            auto pies = std::make_unique<TPies>(ledgora::reportPies(expensesAndReceipts()), job);
            pies->pages()->setCurrentIndex(1);
            charts = {pies->expensesChart(), pies->receiptsChart()};
            w = std::move(pies);
        } else if (window == 1) {
            auto lines = std::make_unique<TLines>(title.toStdString(), true, points(45), job);
            charts = {lines->chart()};
            w = std::move(lines);
        } else {
            auto histo = std::make_unique<THisto>(
                ledgora::BarChart{title.toStdString(), "Euros", {{"Courant", 152034}}}, job);
            charts = {histo->chart()};
            w = std::move(histo);
        }
        w->show();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("chart.pdf"));
        QStringList jobs;
        bool print = false;
        for (ChartView* chart : charts) {
            chart->setPrintDialog([&](QPrinter& printer) {
                jobs << printer.docName();
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(file);
                return print;
            });
        }
        QTest::mouseClick(button(*w, "Imprimer"), Qt::LeftButton);
        QVERIFY(!QFile::exists(file));
        print = true;
        QTest::mouseClick(button(*w, "Imprimer"), Qt::LeftButton);
        QCOMPARE(jobs, (QStringList{job, job}));
        QVERIFY(QFile::exists(file));
        const auto text = pdftest::lines(file);
        if (!text) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        const QString all = text->join('\n');
        QVERIFY2(all.contains(title), qPrintable(all));
        if (!absent.isEmpty()) {
            QVERIFY2(!all.contains(absent), qPrintable(all));
        }
    }

    void chooserPreselectsTheLastAndReturnsTheChosen() {
        const std::vector<std::string> months = {"janvier 2024", "février 2024", "avril 2024"};
        {
            TChooseMonthOrYear dialog("Choix d'un mois", months);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Choix d'un mois"));
            dialog.show();
            saveShot(dialog, "TChooseMonthOrYear.png");
            QCOMPARE(dialog.chosen(), 2);
            auto* list = dialog.findChild<QListWidget*>();
            QCOMPARE(list->item(1)->text(), QStringLiteral("février 2024"));
            QTimer::singleShot(0, &dialog, [&] {
                const QRect place = list->visualItemRect(list->item(0));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
            });
            QTimer::singleShot(2000, &dialog, &QDialog::reject); // never left hanging
            QCOMPARE(dialog.exec(), int(QDialog::Accepted));
            QCOMPARE(dialog.chosen(), 0);
        }
        {
            // Years of months: the last one, chosen in advance, is in sight.
            std::vector<std::string> many;
            for (int year = 2019; year <= 2024; ++year) {
                for (const std::string_view month : ledgora::kLongMonthNames) {
                    many.push_back(std::string(month) + ' ' + std::to_string(year));
                }
            }
            TChooseMonthOrYear dialog("Choix d'un mois", many);
            dialog.show();
            QTest::qWait(0);
            auto* list = dialog.findChild<QListWidget*>();
            QVERIFY(list->viewport()->rect().contains(
                list->visualItemRect(list->item(list->count() - 1))));
            saveShot(dialog, "TChooseMonthOrYear-six-years.png");
        }
        {
            TChooseMonthOrYear dialog("Choix d'une année", {"2023", "2024"});
            QTimer::singleShot(0, &dialog, [&] {
                QTest::keyClick(dialog.findChild<QListWidget*>(), Qt::Key_Escape);
            });
            QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        }
    }

    void axisTicksCoverTheValues_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("positive") << 120.0 << 980.0;
        QTest::newRow("across zero") << -230.5 << 1520.0;
        QTest::newRow("all negative") << -9000.0 << -12.0;
        QTest::newRow("one value") << 500.0 << 500.0;
        QTest::newRow("zero only") << 0.0 << 0.0;
        QTest::newRow("cents") << 0.01 << 0.07;
        QTest::newRow("large") << 0.0 << 1.0e9;
    }
    void axisTicksCoverTheValues() {
        QFETCH(double, low);
        QFETCH(double, high);
        const std::vector<double> ticks = charts::axisTicks(low, high);
        QVERIFY(ticks.size() >= 2 && ticks.size() <= 12);
        QVERIFY(ticks.front() <= low);
        QVERIFY(ticks.back() >= high);
        QVERIFY(ticks.back() > ticks.front());
        QVERIFY(std::is_sorted(ticks.begin(), ticks.end()));
        if (low < 0 && high > 0) {
            QVERIFY(std::find(ticks.begin(), ticks.end(), 0.0) != ticks.end());
        }
    }
};

QTEST_MAIN(ChartWindowsTest)
#include "ChartWindowsTest.moc"
