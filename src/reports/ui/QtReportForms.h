// The report commands' windows shown with Qt, modal over the main window.
#pragma once

#include <functional>
#include <string>

#include <QPointer>
#include <QWidget>

#include "register/BudgetLimits.h"
#include "reports/ReportForms.h"

class QtReportForms : public ledgora::ReportForms {
public:
    // `budgets` is borrowed (the reports' highlight); `mainCaption` gives the main
    // window's caption when a window opens.
    QtReportForms(QWidget* parent, const ledgora::BudgetLimits& budgets,
                  std::function<std::string()> mainCaption);
    // The "BW" option, asked when a report is printed; none prints in colour.
    void setBlackAndWhite(std::function<bool()> blackAndWhite) {
        blackAndWhite_ = std::move(blackAndWhite);
    }

    std::optional<int> chooseMonthOrYear(std::string_view caption,
                                         const std::vector<std::string>& choices) override;
    void showReport(const ledgora::BudgetReport& report) override;
    void showProgression(const std::string& caption, bool euros,
                         const std::vector<ledgora::ProgressionPoint>& points) override;
    bool showRecap(const ledgora::AllBalances& balances, bool euros) override;

private:
    QPointer<QWidget> parent_;
    const ledgora::BudgetLimits& budgets_;
    std::function<std::string()> mainCaption_;
    std::function<bool()> blackAndWhite_;
};
