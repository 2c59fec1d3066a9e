#include "reports/ui/TChooseMonthOrYear.h"

TChooseMonthOrYear::TChooseMonthOrYear(std::string_view caption,
                                       const std::vector<std::string>& choices, QWidget* parent)
    : TChooseDlg(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())), choices,
                 static_cast<int>(choices.size()) - 1, parent) {}
