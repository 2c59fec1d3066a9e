// The reports of the "&Etats et graphiques" menu: keys, totals, periods, averages, the
// receipts and expenses, the highlight against the budgets and the pies.
#include <gtest/gtest.h>

#include <map>

#include "RegisterRowsBuilder.h"
#include "register/GridTextFormat.h"
#include "reports/BudgetReport.h"
#include "reports/PeriodChoice.h"
#include "reports/ReportLook.h"
#include "reports/ReportPies.h"

namespace ledgora {
namespace {

using testing::registerOf;
using testing::Row;

using Lines = std::vector<ReportLine>;

BudgetReport build(const std::vector<Row>& rows, ReportId id, std::string_view period = {}) {
    return buildReport(registerOf(rows), reportRequest(id), period, true);
}

const Row kInitial{"15/12/2023", "Solde initial", "", "1000.00", "", "Solde initial"};

TEST(BudgetReport, AveragesDivideByTheMonthsAndYearsTheOperationsSpan) {
    struct Case {
        const char* what;
        std::vector<Row> rows;
        ReportId id;
        int periods;
        Lines lines;
    };
    const std::vector<Case> cases = {
        {"January, February and April: three months",
         {{"10/01/2024", "Courses", "90.00", ""},
          {"10/02/2024", "Courses", "30.00", ""},
          {"10/04/2024", "Salaire", "", "100.00"}},
         ReportId::MonthlyAverageByCategory,
         3,
         {{"Courses", -4000}, {"Salaire", 3333}}},
        {"January of two years with nothing between: two months",
         {{"31/01/2023", "Courses", "50.00", ""}, {"05/01/2024", "Courses", "50.00", ""}},
         ReportId::MonthlyAverageByCategory,
         2,
         {{"Courses", -5000}}},
        {"the initial balance's date counts, its amount does not",
         {kInitial, {"10/01/2024", "Courses", "90.00", ""}},
         ReportId::MonthlyAverageByCategory,
         2,
         {{"Courses", -4500}}},
        {"years",
         {{"10/01/2023", "Loyer", "600.00", ""},
          {"10/06/2023", "Loyer", "600.00", ""},
          {"10/01/2024", "Loyer", "600.01", ""}},
         ReportId::YearlyAverageByCategory,
         2,
         {{"Loyer", -90001}}},
        {"halves round away from zero",
         {{"10/01/2024", "Courses", "0.01", ""}, {"10/02/2024", "Salaire", "", "0.01"}},
         ReportId::MonthlyAverageByCategory,
         2,
         {{"Courses", -1}, {"Salaire", 1}}},
        {"rows without a date count, but no month",
         {{"", "Courses", "10.00", ""}, {"10/02/2024", "Courses", "10.00", ""}},
         ReportId::MonthlyAverageByCategory,
         1,
         {{"Courses", -2000}}},
        {"by payment mode",
         {kInitial,
          {"10/01/2024", "Courses", "90.00", "", "Chèque"},
          {"11/01/2024", "Courses", "10.00", "", "Espèces"},
          {"12/01/2024", "Courses", "10.00", "", ""}},
         ReportId::MonthlyAverageByMode,
         2,
         {{"Chèque", -4500}, {"Espèces", -500}}},
    };
    for (const Case& c : cases) {
        const BudgetReport r = build(c.rows, c.id);
        EXPECT_EQ(r.periods, c.periods) << c.what;
        EXPECT_EQ(r.lines, c.lines) << c.what;
    }
}

TEST(BudgetReport, KeysOfTheWholeAccountAMonthAndAYear) {
    const std::vector<Row> rows = {
        kInitial,
        {"05/01/2024", "Électricité", "80.00", ""},
        {"31/01/2024", "Courses", "25.50", ""},
        {"01/02/2024", "Courses", "12.00", ""},
        {"03/02/2024", "Remboursement", "40.00", ""},
        {"04/02/2024", "Remboursement", "", "40.00"},
        {"05/02/2024", "", "7.00", ""},            // no category: left out
        {"06/02/2024", "", "3.00", "9.00"},        // both amounts: "Non affecté"
        {"07/02/2024", "Cadeaux", "5.00", "8.00"}, // the credit wins
        {"08/02/2024", "Divers", "", ""},          // neither: listed with 0.00
        {"01/03/2024", "Courses", "1.00", ""},
        {"02/01/2025", "Courses", "2.00", ""},
    };
    struct Case {
        ReportId id;
        const char* period;
        Lines lines;
    };
    const std::vector<Case> cases = {
        {ReportId::WholeAccountByCategory,
         "",
         {{"Cadeaux", 800},
          {"Courses", -4050},
          {"Divers", 0},
          {"Électricité", -8000},
          {"Non affecté", 900},
          {"Remboursement", 0}}},
        {ReportId::MonthByCategory,
         "février 2024",
         {{"Cadeaux", 800},
          {"Courses", -1200},
          {"Divers", 0},
          {"Non affecté", 900},
          {"Remboursement", 0}}},
        {ReportId::MonthByCategory, "janvier 2024", {{"Courses", -2550}, {"Électricité", -8000}}},
        {ReportId::MonthByCategory, "décembre 2023", {}},
        {ReportId::YearByCategory, "2025", {{"Courses", -200}}},
        {ReportId::YearByCategory, "2023", {}},
        {ReportId::MonthByCategory, "Février 2024", {}},
        {ReportId::WholeAccountByMode, "", {{"Non affecté", 1700}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(build(rows, c.id, c.period).lines, c.lines) << c.period;
    }
}

// A key the grid writes out on each read (digits and separators, or a saved number) is
// kept by the report itself, not as a view of the text it read.
TEST(BudgetReport, KeysOfDigitsAreKeptApart) {
    std::vector<Row> rows;
    Lines years;
    for (int year = 1950; year < 2050; ++year) {
        const std::string key = std::to_string(year) + "/" + std::to_string(year + 1);
        years.push_back({key, -200});
        for (int i = 0; i < 2; ++i) {
            rows.push_back(
                {"10/01/2024", key, "1.00", "", year % 3 ? "12345678.90" : "01/02/2003"});
        }
    }
    EXPECT_EQ(build(rows, ReportId::WholeAccountByCategory).lines, years);
    Grid loaded;
    ASSERT_EQ(readGridText(writeGridText(registerOf(rows)), loaded), GridTextStatus::Ok);
    EXPECT_EQ(buildReport(loaded, reportRequest(ReportId::WholeAccountByMode), {}, true).lines,
              (Lines{{"01/02/2003", -6800}, {"12345678.90", -13200}}));
}

TEST(BudgetReport, ReceiptsCountZeroAndExpensesAreNegative) {
    const BudgetReport r = build({{"01/02/2024", "Remboursement", "40.00", ""},
                                  {"02/02/2024", "Remboursement", "", "40.00"},
                                  {"03/02/2024", "Salaire", "", "1500.00"},
                                  {"04/02/2024", "Courses", "99.99", ""},
                                  {"05/02/2024", "Loyer", "600.00", ""}},
                                 ReportId::WholeAccountByCategory);
    EXPECT_EQ(r.receipts, 150000);
    EXPECT_EQ(r.expenses, -69999);
    EXPECT_EQ(r.caption, "Ventilation de tout le compte par rubriques (Euros)");

    const Grid g = reportGrid(r);
    ASSERT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.columnCount(), 4);
    EXPECT_EQ(g.at(0, 0), "Rubriques");
    EXPECT_EQ(g.at(0, 1), "Montants");
    EXPECT_EQ(g.at(3, 0), "Remboursement");
    EXPECT_EQ(g.at(3, 1), "0.00");
    EXPECT_EQ(g.at(1, 1), "-99.99");

    const ReportPies pies = reportPies(r);
    EXPECT_EQ(pies.receipts.title,
              "Ventilation de tout le compte par rubriques (Euros) - Recettes");
    ASSERT_EQ(pies.receipts.slices.size(), 2u);
    EXPECT_EQ(pies.receipts.slices[0].label(), "Remboursement : 0.00");
    EXPECT_EQ(pies.receipts.largest, 1);
    ASSERT_EQ(pies.expenses.slices.size(), 2u);
    EXPECT_EQ(pies.expenses.slices[1].label(), "Loyer : 600.00");
    EXPECT_EQ(pies.expenses.largest, 1);
    EXPECT_EQ(explodePercent(true), 20);
    EXPECT_EQ(explodePercent(false), 0);

    const BudgetReport none =
        build({kInitial, {"01/02/2024", "", "4.00", ""}}, ReportId::WholeAccountByMode);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(noKeyMessage(ReportKey::PaymentMode), "Aucun mode de paiment trouvé.");
    EXPECT_EQ(reportPies(none).expenses.largest, -1);
}

class Maxima : public BudgetLimits {
public:
    Cents monthlyMaximum(const std::string& category) const override {
        const auto it = maxima.find(category);
        return it == maxima.end() ? 0 : it->second;
    }
    std::map<std::string, Cents> maxima{{"Courses", 10000}, {"Loyer", 0}};
};

TEST(BudgetReport, CategoriesPastTheirMaximumAreRedInTheReportsComparedWithBudgets) {
    const Maxima maxima;
    struct Case {
        const char* what;
        std::vector<Row> rows;
        ReportId id;
        const char* period;
        bool red;
    };
    const std::vector<Case> cases = {
        {"a monthly average of -120.00",
         {{"10/01/2024", "Courses", "120.00", ""}},
         ReportId::MonthlyAverageByCategory,
         "",
         true},
        {"a monthly average of -100.00",
         {{"10/01/2024", "Courses", "100.00", ""}},
         ReportId::MonthlyAverageByCategory,
         "",
         false},
        {"receipts compare by their size too",
         {{"10/01/2024", "Courses", "", "120.00"}},
         ReportId::MonthlyAverageByCategory,
         "",
         true},
        {"a year of 1200.00",
         {{"10/01/2024", "Courses", "1200.00", ""}},
         ReportId::YearByCategory,
         "2024",
         false},
        {"a year past 1200.00",
         {{"10/01/2024", "Courses", "1200.01", ""}},
         ReportId::YearByCategory,
         "2024",
         true},
        {"a yearly average compares with twelve months",
         {{"10/01/2024", "Courses", "1000.00", ""}},
         ReportId::YearlyAverageByCategory,
         "",
         false},
        {"one month",
         {{"10/01/2024", "Courses", "150.00", ""}},
         ReportId::MonthByCategory,
         "janvier 2024",
         true},
        {"the whole account is never compared",
         {{"10/01/2024", "Courses", "150.00", ""}},
         ReportId::WholeAccountByCategory,
         "",
         false},
    };
    for (const Case& c : cases) {
        const BudgetReport r = build(c.rows, c.id, c.period);
        const Grid g = reportGrid(r);
        const ReportLook look(r, maxima);
        ASSERT_EQ(g.rowCount(), 2) << c.what;
        const CellLook key = look.cell(g, 1, 0);
        EXPECT_EQ(key.bold, c.red) << c.what;
        EXPECT_EQ(key.text == report_colors::kOverBudget, c.red) << c.what;
    }
}

TEST(BudgetReport, TotalsAreBlueOrGreen) {
    const Maxima maxima;
    const BudgetReport byCategory =
        build({{"10/01/2024", "Loyer", "600.00", ""}, {"10/01/2024", "Salaire", "", "0.00"}},
              ReportId::MonthlyAverageByCategory);
    const Grid g = reportGrid(byCategory);
    const ReportLook look(byCategory, maxima);
    EXPECT_EQ(look.cell(g, 1, 1).text, report_colors::kExpense);
    EXPECT_EQ(look.cell(g, 2, 1).text, report_colors::kReceipt);
    EXPECT_EQ(look.cell(g, 1, 1).alignment, Alignment::Right);
    EXPECT_EQ(look.cell(g, 0, 0).alignment, Alignment::Center);
    EXPECT_FALSE(look.cell(g, 1, 0).bold); // Loyer's maximum is 0: none
    EXPECT_EQ(look.shownColumns(g), 2);
}

TEST(PeriodChoice, MonthsAndYearsInTheOrderTheyFirstAppear) {
    const Grid reg = registerOf({{"", "Courses", "1.00", ""},
                                 {"31/12/2023", "Courses", "1.00", ""},
                                 {"01/01/2024", "Courses", "1.00", ""},
                                 {"15/08/2024", "Courses", "1.00", ""},
                                 {"16/08/2024", "Courses", "1.00", ""},
                                 {"01/02/2025", "Courses", "1.00", ""}});
    EXPECT_EQ(
        periodChoices(reg, PeriodUnit::Month),
        (std::vector<std::string>{"décembre 2023", "janvier 2024", "août 2024", "février 2025"}));
    EXPECT_EQ(periodChoices(reg, PeriodUnit::Year),
              (std::vector<std::string>{"2023", "2024", "2025"}));
    EXPECT_TRUE(
        periodChoices(registerOf({{"", "Courses", "1.00", ""}}), PeriodUnit::Month).empty());
    EXPECT_EQ(periodChoiceCaption(PeriodUnit::Year), "Choix d'une année");
}

TEST(PeriodChoice, Bounds) {
    struct Case {
        PeriodKind kind;
        const char* text;
        std::optional<PeriodBounds> bounds;
    };
    const std::vector<Case> cases = {
        {PeriodKind::OneMonth, "décembre 2024", PeriodBounds{{2024, 12, 1}, {2025, 1, 1}}},
        {PeriodKind::OneMonth, "février 2024", PeriodBounds{{2024, 2, 1}, {2024, 3, 1}}},
        {PeriodKind::OneYear, "2024", PeriodBounds{{2024, 1, 1}, {2025, 1, 1}}},
        {PeriodKind::OneMonth, "fevrier 2024", std::nullopt},
        {PeriodKind::OneMonth, "mars", std::nullopt},
        {PeriodKind::OneMonth, "mars 20x4", std::nullopt},
        {PeriodKind::OneYear, "", std::nullopt},
        {PeriodKind::WholeAccount, "2024", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto b = periodBounds(c.kind, c.text);
        ASSERT_EQ(b.has_value(), c.bounds.has_value()) << c.text;
        if (b) {
            EXPECT_EQ(b->start, c.bounds->start) << c.text;
            EXPECT_EQ(b->end, c.bounds->end) << c.text;
        }
    }
    const PeriodBounds feb{{2024, 2, 1}, {2024, 3, 1}};
    EXPECT_TRUE(feb.contains({2024, 2, 29}));
    EXPECT_FALSE(feb.contains({2024, 3, 1}));
    EXPECT_FALSE(feb.contains({2024, 1, 31}));
}

TEST(ReportRequest, Captions) {
    EXPECT_EQ(reportCaption(reportRequest(ReportId::MonthByMode), "mars 2024", false),
              "Ventilation du mois de mars 2024 par modes de paiement (Francs)");
    EXPECT_EQ(reportCaption(reportRequest(ReportId::YearByCategory), "2024", true),
              "Ventilation de l'année 2024 par rubriques (Euros)");
    EXPECT_EQ(reportCaption(reportRequest(ReportId::YearlyAverageByMode), "ignored", true),
              "Budget annuel moyen par modes de paiement (Euros)");
    for (int i = 0; i < kReportCount; ++i) {
        EXPECT_EQ(static_cast<int>(kReportRequests[static_cast<std::size_t>(i)].id), i);
    }
}

} // namespace
} // namespace ledgora
