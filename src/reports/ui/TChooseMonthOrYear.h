// The choice of the month or year a breakdown covers: the months (or years) of the
// register's dates, the last one selected; "OK" or a double click chooses, "Annuler" not.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/TChooseDlg.h"

class TChooseMonthOrYear : public TChooseDlg {
    Q_OBJECT
public:
    TChooseMonthOrYear(std::string_view caption, const std::vector<std::string>& choices,
                       QWidget* parent = nullptr);
};
