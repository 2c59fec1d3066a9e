#include "reports/ReportPies.h"

namespace ledgora {
namespace {

void addSlice(PieChart& chart, const std::string& key, Cents value) {
    if (chart.largest < 0 || value > chart.slices[static_cast<std::size_t>(chart.largest)].value) {
        chart.largest = static_cast<int>(chart.slices.size());
    }
    chart.slices.push_back({key, value});
}

} // namespace

std::string PieSlice::label() const {
    return key + " : " + formatCents(value);
}

ReportPies reportPies(const BudgetReport& report) {
    ReportPies pies;
    pies.caption = report.caption;
    pies.expenses.title = report.caption + " - " + std::string(kExpensesTab);
    pies.receipts.title = report.caption + " - " + std::string(kReceiptsTab);
    for (const ReportLine& line : report.lines) {
        if (line.total >= 0) {
            addSlice(pies.receipts, line.key, line.total);
        } else {
            addSlice(pies.expenses, line.key, magnitudeOf(line.total));
        }
    }
    return pies;
}

int explodePercent(bool threeD) {
    return threeD ? 20 : 0;
}

} // namespace ledgora
