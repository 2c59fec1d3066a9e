#include "reports/ui/QtReportForms.h"

#include "planning/ui/WindowParts.h"
#include "reports/ui/TBudget.h"
#include "reports/ui/TChooseMonthOrYear.h"
#include "reports/ui/TLines.h"
#include "reports/ui/TRecap.h"

QtReportForms::QtReportForms(QWidget* parent, const ledgora::BudgetLimits& budgets,
                             std::function<std::string()> mainCaption)
    : parent_(parent), budgets_(budgets), mainCaption_(std::move(mainCaption)) {}

std::optional<int> QtReportForms::chooseMonthOrYear(std::string_view caption,
                                                    const std::vector<std::string>& choices) {
    TChooseMonthOrYear dialog(caption, choices, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.chosen();
}

void QtReportForms::showReport(const ledgora::BudgetReport& report) {
    TBudget window(report, budgets_, mainCaption_(), parent_);
    window.setBlackAndWhite(blackAndWhite_ && blackAndWhite_());
    window.exec();
}

void QtReportForms::showProgression(const std::string& caption, bool euros,
                                    const std::vector<ledgora::ProgressionPoint>& points) {
    TLines window(caption, euros, points, windowparts::jobName(caption), parent_);
    window.exec();
}

bool QtReportForms::showRecap(const ledgora::AllBalances& balances, bool euros) {
    TRecap window(balances, euros, parent_);
    window.exec();
    return window.euros();
}
