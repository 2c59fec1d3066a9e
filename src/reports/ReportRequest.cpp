#include "reports/ReportRequest.h"

namespace ledgora {

namespace {
constexpr std::string_view kAverage = "&Budget moyen";
constexpr std::string_view kBreakdown = "&Ventilation";
constexpr std::string_view kByCategory = "Par rubriques...";
constexpr std::string_view kByMode = "Par modes de paiement...";
} // namespace

const std::array<ReportRequest, kReportCount> kReportRequests = {{
    {ReportId::MonthlyAverageByCategory, PeriodKind::Average, ReportKey::Category, false, kAverage,
     "Mensuel", kByCategory, "Budget mensuel moyen par rubriques", ""},
    {ReportId::MonthlyAverageByMode, PeriodKind::Average, ReportKey::PaymentMode, false, kAverage,
     "Mensuel", kByMode, "Budget mensuel moyen par modes de paiement", ""},
    {ReportId::YearlyAverageByCategory, PeriodKind::Average, ReportKey::Category, true, kAverage,
     "Annuel", kByCategory, "Budget annuel moyen par rubriques", ""},
    {ReportId::YearlyAverageByMode, PeriodKind::Average, ReportKey::PaymentMode, true, kAverage,
     "Annuel", "Par modes de paiements...", "Budget annuel moyen par modes de paiement", ""},
    {ReportId::WholeAccountByCategory, PeriodKind::WholeAccount, ReportKey::Category, false,
     kBreakdown, "Tout le compte", kByCategory, "Ventilation de tout le compte par rubriques", ""},
    {ReportId::WholeAccountByMode, PeriodKind::WholeAccount, ReportKey::PaymentMode, false,
     kBreakdown, "Tout le compte", kByMode, "Ventilation de tout le compte par modes de paiement",
     ""},
    {ReportId::MonthByCategory, PeriodKind::OneMonth, ReportKey::Category, false, kBreakdown,
     "Mensuelle", kByCategory, "Ventilation du mois de ", " par rubriques"},
    {ReportId::MonthByMode, PeriodKind::OneMonth, ReportKey::PaymentMode, false, kBreakdown,
     "Mensuelle", kByMode, "Ventilation du mois de ", " par modes de paiement"},
    {ReportId::YearByCategory, PeriodKind::OneYear, ReportKey::Category, true, kBreakdown,
     "Annuelle", kByCategory, "Ventilation de l'année ", " par rubriques"},
    {ReportId::YearByMode, PeriodKind::OneYear, ReportKey::PaymentMode, true, kBreakdown,
     "Annuelle", kByMode, "Ventilation de l'année ", " par modes de paiement"},
}};

const ReportRequest& reportRequest(ReportId id) {
    return kReportRequests[static_cast<std::size_t>(id)];
}

std::string_view currencySuffix(bool euros) {
    return euros ? " (Euros)" : " (Francs)";
}

std::string reportCaption(const ReportRequest& request, std::string_view periodText, bool euros) {
    std::string caption(request.captionBefore);
    if (request.kind == PeriodKind::OneMonth || request.kind == PeriodKind::OneYear) {
        caption += periodText;
        caption += request.captionAfter;
    }
    caption += currencySuffix(euros);
    return caption;
}

bool comparesWithBudgets(const ReportRequest& request) {
    return request.key == ReportKey::Category && request.kind != PeriodKind::WholeAccount;
}

} // namespace ledgora
