// The ten reports of the "&Etats et graphiques" menu: what each one totals (by category or
// by payment mode), over which period (averages per month or year, the whole account, one
// month, one year), its menu item and the caption of its window.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ledgora {

enum class PeriodKind { Average, WholeAccount, OneMonth, OneYear };
enum class ReportKey { Category, PaymentMode };

enum class ReportId {
    MonthlyAverageByCategory, // also the toolbar's "Budget"
    MonthlyAverageByMode,
    YearlyAverageByCategory,
    YearlyAverageByMode,
    WholeAccountByCategory,
    WholeAccountByMode,
    MonthByCategory,
    MonthByMode,
    YearByCategory,
    YearByMode,
};
inline constexpr int kReportCount = 10;

struct ReportRequest {
    ReportId id;
    PeriodKind kind;
    ReportKey key;
    // Averages: divided by years rather than months. One year: the totals are a year's.
    bool yearly;
    // The menu path under "&Etats et graphiques".
    std::string_view group;   // "&Budget moyen" or "&Ventilation"
    std::string_view submenu; // "Mensuel", "Annuel", "Tout le compte", "Mensuelle", "Annuelle"
    std::string_view item;    // "Par rubriques..." ...
    // The caption is before + the chosen month or year + after (nothing chosen for the
    // averages and the whole account), then the currency.
    std::string_view captionBefore;
    std::string_view captionAfter;
};

extern const std::array<ReportRequest, kReportCount> kReportRequests;

const ReportRequest& reportRequest(ReportId id);

// The window's caption: "Ventilation du mois de mars 2024 par rubriques (Euros)".
std::string reportCaption(const ReportRequest& request, std::string_view periodText, bool euros);

// Category reports of every period but the whole account are compared with the budgets.
bool comparesWithBudgets(const ReportRequest& request);

// " (Euros)" or " (Francs)", after every report's caption.
std::string_view currencySuffix(bool euros);

} // namespace ledgora
