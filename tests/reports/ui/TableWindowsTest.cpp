// The report and recap windows, offscreen: the report's table, colours and totals, its
// pies; the recap recomputed at each currency click, its total, its bar chart and the
// currency it ends with.
#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "platform/SettingsKeys.h"
#include "register/GridTextFormat.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"
#include "reports/BudgetReport.h"
#include "reports/ui/TBudget.h"
#include "reports/ui/THisto.h"
#include "reports/ui/TPies.h"
#include "reports/ui/TRecap.h"
#include "support/PdfText.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"

namespace {

void saveShot(QWidget& w, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        w.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QString::fromUtf8(name));
    }
}

// "Courses" may spend 100.00 a month.
class CoursesBudget : public ledgora::BudgetLimits {
public:
    ledgora::Cents monthlyMaximum(const std::string& category) const override {
        return category == "Courses" ? 10000 : 0;
    }
};

struct Op {
    const char* date;
    const char* category;
    const char* debit;
    const char* credit;
};

ledgora::Grid registerOf(const std::vector<Op>& ops) {
    ledgora::Grid reg = ledgora::makeRegister(static_cast<int>(ops.size()) + 2);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        reg.set(r, ledgora::col::Date, ops[i].date);
        reg.set(r, ledgora::col::Rubrique, ops[i].category);
        reg.set(r, ledgora::col::Debit, ops[i].debit);
        reg.set(r, ledgora::col::Credit, ops[i].credit);
    }
    return reg;
}

QColor textColor(const QModelIndex& index) {
    return index.data(Qt::ForegroundRole).value<QBrush>().color();
}

} // namespace

class TableWindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    std::string root_ = home_.path().toStdString();
    platform::Paths paths_{root_, root_ + "/registry", root_ + "/program"};

private slots:
    void reportTableColoursAndTotals() {
        // Two months: the monthly average of "Courses" is -120.00, past its 100.00.
        const ledgora::Grid reg = registerOf({{"05/01/2024", "Courses", "150.00", ""},
                                              {"06/01/2024", "Salaire", "", "1500.00"},
                                              {"03/02/2024", "Courses", "90.00", ""},
                                              {"04/02/2024", "Essence", "60.00", ""},
                                              {"05/02/2024", "Remboursement", "20.00", ""},
                                              {"06/02/2024", "Remboursement", "", "20.00"}});
        const CoursesBudget budgets;
        const auto& request = ledgora::reportRequest(ledgora::ReportId::MonthlyAverageByCategory);
        TBudget w(ledgora::buildReport(reg, request, "", true), budgets, "Ledgora - Anne");
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Budget mensuel moyen par rubriques (Euros)"));
        GridModel* model = w.grid()->gridModel();
        QCOMPARE(model->columnCount(), 2);
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Rubriques"));
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Montants"));
        struct Expected {
            int row;
            const char* key;
            const char* total;
            QColor colour;
            bool keyRedBold;
        };
        const Expected rows[] = {{1, "Courses", "-120.00", QColor(0, 128, 0), true},
                                 {2, "Essence", "-30.00", QColor(0, 128, 0), false},
                                 {3, "Remboursement", "0.00", QColor(0, 0, 255), false},
                                 {4, "Salaire", "750.00", QColor(0, 0, 255), false}};
        for (const Expected& e : rows) {
            const QModelIndex key = model->indexOf(e.row, 0);
            const QModelIndex total = model->indexOf(e.row, 1);
            QCOMPARE(key.data().toString(), QString::fromUtf8(e.key));
            QCOMPARE(total.data().toString(), QString::fromUtf8(e.total));
            QCOMPARE(textColor(total), e.colour);
            QCOMPARE(key.data(Qt::FontRole).value<QFont>().bold(), e.keyRedBold);
            if (e.keyRedBold) {
                QCOMPARE(textColor(key), QColor(255, 0, 0));
            }
            QVERIFY(total.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        }
        QCOMPARE(w.receipts()->text(), QStringLiteral("Recettes : 750.00"));
        QCOMPARE(w.expenses()->text(), QStringLiteral("Dépenses : -150.00"));
        saveShot(w, "TBudget.png");

        // "Graphique": the pies of this report, the 0.00 total among the receipts.
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* pies = qobject_cast<TPies*>(w.pies());
            opened = pies != nullptr && pies->isVisible();
            if (pies != nullptr) {
                QCOMPARE(pies->windowTitle(), w.windowTitle());
                pies->close();
            }
        });
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Graphique")), Qt::LeftButton);
        QVERIFY(opened);
        QVERIFY(w.pies() == nullptr);
    }

    // "Imprimer": the report's table on paper, titled after the main window and the report,
    // its totals in their colours unless black and white, the logo before the credit line.
    void reportPrintsItsTable_data() {
        QTest::addColumn<bool>("blackAndWhite");
        QTest::newRow("colour") << false;
        QTest::newRow("black and white") << true;
    }
    void reportPrintsItsTable() {
        QFETCH(bool, blackAndWhite);
        const ledgora::Grid reg = registerOf(
            {{"05/01/2024", "Courses", "150.00", ""}, {"06/01/2024", "Salaire", "", "1500.00"}});
        const CoursesBudget budgets;
        const auto& request = ledgora::reportRequest(ledgora::ReportId::WholeAccountByCategory);
        TBudget w(ledgora::buildReport(reg, request, "", true), budgets, "Ledgora - Anne");
        const platform::FixedClock clock(platform::DateTime{2024, 3, 7, 9, 41, 0});
        w.setClock(clock);
        w.setBlackAndWhite(blackAndWhite);
        w.show();
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("budget.pdf"));
        QString job;
        w.setPrintDialog([&](QPrinter& p, int pages) {
            job = p.docName();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(file);
            return pages == 1;
        });
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Imprimer")), Qt::LeftButton);
        QCOMPARE(job,
                 QStringLiteral("Ledgora - Ventilation de tout le compte par rubriques (Euros)"));
        pdftest::keepShot(file, blackAndWhite ? "budget-nb.pdf" : "budget.pdf");
        const auto lines = pdftest::lines(file);
        if (!lines) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        const QString text = lines->join('\n');
        QVERIFY2(text.contains(QStringLiteral(
                     "Ledgora - Anne - Ventilation de tout le compte par rubriques (Euros)")),
                 qPrintable(text));
        QVERIFY(lines->contains(QStringLiteral("Imprimé avec Ledgora")));
        QVERIFY(lines->contains(QStringLiteral("Rubriques Montants")));
        QVERIFY(lines->contains(QStringLiteral("Courses -150.00")));
        QVERIFY(lines->contains(QStringLiteral("Salaire 1500.00")));
        QCOMPARE(lines->last(), QStringLiteral("page 1"));
        if (const auto page = pdftest::firstPage(file)) {
            const int coloured = pdftest::colouredPixels(*page);
            QVERIFY(blackAndWhite ? coloured == 0 : coloured > 30);
        }
    }

    void recapFollowsTheCurrencyButtons() {
        std::filesystem::create_directories(paths_.userFolder("Anne"));
        platform::Registry registry(paths_.registryFolder());
        auto add = [&](const std::string& name, const ledgora::Grid& reg, bool euros) {
            QVERIFY(!ledgora::saveGridFile(reg, paths_.accountFile("Anne", name)));
            registry.writeBool(platform::Hive::CurrentUser,
                               platform::settings::accountKey("Anne", name),
                               platform::settings::kEuro, euros);
        };
        // Two debits of 100 F: 30.48 euros row by row.
        add("Courant",
            registerOf({{"01/01/2024", "", "", "1000.00"},
                        {"02/01/2024", "Courses", "100.00", ""},
                        {"03/01/2024", "Courses", "100.00", ""}}),
            false);
        add("Joint", registerOf({{"01/01/2024", "", "200.00", ""}}), true);
        const ledgora::AllBalances balances(registry, paths_, "Anne");

        TRecap w(balances, true);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Anne - Soldes de tous les comptes"));
        QVERIFY(w.eurosButton()->isChecked());
        GridModel* model = w.grid()->gridModel();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->indexOf(1, 0).data().toString(), QStringLiteral("Courant"));
        QCOMPARE(model->indexOf(1, 1).data().toString(), QStringLiteral("121.97"));
        QCOMPARE(model->indexOf(2, 1).data().toString(), QStringLiteral("-200.00"));
        QCOMPARE(textColor(model->indexOf(1, 1)), QColor(0, 0, 0));
        QCOMPARE(textColor(model->indexOf(2, 1)), QColor(255, 0, 0));
        QVERIFY(w.total()->text().startsWith(QStringLiteral("Solde général : ")));
        QVERIFY(w.total()->text().contains(QStringLiteral("rgb(255,0,0)\">-78.03<")));
        QVERIFY(!w.problems()->isVisibleTo(&w));
        saveShot(w, "TRecap-euros.png");

        QTest::mouseClick(w.francs(), Qt::LeftButton);
        QVERIFY(!w.euros());
        QCOMPARE(model->indexOf(1, 1).data().toString(), QStringLiteral("800.00"));
        QCOMPARE(model->indexOf(2, 1).data().toString(), QStringLiteral("-1311.91"));
        QVERIFY(w.total()->text().contains(QStringLiteral(">-511.91<")));
        saveShot(w, "TRecap-francs.png");

        bool drawn = false;
        QTimer::singleShot(0, [&] {
            auto* histo = qobject_cast<THisto*>(w.histo());
            drawn = histo != nullptr;
            if (histo != nullptr) {
                saveShot(*histo, "THisto-recap.png");
                histo->close();
            }
        });
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Graphique")), Qt::LeftButton);
        QVERIFY(drawn);
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!w.euros());
    }

    // Ten accounts with long names and large balances at the windows' default sizes: the
    // recap shows every row without scrolling, and the bar chart every name and value.
    // A report of many categories, one with a long name: only the rows scroll.
    void aLongCategoryNameWidensTheReport() {
        std::vector<Op> ops = {
            {"02/01/2024", "Assurance habitation et responsabilité civile", "845.12", ""}};
        for (const char* category : {"Alimentation", "Cadeaux", "Cinéma", "Eau", "Électricité",
                                     "Essence", "Impôts", "Loyer", "Pharmacie", "Restaurant",
                                     "Téléphone", "Vêtements", "Salaire", "Intérêts"}) {
            ops.push_back({"03/01/2024", category, "1234567.89", ""});
        }
        const ledgora::Grid reg = registerOf(ops);
        const CoursesBudget budgets;
        TBudget w(
            ledgora::buildReport(
                reg, ledgora::reportRequest(ledgora::ReportId::WholeAccountByCategory), "", true),
            budgets, "Ledgora - Anne");
        w.show();
        QTest::qWait(0);
        saveShot(w, "TBudget-many-categories.png");
        QVERIFY(!w.grid()->horizontalScrollBar()->isVisible());
    }

    void tenAccountsAtTheDefaultSize() {
        std::filesystem::create_directories(paths_.userFolder("Claire"));
        platform::Registry registry(paths_.registryFolder());
        const char* names[] = {"Compte courant",      "Livret A",         "Joint Société Générale",
                               "Épargne logement",    "Assurance vie",    "Compte titres",
                               "Livret jeune",        "Compte en Suisse", "Vacances",
                               "Travaux de la maison"};
        int i = 0;
        for (const char* name : names) {
            const std::string credit = std::to_string(123456 * (i + 1) % 987654) + ".78";
            const bool overdrawn = i % 4 == 2;
            QVERIFY(!ledgora::saveGridFile(
                registerOf({{"01/01/2024", "", overdrawn ? credit.c_str() : "",
                             overdrawn ? "" : credit.c_str()}}),
                paths_.accountFile("Claire", name)));
            ++i;
        }
        const ledgora::AllBalances balances(registry, paths_, "Claire");
        TRecap w(balances, true);
        w.show();
        QTest::qWait(0);
        QCOMPARE(w.grid()->gridModel()->rowCount(), 10);
        QVERIFY(!w.grid()->verticalScrollBar()->isVisible());
        QVERIFY(!w.grid()->horizontalScrollBar()->isVisible());
        saveShot(w, "TRecap-ten-accounts.png");
        QTimer::singleShot(0, [&] {
            if (auto* histo = qobject_cast<THisto*>(w.histo())) {
                saveShot(*histo, "THisto-ten-accounts.png");
                histo->close();
            }
        });
        QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Graphique")), Qt::LeftButton);
    }

    void unreadableAccountIsNamed() {
        std::filesystem::create_directories(paths_.userFolder("Paul"));
        platform::Registry registry(paths_.registryFolder());
        QVERIFY(!ledgora::saveGridFile(registerOf({{"01/01/2024", "", "", "10.00"}}),
                                       paths_.accountFile("Paul", "Bon")));
        {
            std::FILE* f = std::fopen(paths_.accountFile("Paul", "Abîmé").c_str(), "wb");
            std::fputs("nothing like an account", f);
            std::fclose(f);
        }
        const ledgora::AllBalances balances(registry, paths_, "Paul");
        TRecap w(balances, true);
        w.show();
        QVERIFY(w.problems()->isVisibleTo(&w));
        QVERIFY(!w.problems()->text().isEmpty());
        QCOMPARE(w.grid()->gridModel()->rowCount(), 2);
    }
};

QTEST_MAIN(TableWindowsTest)
#include "TableWindowsTest.moc"
